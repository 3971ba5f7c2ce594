#pragma once

#include "MapLayerCoverageI.h"

// The common web-map tile grid: spherical web mercator, 2^zoom tiles of 256
// pixels across the world, row 0 at the north.
class OsmLayerCoverage : public MapLayerCoverageI
{
public:
    static constexpr int TileSize = 256;
    // The grid stops short of the poles: the mercator row of ±85.05° is the
    // edge of the world.
    static constexpr double LatitudeLimit = 86.0;
    // 2^MaxGridZoom tiles still fit in an int.
    static constexpr int MaxGridZoom = 30;

    // ratio > 1 picks finer tiles for a scale, < 1 coarser ones (a server
    // whose tiles are drawn for other screen resolutions).
    OsmLayerCoverage(int minZoom, int maxZoom, double ratio = 1.0);

    int GetZoom(double metresPerPixel) const override;
    int GetMinZoom() const override { return m_minZoom; }
    int GetMaxZoom() const override { return m_maxZoom; }
    GeoRect GetTileBounds(const MapTile& tile) const override;
    std::vector<MapTile> GetTiles(const GeoRect& rect, int zoom) const override;

    // Fractional tile column of a longitude and row of a latitude.
    static double TileX(double lon, int zoom);
    static double TileY(double lat, int zoom);
    // Latitude of the northern edge of a (fractional) row.
    static double TileLat(double y, int zoom);

private:
    int m_minZoom = -1;
    int m_maxZoom = -1;
    double m_ratio = 1.0;
};
