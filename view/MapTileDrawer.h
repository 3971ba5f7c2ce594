#pragma once

#include "MapTile.h"

#include <QImage>
#include <QString>

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

class CoordTransformI;
class DrawingLayersI;
class MapDownloaderData;
class MapLayerCoverageI;
class MapLayersI;
class MapTileUrlI;
class MbTilesFile;
class ByteArray;
class UpdateWatcher;
class WorldBasemap;

// Draws the tiles of the current map layer into the tile layer of a frame,
// each stretched from its mercator bounds onto the view's projection.
// Missing tiles are requested and shown once they arrive; meanwhile a
// coarser tile already at hand stands in for them. Where neither is there,
// the offline world map shows, if there is one.
class MapTileDrawer
{
public:
    // How many zoom levels up a stand-in may come from (8 times magnified).
    static constexpr int MaxParentLevels = 3;
    // Decoded images beyond this many are dropped unless the last frame
    // used them.
    static constexpr size_t KeptImages = 256;

    explicit MapTileDrawer(std::shared_ptr<MapLayersI> layers, std::unique_ptr<MapDownloaderData> downloader = nullptr,
                           std::shared_ptr<WorldBasemap> world = nullptr);
    ~MapTileDrawer();

    // Nothing for layer index -1, a layer that did not load or while the map
    // is hidden (no tile layer in the frame).
    void DrawTiles(DrawingLayersI& layers, const CoordTransformI& transform, int layerIndex);
    // True once after new tiles arrived or a failed tile may be tried again:
    // the window should redraw.
    bool HasNewTiles();
    // Tiles the last DrawTiles asked for that have not arrived yet (neither
    // bytes nor a failure); 0 once the frame is as complete as it can get.
    int GetPendingTiles() const { return m_pendingTiles; }

private:
    struct KeptImage
    {
        // Null for bytes that would not decode: they are not tried again.
        QImage image;
        uint64_t lastFrame = 0;
    };

    // Where a layer's tiles come from: its tile file, or else its URL.
    struct TileSource
    {
        std::shared_ptr<MbTilesFile> file;
        std::shared_ptr<const MapTileUrlI> url;
        // The layer's folder in the disk cache.
        QString diskFolder;
    };

    // The tile's image, or the part of a parent's image that covers it; null
    // when neither is at hand.
    QImage FindImage(const MapTile& tile, const TileSource& source, const MapLayerCoverageI& coverage);
    // The decoded image of a tile; null while it is not there, in which case
    // a download is requested unless it was already.
    QImage GetTileImage(const MapTile& tile, const TileSource& source);
    // The downloaded bytes of a tile; false while they are not there.
    bool Fetch(const MapTile& tile, const TileSource& source, ByteArray& bytes);
    void DropUnusedImages();

    std::shared_ptr<MapLayersI> m_layers;
    std::unique_ptr<MapDownloaderData> m_downloader;
    std::shared_ptr<WorldBasemap> m_world;
    std::shared_ptr<UpdateWatcher> m_arrivals;
    std::unordered_map<std::string, KeptImage> m_images;
    uint64_t m_frame = 0;
    int m_pendingTiles = 0;
};
