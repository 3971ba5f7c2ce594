#pragma once

#include "TrackSaverI.h"

class QIODevice;

// Saves as GPX 1.1 (GpxDocumentWriter) through a temporary file that takes
// the target's place only when everything was written.
class GpxSaver : public TrackSaverI
{
public:
    SaveStatus SaveTrack(const QString& fileName, const TrackTreeReaderPtr& tree, int tid,
                         const std::shared_ptr<const TrackDataSetI>& data) override;
    QString GetErrorDesc() const override { return m_errorDesc; }

    // The same into any device (tests, tools).
    SaveStatus Write(QIODevice& device, const TrackTreeReaderI& tree, int tid, const TrackDataSetI& data);

private:
    QString m_errorDesc;
};
