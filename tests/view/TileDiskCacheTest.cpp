#include "TileDiskCache.h"
#include "MapCacheSettings.h"
#include "MapTestSupport.h"
#include "TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

StoredTile Tile(size_t size, char fill, int64_t expires = 0)
{
    const std::string text(size, fill);
    StoredTile tile;
    tile.bytes = ByteArray(text.data(), text.size());
    tile.expires = expires;
    return tile;
}

// Every file under the folder whose name ends so.
QStringList FilesEndingWith(const QString& folder, const QString& end)
{
    QStringList found;
    QDirIterator files(folder, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        if (path.endsWith(end))
            found.push_back(path);
    }
    return found;
}

class TileDiskCacheTest : public ::testing::Test
{
protected:
    QString m_root = MakeTempDir();
    ManualClock m_clock;
};

} // namespace

TEST_F(TileDiskCacheTest, ATileComesBackWithWhatItsServerSaid)
{
    TileDiskCache cache(m_root, TileDiskCache::DefaultLimit, m_clock.GetSeconds());
    EXPECT_FALSE(cache.Read(QStringLiteral("osm/3/4/2")));
    StoredTile tile = Tile(100, 'p', m_clock.Now() + 60);
    tile.etag = "\"abc\"";
    tile.lastModified = "Wed, 15 Nov 2023 22:13:20 GMT";
    ASSERT_TRUE(cache.Write(QStringLiteral("osm/3/4/2"), tile));
    EXPECT_TRUE(QFile::exists(QDir(m_root).filePath(QStringLiteral("osm/3/4/2.tile"))));

    const std::optional<StoredTile> read = cache.Read(QStringLiteral("osm/3/4/2"));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->bytes, tile.bytes);
    EXPECT_EQ(read->etag, tile.etag);
    EXPECT_EQ(read->lastModified, tile.lastModified);
    EXPECT_EQ(read->expires, tile.expires);
    EXPECT_TRUE(cache.IsFresh(*read));
    m_clock.Advance(std::chrono::seconds(60));
    EXPECT_FALSE(cache.IsFresh(*read));
    EXPECT_TRUE(FilesEndingWith(m_root, QLatin1String(TileDiskCache::TempSuffix)).isEmpty());
}

TEST_F(TileDiskCacheTest, TheLeastRecentlyUsedGoWhenTheLimitIsPassed)
{
    TileDiskCache cache(m_root, 2000, m_clock.GetSeconds());
    ASSERT_TRUE(cache.Write(QStringLiteral("l/1/0/0"), Tile(800, 'a')));
    m_clock.Advance(std::chrono::seconds(1));
    ASSERT_TRUE(cache.Write(QStringLiteral("l/1/0/1"), Tile(800, 'b')));
    m_clock.Advance(std::chrono::seconds(1));
    // Reading the first makes the second the oldest.
    ASSERT_TRUE(cache.Read(QStringLiteral("l/1/0/0")));
    m_clock.Advance(std::chrono::seconds(1));
    ASSERT_TRUE(cache.Write(QStringLiteral("l/1/1/0"), Tile(800, 'c')));

    EXPECT_TRUE(cache.Read(QStringLiteral("l/1/0/0")));
    EXPECT_FALSE(cache.Read(QStringLiteral("l/1/0/1")));
    EXPECT_TRUE(cache.Read(QStringLiteral("l/1/1/0")));
    EXPECT_LE(cache.GetTotalSize(), 2000);
    EXPECT_GT(cache.GetTotalSize(), 1600);
    // A second instance counts the same files.
    TileDiskCache other(m_root, 2000, m_clock.GetSeconds());
    EXPECT_EQ(other.GetTotalSize(), cache.GetTotalSize());
}

TEST_F(TileDiskCacheTest, LeftoversOfACrashAreRemovedAndNeverServed)
{
    {
        TileDiskCache cache(m_root, TileDiskCache::DefaultLimit, m_clock.GetSeconds());
        ASSERT_TRUE(cache.Write(QStringLiteral("l/2/1/1"), Tile(500, 'w')));
        ASSERT_TRUE(cache.Write(QStringLiteral("l/2/1/2"), Tile(500, 'x')));
    }
    // A crash in the middle of a write leaves a temporary file; a disk that
    // lost the end of a file leaves it short.
    const QString whole = QDir(m_root).filePath(QStringLiteral("l/2/1/1.tile"));
    QFile source(whole);
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const QByteArray bytes = source.readAll();
    source.close();
    const QString temp = QDir(m_root).filePath(QStringLiteral("l/2/1/3.tile.4242-1")) + TileDiskCache::TempSuffix;
    WriteTestFile(temp, bytes.left(bytes.size() / 2));
    const QString torn = QDir(m_root).filePath(QStringLiteral("l/2/1/2.tile"));
    WriteTestFile(torn, bytes.left(bytes.size() - 1));

    TileDiskCache cache(m_root, TileDiskCache::DefaultLimit, m_clock.GetSeconds());
    EXPECT_FALSE(cache.Read(QStringLiteral("l/2/1/3")));
    EXPECT_FALSE(QFile::exists(temp));
    EXPECT_FALSE(cache.Read(QStringLiteral("l/2/1/2")));
    EXPECT_FALSE(QFile::exists(torn));
    const std::optional<StoredTile> kept = cache.Read(QStringLiteral("l/2/1/1"));
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->bytes, Tile(500, 'w').bytes);
}

TEST_F(TileDiskCacheTest, ReadersOfTwoInstancesSeeOnlyWholeTilesWhileBothWrite)
{
    TileDiskCache first(m_root, TileDiskCache::DefaultLimit);
    TileDiskCache second(m_root, TileDiskCache::DefaultLimit);
    const StoredTile small = Tile(5000, 'a');
    const StoredTile large = Tile(70000, 'b');
    const QString name = QStringLiteral("l/9/9/9");
    ASSERT_TRUE(first.Write(name, small));
    std::atomic<bool> writing{true};
    std::atomic<int> partial{0};
    std::atomic<int> reads{0};
    std::thread reader([&] {
        while (writing) {
            const std::optional<StoredTile> tile = second.Read(name);
            if (!tile || (tile->bytes != small.bytes && tile->bytes != large.bytes))
                ++partial;
            ++reads;
        }
    });
    std::thread other([&] {
        for (int i = 0; i < 200; ++i)
            second.Write(name, i % 2 ? small : large);
    });
    for (int i = 0; i < 200; ++i)
        first.Write(name, i % 2 ? large : small);
    other.join();
    writing = false;
    reader.join();
    EXPECT_GT(reads, 0);
    EXPECT_EQ(partial, 0);
    EXPECT_TRUE(FilesEndingWith(m_root, QLatin1String(TileDiskCache::TempSuffix)).isEmpty());
}

TEST(MapCacheSettings, TheCacheIsInTheUsersCacheFolderAndItsLimitIsASetting)
{
    MapCacheSettings settings;
    EXPECT_EQ(settings.diskLimitMiB.Get(), 1024);
    EXPECT_EQ(settings.OpenDiskCache()->GetRoot(),
              QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QStringLiteral("/tiles"));

    settings.diskLimitMiB.Set(1);
    const std::shared_ptr<TileDiskCache> cache = settings.OpenDiskCache();
    ASSERT_TRUE(cache->Write(QStringLiteral("s/1/0/0"), Tile(600 * 1024, 'a')));
    ASSERT_TRUE(cache->Write(QStringLiteral("s/1/0/1"), Tile(600 * 1024, 'b')));
    EXPECT_LE(cache->GetTotalSize(), 1024 * 1024);
    EXPECT_TRUE(cache->Read(QStringLiteral("s/1/0/1")));
    settings.diskLimitMiB.Set(MapCacheSettings::DefaultLimitMiB);
}
