#pragma once

#include "MapTile.h"

#include <QString>

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

class MapLayerParamsI;
class MapTileUrlI;
class TileDiskCache;

// Fetches the tiles of an area into the disk cache ahead of time, so that
// the map shows them without a network. Tiles fresh on the disk are not
// asked for again; stale ones are checked with their server.
class AreaDownload
{
public:
    // Servers that allow bulk downloads still ask for few connections.
    static constexpr int WorkerCount = 2;
    // What a raster tile of a street map weighs, roughly: for the estimate
    // before starting only.
    static constexpr int64_t TypicalTileBytes = 20 * 1024;
    // More is hours of downloading and gigabytes on the disk.
    static constexpr int64_t MaxTiles = 50000;

    enum class Refusal {
        None,
        // The layer file does not allow it (public servers' usage policies).
        Forbidden,
        // Its tiles are on this computer already: a tile file, a tile
        // folder, the world map.
        Local
    };

    struct Progress
    {
        int64_t total = 0;
        // Tiles finished, with those that failed.
        int64_t done = 0;
        int64_t failed = 0;
        int64_t bytes = 0;
    };

    // Why the tiles of a layer may not be fetched ahead of time; None when
    // they may.
    static Refusal Check(const MapLayerParamsI& layer);

    // The layer must pass Check.
    AreaDownload(const MapLayerParamsI& layer, std::shared_ptr<TileDiskCache> disk, std::vector<MapTile> tiles);
    // Cancels and waits for the workers.
    ~AreaDownload();
    AreaDownload(const AreaDownload&) = delete;
    AreaDownload& operator=(const AreaDownload&) = delete;

    void Start();
    // Running transfers stop at once; tiles already kept stay.
    void Cancel();
    bool IsCancelled() const { return m_cancel; }
    // Every worker has stopped: all tiles done, or cancelled.
    bool IsFinished() const { return m_running == 0; }
    Progress GetProgress() const;

private:
    void Work();
    void FetchOne(const MapTile& tile);

    std::shared_ptr<const MapTileUrlI> m_url;
    QString m_folder;
    std::shared_ptr<TileDiskCache> m_disk;
    std::vector<MapTile> m_tiles;
    std::atomic<size_t> m_next{0};
    std::atomic<int64_t> m_done{0};
    std::atomic<int64_t> m_failed{0};
    std::atomic<int64_t> m_bytes{0};
    std::atomic<bool> m_cancel{false};
    std::atomic<int> m_running{0};
    std::vector<std::thread> m_workers;
};
