#include "MbTilesFile.h"
#include "MapTestSupport.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

#include <sqlite3.h>

namespace {

// The colour in the middle of the tile's picture; 0 when it is not one.
QRgb CentreOf(const ByteArray& bytes)
{
    QImage image;
    if (!image.loadFromData(bytes.Addr(), static_cast<int>(bytes.Size())))
        return 0;
    return image.pixel(image.width() / 2, image.height() / 2);
}

QByteArray ReadWhole(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(MbTilesFile, ReadsTheMetadata)
{
    MbTilesFile file;
    QString error;
    ASSERT_TRUE(file.Open(TestMbTilesPath(), error)) << error.toStdString();
    const MbTilesFile::Metadata& metadata = file.GetMetadata();
    EXPECT_EQ(metadata.name, QStringLiteral("Quorvel test tiles"));
    EXPECT_EQ(metadata.format, QStringLiteral("png"));
    ASSERT_TRUE(metadata.bounds);
    EXPECT_EQ(*metadata.bounds, (GeoRect{-10.5, 35.25, 30, 60}));
    EXPECT_EQ(metadata.minZoom, 0);
    EXPECT_EQ(metadata.maxZoom, 2);
}

TEST(MbTilesFile, EveryTileIsWhereTheGridPutsItWithRowsFromTheNorth)
{
    MbTilesFile file;
    QString error;
    ASSERT_TRUE(file.Open(TestMbTilesPath(), error)) << error.toStdString();
    int found = 0;
    for (int zoom = 0; zoom <= 2; ++zoom) {
        for (int x = 0; x < (1 << zoom); ++x) {
            for (int y = 0; y < (1 << zoom); ++y) {
                if (zoom == 2 && x == 3 && y == 0)
                    continue;
                ByteArray bytes;
                ASSERT_EQ(file.Read({x, y, zoom, 0}, bytes), MbTilesFile::Result::Found) << zoom << x << y;
                EXPECT_EQ(CentreOf(bytes), TestTileColour(zoom, x, y)) << zoom << "/" << x << "/" << y;
                ++found;
            }
        }
    }
    EXPECT_EQ(found, 20);
}

TEST(MbTilesFile, ATileTheFileDoesNotHaveIsMissing)
{
    MbTilesFile file;
    QString error;
    ASSERT_TRUE(file.Open(TestMbTilesPath(), error));
    ByteArray bytes("old", 3);
    EXPECT_EQ(file.Read({3, 0, 2, 0}, bytes), MbTilesFile::Result::Missing);
    EXPECT_TRUE(bytes.IsEmpty());
    EXPECT_EQ(file.Read({0, 0, 3, 0}, bytes), MbTilesFile::Result::Missing);
    // Its neighbour, in the file's order the row below, is there.
    EXPECT_EQ(file.Read({3, 1, 2, 0}, bytes), MbTilesFile::Result::Found);
}

TEST(MbTilesFile, WithoutMetadataTheZoomRangeComesFromTheTiles)
{
    const QString path = QDir(MakeTempDir()).filePath(QStringLiteral("bare.mbtiles"));
    sqlite3* database = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &database), SQLITE_OK);
    const char* sql = "CREATE TABLE tiles (zoom_level INTEGER, tile_column INTEGER, tile_row INTEGER, tile_data BLOB);"
                      "INSERT INTO tiles VALUES (5, 1, 30, x'89504E47');"
                      "INSERT INTO tiles VALUES (7, 2, 3, x'89504E47');";
    const int written = sqlite3_exec(database, sql, nullptr, nullptr, nullptr);
    sqlite3_close(database);
    ASSERT_EQ(written, SQLITE_OK);

    MbTilesFile file;
    QString error;
    ASSERT_TRUE(file.Open(path, error)) << error.toStdString();
    EXPECT_TRUE(file.GetMetadata().name.isEmpty());
    EXPECT_FALSE(file.GetMetadata().bounds);
    EXPECT_EQ(file.GetMetadata().minZoom, 5);
    EXPECT_EQ(file.GetMetadata().maxZoom, 7);
    ByteArray bytes;
    EXPECT_EQ(file.Read({1, 1, 5, 0}, bytes), MbTilesFile::Result::Found);
    EXPECT_EQ(bytes, ByteArray("\x89PNG", 4));
}

TEST(MbTilesFile, ADamagedOrForeignFileIsAnErrorNotACrash)
{
    const QString folder = MakeTempDir();
    MbTilesFile file;
    QString error;
    EXPECT_FALSE(file.Open(QDir(folder).filePath(QStringLiteral("none.mbtiles")), error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(QDir(folder).filePath(QStringLiteral("none.mbtiles"))));

    const QString text = QDir(folder).filePath(QStringLiteral("text.mbtiles"));
    WriteTestFile(text, QByteArray("This is not a database at all, only some text.\n").repeated(100));
    error.clear();
    EXPECT_FALSE(file.Open(text, error));
    EXPECT_FALSE(error.isEmpty());
    ByteArray tile;
    EXPECT_EQ(file.Read({0, 0, 0, 0}, tile), MbTilesFile::Result::Failed);

    // Cut short: SQLite finds it malformed at once.
    const QString cut = QDir(folder).filePath(QStringLiteral("cut.mbtiles"));
    WriteTestFile(cut, ReadWhole(TestMbTilesPath()).left(4096));
    error.clear();
    EXPECT_FALSE(file.Open(cut, error));
    EXPECT_FALSE(error.isEmpty());

    // One page of the tiles spoilt: the file opens, the tiles on that page
    // fail, the others are read.
    QByteArray bytes = ReadWhole(TestMbTilesPath());
    bytes.replace(5 * 4096, 4096, QByteArray(4096, char(0xFF)));
    const QString spoilt = QDir(folder).filePath(QStringLiteral("spoilt.mbtiles"));
    WriteTestFile(spoilt, bytes);
    ASSERT_TRUE(file.Open(spoilt, error)) << error.toStdString();
    EXPECT_EQ(file.Read({1, 2, 2, 0}, tile), MbTilesFile::Result::Failed);
    EXPECT_EQ(file.Read({0, 0, 0, 0}, tile), MbTilesFile::Result::Found);
}
