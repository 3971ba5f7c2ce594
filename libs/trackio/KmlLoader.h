#pragma once

#include "TrackLoaderBase.h"

// KML files (.kml); the mapping onto the tree is described at KmlReader.
class KmlLoader : public TrackLoaderBase
{
public:
    TrackFileType GetFileType() const override { return TrackFileKml; }

protected:
    bool ReadContent(QIODevice& device, LoadContext& context) override;
};
