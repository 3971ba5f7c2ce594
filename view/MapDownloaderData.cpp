#include "MapDownloaderData.h"

#include "HttpDownloader.h"
#include "UpdateCounterImpl.h"

namespace {

// HttpDownloader's own time-outs.
constexpr int DefaultTimeout = -1;

} // namespace

MapDownloaderData::MapDownloaderData(int workerCount, size_t cacheLimitBytes)
    : m_cache(cacheLimitBytes)
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
    return m_cache.Find(key);
}

bool MapDownloaderData::Request(const std::string& key, const QString& url)
{
    return m_pool.Execute([this, key, url] { Download(key, url); });
}

void MapDownloaderData::Download(const std::string& key, const QString& url)
{
    {
        const std::lock_guard lock(m_lock);
        if (m_cache.Find(key))
            return;
        // Marks the tile as asked for, so that later frames do not ask again
        // while it downloads, nor after it failed.
        m_cache.Insert(key, ByteArray());
    }
    HttpDownloader downloader;
    downloader.SetAbortFlag(&m_stopping);
    ByteArray bytes;
    if (!downloader.Download(url, bytes, DefaultTimeout) || bytes.IsEmpty())
        return;
    {
        const std::lock_guard lock(m_lock);
        m_cache.Insert(key, std::move(bytes));
    }
    m_arrivals->Increment();
}

std::shared_ptr<UpdateWatcher> MapDownloaderData::GetUpdateWatcher() const
{
    return std::make_shared<UpdateWatcher>(m_arrivals);
}
