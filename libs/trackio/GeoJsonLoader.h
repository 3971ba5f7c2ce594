#pragma once

#include "TrackLoaderBase.h"

// GeoJSON files (.geojson, .json), read whole into memory (the load manager
// refuses files beyond its size limit); the mapping onto the tree is
// described at GeoJsonReader.
class GeoJsonLoader : public TrackLoaderBase
{
public:
    TrackFileType GetFileType() const override { return TrackFileGeoJson; }

protected:
    bool ReadContent(QIODevice& device, LoadContext& context) override;
};
