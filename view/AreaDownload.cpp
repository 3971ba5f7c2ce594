#include "AreaDownload.h"

#include "MapLayerParamsI.h"
#include "MapTileUrlI.h"
#include "TileDiskCache.h"
#include "TileFetch.h"

AreaDownload::Refusal AreaDownload::Check(const MapLayerParamsI& layer)
{
    const std::shared_ptr<const MapTileUrlI> url = layer.GetTileUrl();
    if (!url || url->GetUrl({}).startsWith(QStringLiteral("file:"), Qt::CaseInsensitive))
        return Refusal::Local;
    return layer.AllowsAreaDownload() ? Refusal::None : Refusal::Forbidden;
}

AreaDownload::AreaDownload(const MapLayerParamsI& layer, std::shared_ptr<TileDiskCache> disk,
                           std::vector<MapTile> tiles)
    : m_url(layer.GetTileUrl())
    , m_folder(TileDiskCache::FolderOf(layer.GetGuid()))
    , m_disk(std::move(disk))
    , m_tiles(std::move(tiles))
{
}

AreaDownload::~AreaDownload()
{
    Cancel();
    for (std::thread& worker : m_workers)
        worker.join();
}

void AreaDownload::Start()
{
    m_running = WorkerCount;
    for (int i = 0; i < WorkerCount; ++i)
        m_workers.emplace_back([this] { Work(); });
}

void AreaDownload::Cancel()
{
    m_cancel = true;
}

AreaDownload::Progress AreaDownload::GetProgress() const
{
    return {static_cast<int64_t>(m_tiles.size()), m_done, m_failed, m_bytes};
}

void AreaDownload::Work()
{
    for (size_t i = m_next++; i < m_tiles.size() && !m_cancel; i = m_next++)
        FetchOne(m_tiles[i]);
    --m_running;
}

void AreaDownload::FetchOne(const MapTile& tile)
{
    const QString name = TileDiskCache::TileName(m_folder, tile);
    const std::optional<StoredTile> stored = m_disk->Read(name);
    if (!stored || !m_disk->IsFresh(*stored)) {
        const TileFetch fetch = TileFetch::Run(m_url->GetUrl(tile), m_disk.get(), name, stored, &m_cancel);
        // A cancelled transfer is not a failure of the server's.
        if (m_cancel)
            return;
        if (fetch.fetched)
            m_bytes += static_cast<int64_t>(fetch.bytes.Size());
        else if (!fetch.unchanged)
            ++m_failed;
    }
    ++m_done;
}
