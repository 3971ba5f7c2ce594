#include "KmzLoader.h"
#include "KmlLoader.h"
#include "LoadManager.h"
#include "LoadedFile.h"
#include "PeerOracle.h"
#include "TestSupport.h"
#include "ZipArchive.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

QByteArray Fixture(const char* relativePath)
{
    QFile file(PeerOracle::PathOf(QString::fromLatin1(relativePath)));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << relativePath;
    return file.readAll();
}

LoadedFile ReadKmz(const QByteArray& archive, qint64 maxKmlBytes = LoadManager::MaxFileBytes)
{
    KmzLoader loader(maxKmlBytes);
    return LoadedFile::ReadBytes(loader, archive);
}

const char* const kTracks = "kml/gpsbabel/segmented_tracks.kml";
const char* const kOther = "kml/mapsoft2/kml1.kml";

void ExpectSameTracks(const LoadedFile& read, const LoadedFile& expected)
{
    EXPECT_EQ(read.folderPaths, expected.folderPaths);
    EXPECT_EQ(read.SegmentNames(), expected.SegmentNames());
    ASSERT_EQ(read.segments.size(), expected.segments.size());
    for (size_t i = 0; i < read.segments.size(); ++i)
        EXPECT_TRUE(read.segments[i].points->GetPoints() == expected.segments[i].points->GetPoints())
            << "segment " << i;
}

} // namespace

TEST(KmzLoader, ReadsTheFirstKmlAtTheRootOfTheArchive)
{
    // A KML in a folder comes first and a second one follows at the root:
    // neither is the document.
    const QByteArray archive = MakeZipArchive({{QStringLiteral("files/inner.kml"), Fixture(kOther)},
                                               {QStringLiteral("files/icon.png"), QByteArray("\x89PNG\r\n", 6)},
                                               {QStringLiteral("doc.KML"), Fixture(kTracks)},
                                               {QStringLiteral("second.kml"), Fixture(kOther)}});
    const LoadedFile read = ReadKmz(archive);
    ASSERT_EQ(read.status, TrackLoaderI::Success) << read.error.toStdString();
    KmlLoader kml;
    const LoadedFile expected = LoadedFile::ReadFile(kml, PeerOracle::PathOf(QString::fromLatin1(kTracks)));
    ASSERT_EQ(expected.status, TrackLoaderI::Success);
    ExpectSameTracks(read, expected);
}

TEST(KmzLoader, AKmlOnlyInAFolderOrNoKmlAtAllIsRefused)
{
    for (const auto& files :
         {std::vector<std::pair<QString, QByteArray>>{{QStringLiteral("tracks/doc.kml"), Fixture(kTracks)}},
          std::vector<std::pair<QString, QByteArray>>{{QStringLiteral("doc.gpx"), QByteArray("<gpx/>")},
                                                      {QStringLiteral("kml"), Fixture(kTracks)}}}) {
        const LoadedFile read = ReadKmz(MakeZipArchive(files));
        EXPECT_EQ(read.status, TrackLoaderI::ReadError);
        EXPECT_EQ(read.error, QStringLiteral("the archive holds no .kml file at its root"));
    }
}

TEST(KmzLoader, AKmlThatUnpacksBeyondTheCapIsRefused)
{
    const QByteArray kml = Fixture(kTracks);
    const qint64 size = kml.size();
    const QByteArray archive = MakeZipArchive({{QStringLiteral("doc.kml"), kml}});
    EXPECT_EQ(ReadKmz(archive, size).status, TrackLoaderI::Success) << "exactly the cap is read";
    const LoadedFile refused = ReadKmz(archive, size - 1);
    EXPECT_EQ(refused.status, TrackLoaderI::ReadError);
    EXPECT_EQ(
        refused.error,
        QStringLiteral("the KML in the archive unpacks to more than %1 bytes, the most that is read").arg(size - 1));
}

TEST(KmzLoader, TheLoadManagersCapHoldsForABombOfBlanks)
{
    // 101 MB of blanks inside the KML deflate to about a hundred kilobytes:
    // the file passes the size check, its content must not.
    QByteArray kml = Fixture(kTracks);
    kml.insert(kml.indexOf("<kml"), QByteArray(LoadManager::MaxFileBytes + (1 << 20), ' '));
    const QByteArray archive = MakeZipArchive({{QStringLiteral("doc.kml"), kml}});
    kml.clear();
    ASSERT_LT(archive.size(), LoadManager::MaxFileBytes / 100);
    const QString path = WriteTestFile(QDir(MakeTempDir()).filePath(QStringLiteral("bomb.dat")), archive);
    const LoadedTrackFile loaded = LoadManager().Load(path);
    EXPECT_EQ(loaded.type, TrackFileKmz) << "told by its content, not its name";
    EXPECT_EQ(loaded.status, TrackLoaderI::ReadError);
    EXPECT_TRUE(loaded.error.startsWith(QStringLiteral("the KML in the archive unpacks to more than")))
        << loaded.error.toStdString();
}

TEST(KmzLoader, ABrokenArchiveIsRefused)
{
    QByteArray archive = MakeZipArchive({{QStringLiteral("doc.kml"), Fixture(kTracks)}});
    archive.truncate(archive.size() / 2);
    const LoadedFile read = ReadKmz(archive);
    EXPECT_EQ(read.status, TrackLoaderI::ReadError);
    EXPECT_TRUE(read.error.startsWith(QStringLiteral("not a readable zip archive"))) << read.error.toStdString();
}

TEST(KmzLoader, LoadManagerOpensAKmzByItsContent)
{
    const QByteArray archive = MakeZipArchive({{QStringLiteral("doc.kml"), Fixture(kTracks)}});
    const QString path = WriteTestFile(QDir(MakeTempDir()).filePath(QStringLiteral("tracks.zip")), archive);
    const LoadedTrackFile loaded = LoadManager().Load(path);
    EXPECT_EQ(loaded.type, TrackFileKmz);
    EXPECT_EQ(loaded.status, TrackLoaderI::Success) << loaded.error.toStdString();
}

TEST(KmzLoader, LoadManagerRefusesKmzAndGeoJsonFilesBeyondItsLimitUnread)
{
    // Sparse files: only the head is real, and only the head is read.
    const QDir dir(MakeTempDir());
    const std::pair<const char*, QByteArray> files[] = {
        {"big.kmz", MakeZipArchive({{QStringLiteral("doc.kml"), Fixture(kTracks)}})},
        {"big.geojson", QByteArray(R"({"type": "FeatureCollection", "features": [)")},
    };
    for (const auto& [name, head] : files) {
        SCOPED_TRACE(name);
        QFile file(dir.filePath(QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(head);
        ASSERT_TRUE(file.resize(LoadManager::MaxFileBytes + 1));
        file.close();
        TrackFileType type = TrackFileAll;
        EXPECT_EQ(LoadManager().Verify(file.fileName(), type), TrackLoaderI::TooLarge);
        ASSERT_TRUE(file.resize(LoadManager::MaxFileBytes));
        EXPECT_EQ(LoadManager().Verify(file.fileName(), type), TrackLoaderI::Success) << "the limit itself is allowed";
    }
}
