#include "MapTileDrawer.h"

#include "CoordTransformI.h"
#include "DrawingLayersI.h"
#include "MapDownloaderData.h"
#include "MapLayerCoverageI.h"
#include "MapLayerParamsI.h"
#include "MapLayersI.h"
#include "MapTileUrlI.h"
#include "MbTilesFile.h"
#include "OsmLayerCoverage.h"
#include "TileDiskCache.h"
#include "UpdateCounterImpl.h"
#include "WorldBasemap.h"

#include <QPainter>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

constexpr int TileLayer = 1;

// The part of the view the tile grid can cover, west, south, east, north.
GeoRect VisibleGrid(const GeoRect& view)
{
    const double limit = OsmLayerCoverage::LatitudeLimit;
    return {std::max(view.lon0, -180.0), std::max(view.lat0, -limit), std::min(view.lon1, 180.0),
            std::min(view.lat1, limit)};
}

} // namespace

MapTileDrawer::MapTileDrawer(std::shared_ptr<MapLayersI> layers, std::unique_ptr<MapDownloaderData> downloader,
                             std::shared_ptr<WorldBasemap> world)
    : m_layers(std::move(layers))
    , m_downloader(downloader ? std::move(downloader) : std::make_unique<MapDownloaderData>())
    , m_world(std::move(world))
    , m_arrivals(m_downloader->GetUpdateWatcher())
{
}

MapTileDrawer::~MapTileDrawer() = default;

bool MapTileDrawer::HasNewTiles()
{
    const bool arrived = m_arrivals->IsUpdated();
    for (const std::string& key : m_downloader->TakeReplaced())
        m_images.erase(key);
    return m_downloader->TakeDueRetries() || arrived;
}

void MapTileDrawer::DrawTiles(DrawingLayersI& layers, const CoordTransformI& transform, int layerIndex)
{
    m_pendingTiles = 0;
    QPainter* surface = layers.GetLayer(TileLayer);
    if (!surface || layerIndex < 0)
        return;
    const std::shared_ptr<const MapLayerParamsI> params = m_layers->GetParams(layerIndex);
    if (params && params->IsWorldMap()) {
        if (m_world)
            m_world->Draw(*surface, transform);
        return;
    }
    const std::shared_ptr<const MapLayerCoverageI> coverage = params ? params->GetCoverage() : nullptr;
    if (!coverage)
        return;
    const TileSource source{params->GetTileFile(), params->GetTileUrl(), TileDiskCache::FolderOf(params->GetGuid())};
    if (!source.file && !source.url)
        return;
    const GeoRect view = ViewGeoRect(transform);
    const GeoRect visible = VisibleGrid(view);
    if (visible.lon0 >= visible.lon1 || visible.lat0 >= visible.lat1)
        return;
    ++m_frame;
    std::vector<std::pair<QRectF, QImage>> found;
    // Beyond the grid (near the poles, past 180 degrees) there are no tiles.
    bool missing = !(view == visible);
    for (MapTile tile : coverage->GetTiles(visible, coverage->GetZoom(transform.GetScale()))) {
        tile.layer = layerIndex;
        QImage image = FindImage(tile, source, *coverage);
        if (image.isNull()) {
            missing = true;
            continue;
        }
        const GeoRect bounds = coverage->GetTileBounds(tile);
        const PointF northWest = transform.GeoToPixelF({bounds.lon0, bounds.lat1});
        const PointF southEast = transform.GeoToPixelF({bounds.lon1, bounds.lat0});
        found.emplace_back(QRectF(QPointF(northWest.x, northWest.y), QPointF(southEast.x, southEast.y)),
                           std::move(image));
    }
    if (missing && m_world)
        m_world->Draw(*surface, transform);
    surface->save();
    // Tiles meet edge to edge: anti-aliased edges would let the background
    // show through the seams.
    surface->setRenderHint(QPainter::Antialiasing, false);
    surface->setRenderHint(QPainter::SmoothPixmapTransform, true);
    for (const auto& [rect, image] : found)
        surface->drawImage(rect, image);
    surface->restore();
    DropUnusedImages();
}

QImage MapTileDrawer::FindImage(const MapTile& tile, const TileSource& source, const MapLayerCoverageI& coverage)
{
    QImage image = GetTileImage(tile, source);
    if (!image.isNull())
        return image;
    for (int up = 1; up <= MaxParentLevels && tile.zoom - up >= coverage.GetMinZoom(); ++up) {
        const MapTile parent{tile.x >> up, tile.y >> up, tile.zoom - up, tile.layer};
        const QImage parentImage = GetTileImage(parent, source);
        if (parentImage.isNull())
            continue;
        // Measured on the image, as a server may send tiles larger than 256.
        const int width = parentImage.width() >> up;
        const int height = parentImage.height() >> up;
        // A copy rather than a source rectangle: smoothing would blend in
        // the pixels of the parent's neighbouring parts.
        return parentImage.copy((tile.x - (parent.x << up)) * width, (tile.y - (parent.y << up)) * height, width,
                                height);
    }
    return {};
}

QImage MapTileDrawer::GetTileImage(const MapTile& tile, const TileSource& source)
{
    const std::string key = MapTileKey(tile);
    auto kept = m_images.find(key);
    if (kept == m_images.end()) {
        ByteArray bytes;
        // A tile file answers at once, on this thread; a tile it lacks is
        // kept as a null image and not looked for again.
        if (source.file)
            source.file->Read(tile, bytes);
        else if (!Fetch(tile, source, bytes))
            return {};
        // Whatever the platform decodes: PNG, JPEG and others.
        QImage image;
        if (image.loadFromData(bytes.Addr(), static_cast<int>(bytes.Size())))
            image.convertTo(QImage::Format_ARGB32_Premultiplied);
        kept = m_images.emplace(key, KeptImage{std::move(image), 0}).first;
    }
    kept->second.lastFrame = m_frame;
    return kept->second.image;
}

bool MapTileDrawer::Fetch(const MapTile& tile, const TileSource& source, ByteArray& bytes)
{
    const std::string key = MapTileKey(tile);
    std::optional<ByteArray> found = m_downloader->Find(key);
    if (!found) {
        const QString address = source.url->GetUrl(tile);
        // A local tile folder is its own cache.
        const bool local = address.startsWith(QStringLiteral("file:"), Qt::CaseInsensitive);
        m_downloader->Request(
            key, address,
            local || source.diskFolder.isEmpty()
                ? QString()
                : TileDiskCache::TileName(source.diskFolder, tile));
        ++m_pendingTiles;
        return false;
    }
    if (found->IsEmpty()) {
        if (m_downloader->IsOnItsWay(key))
            ++m_pendingTiles;
        return false;
    }
    bytes = std::move(*found);
    return true;
}

void MapTileDrawer::DropUnusedImages()
{
    if (m_images.size() <= KeptImages)
        return;
    std::erase_if(m_images, [this](const auto& entry) { return entry.second.lastFrame != m_frame; });
}
