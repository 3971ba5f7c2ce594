#include "MapDownloaderData.h"

#include "HttpDownloader.h"
#include "TileFreshness.h"
#include "UpdateCounterImpl.h"

#include <utility>

namespace {

// HttpDownloader's own time-outs.
constexpr int DefaultTimeout = -1;
constexpr int NotModified = 304;

} // namespace

MapDownloaderData::MapDownloaderData(int workerCount, size_t cacheLimitBytes, TileRetryTable::Clock clock)
    : m_cache(cacheLimitBytes)
    , m_retries(std::move(clock))
    , m_arrivals(std::make_shared<UpdateCounterImpl>())
    , m_pool(workerCount)
{
    m_pool.SetMaxQueueSize(MaxQueuedTasks);
}

MapDownloaderData::~MapDownloaderData()
{
    m_stopping = true;
    m_pool.Shutdown();
    m_pool.AwaitShutdown(-1);
}

std::optional<ByteArray> MapDownloaderData::Find(const std::string& key)
{
    const std::lock_guard lock(m_lock);
    std::optional<ByteArray> bytes = m_cache.Find(key);
    if (!bytes && (m_running.contains(key) || m_retries.IsBlank(key)))
        bytes.emplace();
    return bytes;
}

bool MapDownloaderData::Request(const std::string& key, const QString& url, const QString& diskName)
{
    {
        const std::lock_guard lock(m_lock);
        // Marked before it is queued, so that the frames until a worker
        // takes it do not queue it again.
        if (!m_running.insert(key).second)
            return true;
    }
    if (m_pool.Execute([this, key, url, diskName] { Download(key, url, diskName); }))
        return true;
    const std::lock_guard lock(m_lock);
    m_running.erase(key);
    return false;
}

bool MapDownloaderData::IsOnItsWay(const std::string& key)
{
    const std::lock_guard lock(m_lock);
    return m_running.count(key) != 0;
}

bool MapDownloaderData::TakeDueRetries()
{
    const std::lock_guard lock(m_lock);
    return m_retries.TakeDueRetries();
}

void MapDownloaderData::Download(const std::string& key, const QString& url, const QString& diskName)
{
    std::optional<StoredTile> stored;
    if (m_disk && !diskName.isEmpty())
        stored = m_disk->Read(diskName);
    // Shown at once, also when it has expired: an old map is better than
    // none while the server is asked.
    if (stored)
        Arrive(key, stored->bytes);
    {
        const std::lock_guard lock(m_lock);
        // Never sooner than the delay: a server in trouble is not pressed.
        if ((stored && m_disk->IsFresh(*stored)) || m_retries.IsWaiting(key)) {
            m_running.erase(key);
            return;
        }
    }
    HttpDownloader downloader;
    downloader.SetAbortFlag(&m_stopping);
    if (stored && !stored->etag.isEmpty())
        downloader.SetRequestHeaders({"If-None-Match: " + stored->etag});
    else if (stored && !stored->lastModified.isEmpty())
        downloader.SetRequestHeaders({"If-Modified-Since: " + stored->lastModified});
    ByteArray bytes;
    const bool done = downloader.Download(url, bytes, DefaultTimeout);
    const bool unchanged = done && stored && downloader.GetStatus() == NotModified;
    const bool fetched = done && !bytes.IsEmpty();
    if (unchanged || fetched)
        Store(diskName, downloader, bytes, stored);
    if (fetched)
        Arrive(key, std::move(bytes));
    const std::lock_guard lock(m_lock);
    m_running.erase(key);
    if (unchanged || fetched)
        m_retries.Forget(key);
    else if (stored || (!done && downloader.GetStatus() != HttpDownloader::StatusNotFound))
        m_retries.RecordFailure(key, stored.has_value());
    else
        m_retries.RecordMissing(key);
}

void MapDownloaderData::Store(const QString& diskName, const HttpDownloader& downloader, const ByteArray& bytes,
                              std::optional<StoredTile> stored)
{
    if (!m_disk || diskName.isEmpty())
        return;
    const TileFreshness freshness = TileFreshness::FromHeaders(downloader.GetResponseHeader("cache-control"),
                                                               downloader.GetResponseHeader("expires"), m_disk->Now());
    if (!freshness.storable)
        return;
    StoredTile tile = stored ? std::move(*stored) : StoredTile();
    if (!bytes.IsEmpty()) {
        tile.bytes = bytes;
        tile.etag = downloader.GetResponseHeader("etag");
        tile.lastModified = downloader.GetResponseHeader("last-modified");
    }
    tile.expires = freshness.expires;
    // A disk that is full only costs the next run a download.
    m_disk->Write(diskName, tile);
}

std::vector<std::string> MapDownloaderData::TakeReplaced()
{
    const std::lock_guard lock(m_lock);
    return std::exchange(m_replaced, {});
}

void MapDownloaderData::Arrive(const std::string& key, ByteArray bytes)
{
    const std::lock_guard lock(m_lock);
    const std::optional<ByteArray> old = m_cache.Find(key);
    if (old && *old != bytes)
        m_replaced.push_back(key);
    m_cache.Insert(key, std::move(bytes));
    m_arrivals->Increment();
}

std::shared_ptr<UpdateWatcher> MapDownloaderData::GetUpdateWatcher() const
{
    return std::make_shared<UpdateWatcher>(m_arrivals);
}
