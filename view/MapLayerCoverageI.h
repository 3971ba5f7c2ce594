#pragma once

#include "GeoTypes.h"
#include "MapTile.h"

#include <vector>

// The zoom levels a layer has and the arithmetic of its tile grid.
class MapLayerCoverageI
{
public:
    virtual ~MapLayerCoverageI() = default;

    // The zoom whose tiles suit the scale (metres per pixel), within the
    // layer's range.
    virtual int GetZoom(double metresPerPixel) const = 0;
    virtual int GetMinZoom() const = 0;
    virtual int GetMaxZoom() const = 0;
    // The geographic rectangle a tile covers.
    virtual GeoRect GetTileBounds(const MapTile& tile) const = 0;
    // The tiles of a zoom that cover the rectangle, row by row from the
    // north; their layer is 0.
    virtual std::vector<MapTile> GetTiles(const GeoRect& rect, int zoom) const = 0;
};
