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
    LoadStatus OpenTrack(const QString& fileName, const TrackTreeCreatorPtr& creator,
                         const TrackDataSetPtr& data, const OperationProgressPtr& progress) final;
    QString GetErrorDesc() const override { return m_errorDesc; }

    // The same from any device (tests, tools); fileName names the file node.
    LoadStatus Read(QIODevice& device, const QString& fileName, TrackTreeCreatorI& creator,
                    TrackDataSetI& data, OperationProgressI& progress);

    virtual TrackFileType GetFileType() const = 0;

protected:
    // Forgets what the last load left behind; called before every load.
    virtual void OnLoadStarting() {}
    // Reads the content below context.GetFileTid(). Returns false on a fatal
    // error (after context.Fail) or when cancelled.
    virtual bool ReadContent(QIODevice& device, LoadContext& context) = 0;

private:
    LoadStatus Finish(LoadStatus status, OperationProgressI& progress);

    QString m_errorDesc;
};
