#pragma once

#include "GeoTypes.h"
#include "MapTile.h"

#include <cstdint>
#include <vector>

// The tiles that cover an area at a range of zooms, exactly: those that
// only touch its edge are left out, and none lies outside the grid.
class AreaTiles
{
public:
    // area: west, south, east, north; latitudes beyond the grid are cut.
    AreaTiles(const GeoRect& area, int minZoom, int maxZoom);

    int64_t Count() const;
    // Listed zoom by zoom, rows from the north; only when Count is not too
    // large to hold.
    std::vector<MapTile> List() const;

private:
    struct Span
    {
        int zoom;
        int x0, x1, y0, y1; // inclusive
    };

    std::vector<Span> m_spans;
};
