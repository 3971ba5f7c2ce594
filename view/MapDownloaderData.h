#pragma once

#include "LruCacheImpl.h"
#include "ThreadPool.h"
#include "TileDiskCache.h"
#include "TileRetryTable.h"

#include <QString>

#include <atomic>
#include <memory>
#include <mutex>
#include <unordered_set>
#include <vector>

class TileDiskCache;
class UpdateCounterImpl;
class UpdateWatcher;

// Fetches tiles on worker threads into the shared byte cache and counts
// every tile that arrives, so that the map window knows to redraw. A failed
// tile is tried again after the delays of TileRetryTable.
//
// With a disk cache, a tile on the disk is shown from there; once its server's
// expiry has passed it is shown all the same while the server is asked
// whether it changed (If-None-Match, If-Modified-Since). A "not modified"
// keeps the bytes with a new expiry; a failed check changes nothing on the
// disk and is tried again like a failed download.
class MapDownloaderData
{
public:
    static constexpr int WorkerCount = 6;
    // Requests beyond this wait for a later frame: a pan across many tiles
    // must not queue downloads of places long left behind.
    static constexpr int MaxQueuedTasks = 6;

    explicit MapDownloaderData(int workerCount = WorkerCount, size_t cacheLimitBytes = LruCacheImpl::DefaultLimit,
                               TileRetryTable::Clock clock = {});
    // Abandons queued and running downloads and waits for the workers.
    ~MapDownloaderData();
    MapDownloaderData(const MapDownloaderData&) = delete;
    MapDownloaderData& operator=(const MapDownloaderData&) = delete;

    // The cached bytes of a tile; empty while its download runs, while it
    // waits to be tried again after a failure and when the server has no such
    // tile; none when it should be asked for (never asked, left the cache,
    // its retry is due).
    std::optional<ByteArray> Find(const std::string& key);
    // Downloads the tile unless it is in the cache or on its way already.
    // diskName: where the disk cache keeps the tile, empty for none. False
    // when the queue is full: nothing is recorded and the tile may be asked
    // for again.
    bool Request(const std::string& key, const QString& url, const QString& diskName = {});
    // Queued or being downloaded now.
    bool IsOnItsWay(const std::string& key);
    // Before the first request.
    void SetDiskCache(std::shared_ptr<TileDiskCache> disk) { m_disk = std::move(disk); }
    // True once after a failed tile's retry came due: the window should draw
    // again, which asks for it.
    bool TakeDueRetries();

    // The tiles whose bytes changed since the last call (an expired tile
    // that its server had anew): pictures made of the old bytes are out of
    // date.
    std::vector<std::string> TakeReplaced();

    // Reports every tile that arrived after the watcher was made.
    std::shared_ptr<UpdateWatcher> GetUpdateWatcher() const;

private:
    void Download(const std::string& key, const QString& url, const QString& diskName);
    void Arrive(const std::string& key, ByteArray bytes);

    std::mutex m_lock;
    LruCacheImpl m_cache;
    TileRetryTable m_retries;
    std::shared_ptr<TileDiskCache> m_disk;
    std::unordered_set<std::string> m_running;
    std::vector<std::string> m_replaced;
    std::shared_ptr<UpdateCounterImpl> m_arrivals;
    std::atomic<bool> m_stopping{false};
    // Last, so that it goes first: its workers use the members above.
    ThreadPool m_pool;
};
