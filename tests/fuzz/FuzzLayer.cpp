#include "FuzzFail.h"
#include "FuzzInputFile.h"
#include "MapLayerCoverageI.h"
#include "MapLayerParams.h"
#include "MapTileUrlI.h"

#include <algorithm>
#include <cmath>

// A map layer file as the layer menu and the tile loader use it: loaded,
// then asked for its zoom range, a tile's address and the tiles of a small
// area at each end of the range.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    MapLayerParams layer;
    QString error;
    if (!layer.Load(FuzzInputFile(data, size, QStringLiteral(".xml")), error)) {
        if (error.isEmpty())
            FuzzFail("layer: refused without a reason");
        return 0;
    }
    (void)layer.GetCopyrights();
    const auto coverage = layer.GetCoverage();
    if (layer.IsValid() && !coverage)
        FuzzFail("layer: valid without a coverage");
    if (!coverage)
        return 0;
    const int minZoom = coverage->GetMinZoom();
    const int maxZoom = coverage->GetMaxZoom();
    if (minZoom < 0 || maxZoom < minZoom)
        FuzzFail("layer: a zoom range that is none");
    for (const double metresPerPixel : {0.01, 1.0, 1000.0, 1e9}) {
        const int zoom = coverage->GetZoom(metresPerPixel);
        if (zoom < minZoom || zoom > maxZoom)
            FuzzFail("layer: a zoom outside the range");
    }
    for (const int zoom : {minZoom, maxZoom}) {
        // Three tiles' width around Bern, as a window asks for them, within
        // the latitudes the map shows.
        const double span = std::min(3 * 360.0 / std::ldexp(1.0, zoom), 60.0);
        const GeoRect view{7.45 - span / 2, 46.95 - span / 4, 7.45 + span / 2, 46.95 + span / 4};
        for (const MapTile& tile : coverage->GetTiles(view, zoom)) {
            (void)coverage->GetTileBounds(tile);
            if (const auto url = layer.GetTileUrl())
                (void)url->GetUrl(tile);
        }
    }
    return 0;
}
