#include "OsmLayerCoverage.h"

#include "TMath.h"

#include <algorithm>
#include <cmath>

namespace {

// The scale, in metres per pixel, at which the single tile of zoom 0 fills
// its 256 pixels, rounded as tile servers describe their levels.
constexpr double WorldMetres = 20000000.0;

double TileCount(int zoom)
{
    return std::ldexp(1.0, zoom);
}

} // namespace

OsmLayerCoverage::OsmLayerCoverage(int minZoom, int maxZoom, double ratio)
    : m_minZoom(minZoom)
    , m_maxZoom(maxZoom)
    , m_ratio(ratio)
{
}

double OsmLayerCoverage::TileX(double lon, int zoom)
{
    return (lon + 180.0) / 360.0 * TileCount(zoom);
}

double OsmLayerCoverage::TileY(double lat, int zoom)
{
    const double phi = lat * TMath<double>::DEG_TO_RAD;
    return (1.0 - std::log(std::tan(phi) + 1.0 / std::cos(phi)) / TMath<double>::PI) / 2.0 * TileCount(zoom);
}

double OsmLayerCoverage::TileLat(double y, int zoom)
{
    const double t = TMath<double>::PI * (1.0 - 2.0 * y / TileCount(zoom));
    return 180.0 / TMath<double>::PI * std::atan((std::exp(t) - std::exp(-t)) / 2.0);
}

int OsmLayerCoverage::GetZoom(double metresPerPixel) const
{
    const double zoom = std::floor(std::log2(WorldMetres / (metresPerPixel * TileSize) * m_ratio));
    // Clamped as a double: a scale of 0 would give infinity.
    return static_cast<int>(std::clamp(zoom, double(m_minZoom), double(m_maxZoom)));
}

GeoRect OsmLayerCoverage::GetTileBounds(const MapTile& tile) const
{
    const double n = TileCount(tile.zoom);
    return {tile.x / n * 360.0 - 180.0, TileLat(tile.y + 1, tile.zoom), (tile.x + 1) / n * 360.0 - 180.0,
            TileLat(tile.y, tile.zoom)};
}

std::vector<MapTile> OsmLayerCoverage::GetTiles(const GeoRect& rect, int zoom) const
{
    const int last = static_cast<int>(TileCount(zoom)) - 1;
    const int x0 = std::clamp(static_cast<int>(std::floor(TileX(rect.lon0, zoom))), 0, last);
    const int y0 = std::clamp(static_cast<int>(std::floor(TileY(rect.lat1, zoom))), 0, last);
    // The far edges are not clamped: an edge exactly on a tile border takes
    // the next tile too, which then simply has no image.
    const int x1 = static_cast<int>(std::ceil(TileX(rect.lon1, zoom)));
    const int y1 = static_cast<int>(std::ceil(TileY(rect.lat0, zoom)));
    std::vector<MapTile> tiles;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            tiles.push_back({x, y, zoom, 0});
    return tiles;
}
