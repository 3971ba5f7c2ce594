#pragma once

#include "XmlTrackLoader.h"

// GPX 1.0 and 1.1 files (GpxReader).
class GpxLoader : public XmlTrackLoader
{
public:
    TrackFileType GetFileType() const override { return TrackFileGpx; }

protected:
    bool ReadContent(QIODevice& device, LoadContext& context) override;
};
