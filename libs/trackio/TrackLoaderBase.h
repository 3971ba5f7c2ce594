#pragma once

#include "LoadContext.h"
#include "TrackFileType.h"
#include "TrackLoaderI.h"

class QIODevice;

// The common frame of every loader: opening the file, the file node, the
// final status and the error text. A loader only reads the content.
class TrackLoaderBase : public TrackLoaderI
{
public:
    // Track files are read whole into memory-hungry trees by many tools;
    // beyond this size the program refuses them, whatever their format.
    static constexpr qint64 DefaultMaxBytes = 100LL * 1024 * 1024;

    LoadStatus OpenTrack(const QString& fileName, const TrackTreeCreatorPtr& creator,
                         const TrackDataSetPtr& data, const OperationProgressPtr& progress) final;
    QString GetErrorDesc() const override { return m_errorDesc; }

    // The same from any device (tests, tools); fileName names the file node.
    LoadStatus Read(QIODevice& device, const QString& fileName, TrackTreeCreatorI& creator,
                    TrackDataSetI& data, OperationProgressI& progress);

    virtual TrackFileType GetFileType() const = 0;

    // A file larger than this is refused as too large; a pipe or device is
    // read up to it.
    void SetMaxBytes(qint64 maxBytes) { m_maxBytes = maxBytes; }

protected:
    // Forgets what the last load left behind; called before every load.
    virtual void OnLoadStarting() {}
    // Reads the content below context.GetFileTid(). Returns false on a fatal
    // error (after context.Fail) or when cancelled.
    virtual bool ReadContent(QIODevice& device, LoadContext& context) = 0;

private:
    LoadStatus ReadWithin(QIODevice& device, const QString& fileName, TrackTreeCreatorI& creator,
                          TrackDataSetI& data, OperationProgressI& progress);
    LoadStatus Finish(LoadStatus status, OperationProgressI& progress);

    QString m_errorDesc;
    qint64 m_maxBytes = DefaultMaxBytes;
};
