#include "MapDownloaderData.h"

#include "HttpDownloader.h"
#include "UpdateCounterImpl.h"

namespace {

// HttpDownloader's own time-outs.
constexpr int DefaultTimeout = -1;

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

bool MapDownloaderData::Request(const std::string& key, const QString& url)
{
    {
        const std::lock_guard lock(m_lock);
        // Marked before it is queued, so that the frames until a worker
        // takes it do not queue it again.
        if (!m_running.insert(key).second)
            return true;
    }
    if (m_pool.Execute([this, key, url] { Download(key, url); }))
        return true;
    const std::lock_guard lock(m_lock);
    m_running.erase(key);
    return false;
}

bool MapDownloaderData::TakeDueRetries()
{
    const std::lock_guard lock(m_lock);
    return m_retries.TakeDueRetries();
}

void MapDownloaderData::Download(const std::string& key, const QString& url)
{
    bool waiting = false;
    {
        const std::lock_guard lock(m_lock);
        waiting = m_retries.IsWaiting(key);
    }
    HttpDownloader downloader;
    downloader.SetAbortFlag(&m_stopping);
    ByteArray bytes;
    // Never sooner than the delay: a server in trouble is not pressed.
    const bool done = !waiting && downloader.Download(url, bytes, DefaultTimeout);
    const std::lock_guard lock(m_lock);
    m_running.erase(key);
    if (waiting)
        return;
    if (!done && downloader.GetStatus() != HttpDownloader::StatusNotFound) {
        m_retries.RecordFailure(key, false);
        return;
    }
    if (bytes.IsEmpty()) {
        m_retries.RecordMissing(key);
        return;
    }
    m_retries.Forget(key);
    m_cache.Insert(key, std::move(bytes));
    m_arrivals->Increment();
}

std::shared_ptr<UpdateWatcher> MapDownloaderData::GetUpdateWatcher() const
{
    return std::make_shared<UpdateWatcher>(m_arrivals);
}
