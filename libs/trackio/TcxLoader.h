#pragma once

#include "XmlTrackLoader.h"

// Garmin Training Center files (.tcx); the mapping onto the tree is
// described at TcxReader.
class TcxLoader : public XmlTrackLoader
{
public:
    TrackFileType GetFileType() const override { return TrackFileTcx; }

    // Trackpoints of the last read that were left out for having no
    // position.
    long long GetSkippedPointCount() const { return m_skipped; }

protected:
    bool ReadContent(QIODevice& device, LoadContext& context) override;

private:
    long long m_skipped = 0;
};
