#include "FuzzInputFile.h"
#include "MapLayerCoverageI.h"
#include "MapLayerParams.h"
#include "MapTileUrlI.h"

#include <cstdio>
#include <cstdlib>

namespace {

void Fail(const char* what)
{
    std::fprintf(stderr, "layer: %s\n", what);
    std::abort();
}

} // namespace

// A map layer file as the layer menu and the tile loader use it: loaded,
// then asked for its zoom range, a tile's address and the tiles of a small
// area at each end of the range.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    MapLayerParams layer;
    QString error;
    if (!layer.Load(FuzzInputFile(data, size, QStringLiteral(".xml")), error)) {
        if (error.isEmpty())
            Fail("refused without a reason");
        return 0;
    }
    (void)layer.GetCopyrights();
    const auto coverage = layer.GetCoverage();
    if (layer.IsValid() && !coverage)
        Fail("valid without a coverage");
    if (!coverage)
        return 0;
    const int minZoom = coverage->GetMinZoom();
    const int maxZoom = coverage->GetMaxZoom();
    if (minZoom < 0 || maxZoom < minZoom)
        Fail("a zoom range that is none");
    for (const double metresPerPixel : {0.01, 1.0, 1000.0, 1e9}) {
        const int zoom = coverage->GetZoom(metresPerPixel);
        if (zoom < minZoom || zoom > maxZoom)
            Fail("a zoom outside the range");
    }
    // A tenth of a degree around Bern, as a zoomed-in view asks for it.
    const GeoRect view{7.40, 46.90, 7.50, 47.00};
    for (const int zoom : {minZoom, maxZoom}) {
        for (const MapTile& tile : coverage->GetTiles(view, zoom)) {
            (void)coverage->GetTileBounds(tile);
            if (const auto url = layer.GetTileUrl())
                (void)url->GetUrl(tile);
        }
    }
    return 0;
}
