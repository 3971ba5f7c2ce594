#include "MapDownloaderData.h"

#include "HttpDownloader.h"
#include "TileFetch.h"
#include "UpdateCounterImpl.h"

#include <utility>

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
    TileFetch fetch = TileFetch::Run(url, m_disk.get(), diskName, stored, &m_stopping);
    if (fetch.fetched)
        Arrive(key, std::move(fetch.bytes));
    const std::lock_guard lock(m_lock);
    m_running.erase(key);
    if (fetch.unchanged || fetch.fetched)
        m_retries.Forget(key);
    else if (stored || (!fetch.done && fetch.status != HttpDownloader::StatusNotFound))
        m_retries.RecordFailure(key, stored.has_value());
    else
        m_retries.RecordMissing(key);
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
