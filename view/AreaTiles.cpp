#include "AreaTiles.h"

#include "OsmLayerCoverage.h"

#include <algorithm>
#include <cmath>

namespace {

// The tiles from the one holding `from` to the one holding `to`, where `to`
// on a tile edge belongs to the tile before it.
std::pair<int, int> Cells(double from, double to, int count)
{
    const int first = std::clamp(static_cast<int>(std::floor(from)), 0, count - 1);
    const int last = std::clamp(static_cast<int>(std::ceil(to)) - 1, 0, count - 1);
    return {first, std::max(first, last)};
}

} // namespace

AreaTiles::AreaTiles(const GeoRect& area, int minZoom, int maxZoom)
{
    const double limit = OsmLayerCoverage::LatitudeLimit;
    const double west = std::max(area.lon0, -180.0);
    const double east = std::min(area.lon1, 180.0);
    const double south = std::max(area.lat0, -limit);
    const double north = std::min(area.lat1, limit);
    if (west >= east || south >= north)
        return;
    for (int zoom = std::max(minZoom, 0); zoom <= std::min(maxZoom, OsmLayerCoverage::MaxGridZoom); ++zoom) {
        const int count = 1 << zoom;
        const auto [x0, x1] = Cells(OsmLayerCoverage::TileX(west, zoom), OsmLayerCoverage::TileX(east, zoom), count);
        const auto [y0, y1] = Cells(OsmLayerCoverage::TileY(north, zoom), OsmLayerCoverage::TileY(south, zoom), count);
        m_spans.push_back({zoom, x0, x1, y0, y1});
    }
}

int64_t AreaTiles::Count() const
{
    int64_t count = 0;
    for (const Span& span : m_spans)
        count += int64_t(span.x1 - span.x0 + 1) * (span.y1 - span.y0 + 1);
    return count;
}

std::vector<MapTile> AreaTiles::List() const
{
    std::vector<MapTile> tiles;
    tiles.reserve(static_cast<size_t>(Count()));
    for (const Span& span : m_spans)
        for (int y = span.y0; y <= span.y1; ++y)
            for (int x = span.x0; x <= span.x1; ++x)
                tiles.push_back({x, y, span.zoom, 0});
    return tiles;
}
