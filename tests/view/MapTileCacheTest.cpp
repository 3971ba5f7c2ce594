#include "LruCacheImpl.h"
#include "MapDownloaderData.h"
#include "MapTestSupport.h"
#include "TestSupport.h"
#include "TileDiskCache.h"
#include "TileFreshness.h"
#include "UpdateCounterImpl.h"

#include <QDir>

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <thread>

namespace {

ByteArray Bytes(size_t size, char fill = 'x')
{
    const std::string text(size, fill);
    return ByteArray(text.data(), text.size());
}

// True as soon as the watcher reports, false after five seconds without.
bool WaitForArrival(UpdateWatcher& watcher)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline) {
        if (watcher.IsUpdated())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

} // namespace

TEST(LruCacheImpl, TheLeastRecentlyUsedGoFirstWhenTheLimitIsPassed)
{
    LruCacheImpl cache(100);
    cache.Insert("a", Bytes(40));
    cache.Insert("b", Bytes(40));
    cache.Insert("c", Bytes(10));
    EXPECT_EQ(cache.GetTotalSize(), 90u);
    // A lookup makes "a" the most recent, so "b" is now the oldest.
    ASSERT_TRUE(cache.Find("a"));
    cache.Insert("d", Bytes(30));
    EXPECT_FALSE(cache.Find("b"));
    EXPECT_EQ(cache.GetTotalSize(), 80u);
    EXPECT_EQ(cache.GetCount(), 3u);

    // Two more go when one is not enough: "c" and then "a".
    cache.Insert("e", Bytes(70));
    EXPECT_FALSE(cache.Find("c"));
    EXPECT_FALSE(cache.Find("a"));
    ASSERT_TRUE(cache.Find("d"));
    EXPECT_EQ(cache.Find("e")->Size(), 70u);
    EXPECT_EQ(cache.GetTotalSize(), 100u);
    EXPECT_EQ(cache.GetCount(), 2u);
}

TEST(LruCacheImpl, ReplacingAnEntryCountsOnlyItsNewSize)
{
    LruCacheImpl cache(100);
    cache.Insert("tile", ByteArray());
    EXPECT_EQ(cache.GetTotalSize(), 0u);
    ASSERT_TRUE(cache.Find("tile"));
    EXPECT_TRUE(cache.Find("tile")->IsEmpty());
    cache.Insert("tile", Bytes(60, 'p'));
    cache.Insert("other", Bytes(30));
    EXPECT_EQ(cache.GetTotalSize(), 90u);
    EXPECT_EQ(cache.GetCount(), 2u);
    EXPECT_EQ(*cache.Find("tile"), Bytes(60, 'p'));
    EXPECT_FALSE(cache.Find("never"));
}

TEST(LruCacheImpl, TheDefaultLimitIs150MiB)
{
    LruCacheImpl cache;
    cache.Insert("first", Bytes(1));
    cache.Insert("big", Bytes(150 * 1024 * 1024 - 1));
    // Exactly at the limit: nothing goes.
    EXPECT_EQ(cache.GetCount(), 2u);
    cache.Insert("one more", Bytes(1));
    EXPECT_FALSE(cache.Find("first"));
    EXPECT_TRUE(cache.Find("big"));
    EXPECT_EQ(cache.GetTotalSize(), 150u * 1024 * 1024);
}

class MapDownloaderTest : public ::testing::Test
{
protected:
    QString TilePath(const QString& name) const { return QDir(m_dir).filePath(name); }

    QString m_dir = MakeTempDir();
};

TEST_F(MapDownloaderTest, ADownloadedTileEntersTheCacheAndIsCounted)
{
    WriteTestFile(TilePath(QStringLiteral("tile.png")), QByteArray("not really a picture"));
    MapDownloaderData downloader;
    const std::shared_ptr<UpdateWatcher> arrivals = downloader.GetUpdateWatcher();
    EXPECT_FALSE(downloader.Find("k"));
    ASSERT_TRUE(downloader.Request("k", FileUrl(TilePath(QStringLiteral("tile.png")))));
    ASSERT_TRUE(WaitForArrival(*arrivals));
    const std::optional<ByteArray> bytes = downloader.Find("k");
    ASSERT_TRUE(bytes);
    const QByteArray text("not really a picture");
    EXPECT_EQ(*bytes, ByteArray(text.constData(), static_cast<size_t>(text.size())));
    EXPECT_FALSE(arrivals->IsUpdated());
}

TEST_F(MapDownloaderTest, AFailedTileIsAskedForAgainAfterItsDelayAndNotBefore)
{
    LoopbackHttpServer server;
    server.SetRoute("/t.png", LoopbackHttpServer::Route("busy", 503));
    server.SetRoute("/sentinel.png", LoopbackHttpServer::Route("S"));
    ManualClock clock;
    // One worker, so a later request finishes after an earlier one.
    MapDownloaderData downloader(1, LruCacheImpl::DefaultLimit, clock.Get());
    const std::shared_ptr<UpdateWatcher> arrivals = downloader.GetUpdateWatcher();
    ASSERT_TRUE(downloader.Request("t", server.Url("/t.png")));
    ASSERT_TRUE(downloader.Request("sentinel", server.Url("/sentinel.png")));
    ASSERT_TRUE(WaitForArrival(*arrivals));
    ASSERT_TRUE(downloader.Find("t"));
    EXPECT_TRUE(downloader.Find("t")->IsEmpty());

    // The server is back, but the delay is not over: a request is ignored.
    server.SetRoute("/t.png", LoopbackHttpServer::Route("tile"));
    clock.Advance(std::chrono::seconds(29));
    EXPECT_FALSE(downloader.TakeDueRetries());
    ASSERT_TRUE(downloader.Request("t", server.Url("/t.png")));
    server.SetRoute("/sentinel2.png", LoopbackHttpServer::Route("S"));
    ASSERT_TRUE(downloader.Request("sentinel2", server.Url("/sentinel2.png")));
    ASSERT_TRUE(WaitForArrival(*arrivals));
    EXPECT_EQ(server.GetRequestCount("/t.png"), 1);
    EXPECT_TRUE(downloader.Find("t")->IsEmpty());

    clock.Advance(std::chrono::seconds(1));
    EXPECT_TRUE(downloader.TakeDueRetries());
    EXPECT_FALSE(downloader.TakeDueRetries());
    EXPECT_FALSE(downloader.Find("t"));
    ASSERT_TRUE(downloader.Request("t", server.Url("/t.png")));
    ASSERT_TRUE(WaitForArrival(*arrivals));
    EXPECT_EQ(*downloader.Find("t"), ByteArray("tile", 4));
    EXPECT_EQ(server.GetRequestCount("/t.png"), 2);
}

TEST_F(MapDownloaderTest, TooManyRequestsAndNoAnswerAreRetriedButNotFoundIsNot)
{
    LoopbackHttpServer server;
    server.SetRoute("/limited.png", LoopbackHttpServer::Route("slow down", 429));
    server.SetRoute("/sentinel.png", LoopbackHttpServer::Route("S"));
    std::optional<LoopbackListener> closed(std::in_place);
    const QString nobody = closed->Url("/tile.png");
    closed.reset();
    ManualClock clock;
    MapDownloaderData downloader(1, LruCacheImpl::DefaultLimit, clock.Get());
    const std::shared_ptr<UpdateWatcher> arrivals = downloader.GetUpdateWatcher();
    ASSERT_TRUE(downloader.Request("limited", server.Url("/limited.png")));
    ASSERT_TRUE(downloader.Request("gone", server.Url("/gone.png")));
    ASSERT_TRUE(downloader.Request("nobody", nobody));
    ASSERT_TRUE(downloader.Request("sentinel", server.Url("/sentinel.png")));
    ASSERT_TRUE(WaitForArrival(*arrivals));
    for (const char* key : {"limited", "gone", "nobody"}) {
        ASSERT_TRUE(downloader.Find(key)) << key;
        EXPECT_TRUE(downloader.Find(key)->IsEmpty()) << key;
    }

    clock.Advance(std::chrono::hours(2));
    EXPECT_TRUE(downloader.TakeDueRetries());
    EXPECT_FALSE(downloader.Find("limited"));
    EXPECT_FALSE(downloader.Find("nobody"));
    ASSERT_TRUE(downloader.Find("gone"));
    EXPECT_TRUE(downloader.Find("gone")->IsEmpty());
}

TEST_F(MapDownloaderTest, AFullQueueRefusesRequestsAndClosingAbandonsDownloads)
{
    // It never answers: downloads from it hang until they are abandoned.
    const LoopbackListener server;
    auto downloader = std::make_unique<MapDownloaderData>(1);
    int refused = 0;
    for (int i = 0; i < 50; ++i)
        if (!downloader->Request("t" + std::to_string(i), server.Url("/tile.png")))
            ++refused;
    // One download hangs on the server, six wait for it, the rest are
    // turned away.
    EXPECT_GE(refused, 50 - 1 - MapDownloaderData::MaxQueuedTasks);

    // The first download has begun once its tile is marked as asked for.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!downloader->Find("t0") && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_TRUE(downloader->Find("t0"));
    const auto start = std::chrono::steady_clock::now();
    downloader.reset();
    // Well before the download's own time-out.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

class MapDiskCacheTest : public ::testing::Test
{
protected:
    MapDiskCacheTest()
    {
        m_server.SetRoute(
            "/t.png", LoopbackHttpServer::Route("tile v1").WithETag("\"v1\"").WithHeader("Cache-Control: max-age=60"));
        m_server.SetRoute("/sentinel.png", LoopbackHttpServer::Route("S"));
    }

    // A new downloader over the same disk, as in a new run of the program.
    // One worker, so a later request finishes after an earlier one.
    std::unique_ptr<MapDownloaderData> NewRun()
    {
        auto downloader = std::make_unique<MapDownloaderData>(1, LruCacheImpl::DefaultLimit, m_clock.Get());
        downloader->SetDiskCache(m_disk);
        return downloader;
    }

    // Asks for the tile, then for the sentinel (never kept on the disk), and
    // waits until the sentinel arrived: the tile's work is done by then.
    void Fetch(MapDownloaderData& downloader)
    {
        const std::shared_ptr<UpdateWatcher> arrivals = downloader.GetUpdateWatcher();
        ASSERT_TRUE(downloader.Request("t", m_server.Url("/t.png"), DiskName));
        ASSERT_TRUE(downloader.Request("s", m_server.Url("/sentinel.png")));
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!downloader.Find("s") || downloader.Find("s")->IsEmpty()) {
            ASSERT_LT(std::chrono::steady_clock::now(), deadline);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }

    static inline const QString DiskName = QStringLiteral("layer/1/0/0");
    LoopbackHttpServer m_server;
    ManualClock m_clock;
    std::shared_ptr<TileDiskCache> m_disk =
        std::make_shared<TileDiskCache>(MakeTempDir(), TileDiskCache::DefaultLimit, m_clock.GetSeconds());
};

TEST_F(MapDiskCacheTest, AFreshTileOnTheDiskIsShownWithoutAskingTheServer)
{
    Fetch(*NewRun());
    EXPECT_EQ(m_server.GetRequestCount("/t.png"), 1);
    const std::optional<StoredTile> stored = m_disk->Read(DiskName);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->bytes, ByteArray("tile v1", 7));
    EXPECT_EQ(stored->etag, QByteArray("\"v1\""));
    EXPECT_EQ(stored->expires, m_clock.Now() + 60);

    m_clock.Advance(std::chrono::seconds(59));
    const std::unique_ptr<MapDownloaderData> next = NewRun();
    Fetch(*next);
    EXPECT_EQ(*next->Find("t"), ByteArray("tile v1", 7));
    EXPECT_EQ(m_server.GetRequestCount("/t.png"), 1);
}

TEST_F(MapDiskCacheTest, AnExpiredTileIsShownAndCheckedAndNotModifiedMovesItsExpiryOn)
{
    Fetch(*NewRun());
    m_clock.Advance(std::chrono::seconds(61));
    const std::unique_ptr<MapDownloaderData> next = NewRun();
    Fetch(*next);
    EXPECT_EQ(m_server.GetRequestCount("/t.png"), 2);
    EXPECT_NE(m_server.GetLastRequest("/t.png").find("\r\nIf-None-Match: \"v1\"\r\n"), std::string::npos);
    EXPECT_EQ(*next->Find("t"), ByteArray("tile v1", 7));
    EXPECT_TRUE(next->TakeReplaced().empty());
    const std::optional<StoredTile> stored = m_disk->Read(DiskName);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->bytes, ByteArray("tile v1", 7));
    EXPECT_EQ(stored->expires, m_clock.Now() + 60);
}

TEST_F(MapDiskCacheTest, TheCheckAsksByETagAndAChangedTileReplacesTheOld)
{
    Fetch(*NewRun());
    m_server.SetRoute("/t.png", LoopbackHttpServer::Route("tile v2").WithETag("\"v2\""));
    m_clock.Advance(std::chrono::seconds(61));
    const std::unique_ptr<MapDownloaderData> next = NewRun();
    Fetch(*next);
    ASSERT_EQ(m_server.GetRequestCount("/t.png"), 2);
    EXPECT_EQ(*next->Find("t"), ByteArray("tile v2", 7));
    // The old bytes were shown first: their pictures are out of date.
    EXPECT_EQ(next->TakeReplaced(), std::vector<std::string>{"t"});
    EXPECT_TRUE(next->TakeReplaced().empty());
    const std::optional<StoredTile> stored = m_disk->Read(DiskName);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->bytes, ByteArray("tile v2", 7));
    EXPECT_EQ(stored->etag, QByteArray("\"v2\""));
    // The server said nothing of its lifetime.
    EXPECT_EQ(stored->expires, m_clock.Now() + TileFreshness::DefaultLifetime);
}

TEST_F(MapDiskCacheTest, WithoutAnETagTheCheckAsksByTheTimeOfChange)
{
    const std::string modified = "Wed, 15 Nov 2023 22:13:20 GMT";
    m_server.SetRoute("/t.png", LoopbackHttpServer::Route("tile v1").WithHeader("Last-Modified: " + modified));
    Fetch(*NewRun());
    const std::optional<StoredTile> stored = m_disk->Read(DiskName);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->lastModified, QByteArray::fromStdString(modified));
    EXPECT_TRUE(stored->etag.isEmpty());
    m_clock.Advance(std::chrono::seconds(TileFreshness::DefaultLifetime));
    Fetch(*NewRun());
    ASSERT_EQ(m_server.GetRequestCount("/t.png"), 2);
    EXPECT_NE(m_server.GetLastRequest("/t.png").find("\r\nIf-Modified-Since: " + modified + "\r\n"), std::string::npos);
    EXPECT_EQ(m_server.GetLastRequest("/t.png").find("If-None-Match"), std::string::npos);
}

TEST_F(MapDiskCacheTest, AFailedCheckKeepsTheOldTileOnTheDiskAndOnTheMap)
{
    Fetch(*NewRun());
    const std::optional<StoredTile> before = m_disk->Read(DiskName);
    ASSERT_TRUE(before);
    m_server.SetRoute("/t.png", LoopbackHttpServer::Route("down", 503));
    m_clock.Advance(std::chrono::seconds(61));
    const std::unique_ptr<MapDownloaderData> next = NewRun();
    Fetch(*next);
    EXPECT_EQ(m_server.GetRequestCount("/t.png"), 2);
    EXPECT_EQ(*next->Find("t"), ByteArray("tile v1", 7));
    const std::optional<StoredTile> after = m_disk->Read(DiskName);
    ASSERT_TRUE(after);
    EXPECT_EQ(after->bytes, before->bytes);
    EXPECT_EQ(after->expires, before->expires);
}

TEST_F(MapDiskCacheTest, WithoutADiskNameNothingIsWritten)
{
    const std::unique_ptr<MapDownloaderData> downloader = NewRun();
    const std::shared_ptr<UpdateWatcher> arrivals = downloader->GetUpdateWatcher();
    ASSERT_TRUE(downloader->Request("t", m_server.Url("/t.png")));
    ASSERT_TRUE(WaitForArrival(*arrivals));
    EXPECT_EQ(m_disk->GetTotalSize(), 0);
    EXPECT_TRUE(QDir(m_disk->GetRoot()).isEmpty());
}
