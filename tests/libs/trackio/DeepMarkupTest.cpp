// Markup nested deep enough to hurt: refused when too deep, and read and
// written in space that grows with its size, not the square of its depth.
#include "ExpatStreamReader.h"
#include "GpxDocumentWriter.h"
#include "GpxLoader.h"
#include "KmlLoader.h"
#include "LoadedFile.h"
#include "SaveManager.h"
#include "TcxLoader.h"
#include "TrackTree.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray Repeat(const QByteArray& piece, int count)
{
    QByteArray out;
    out.reserve(piece.size() * count);
    for (int i = 0; i < count; ++i)
        out += piece;
    return out;
}

// Waypoints whose extensions hold one chain of elements depth levels deep.
QByteArray GpxWithDeepExtensions(int depth, int waypoints = 3)
{
    QByteArray gpx = "<gpx version=\"1.1\" xmlns=\"http://www.topografix.com/GPX/1/1\" xmlns:x=\"urn:x\">\n";
    for (int w = 0; w < waypoints; ++w) {
        gpx += "<wpt lat=\"47.0\" lon=\"8.0\"><extensions>" + Repeat("<x:a>", depth) + "deep"
            + Repeat("</x:a>", depth) + "</extensions></wpt>\n";
    }
    return gpx + "<trk><trkseg><trkpt lat=\"47.0\" lon=\"8.0\"/></trkseg></trk>\n</gpx>\n";
}

QByteArray KmlWithNestedFolders(int depth)
{
    return "<kml xmlns=\"http://www.opengis.net/kml/2.2\"><Document>" + Repeat("<Folder><name>F</name>", depth)
        + "<Placemark><LineString><coordinates>8,47 8.1,47.1</coordinates></LineString></Placemark>"
        + Repeat("</Folder>", depth) + "</Document></kml>";
}

QByteArray TcxWithDeepExtensions(int depth)
{
    return "<TrainingCenterDatabase xmlns=\"http://www.garmin.com/xmlschemas/TrainingCenterDatabase/v2\">"
           "<Activities><Activity Sport=\"Biking\"><Id>2024-05-01T10:00:00Z</Id>"
           "<Lap StartTime=\"2024-05-01T10:00:00Z\"><Track><Trackpoint><Time>2024-05-01T10:00:00Z</Time>"
           "<Position><LatitudeDegrees>47</LatitudeDegrees><LongitudeDegrees>8</LongitudeDegrees></Position>"
           "<Extensions>"
        + Repeat("<a>", depth) + Repeat("</a>", depth)
        + "</Extensions></Trackpoint></Track></Lap></Activity></Activities></TrainingCenterDatabase>";
}

void ExpectRefusedAsTooDeep(TrackLoaderBase&& loader, const QByteArray& bytes)
{
    QElapsedTimer timer;
    timer.start();
    const LoadedFile file = LoadedFile::ReadBytes(loader, bytes);
    EXPECT_EQ(file.status, TrackLoaderI::ReadError);
    EXPECT_TRUE(file.error.contains(QStringLiteral("too deeply nested"))) << file.error.toStdString();
    EXPECT_LT(timer.elapsed(), 2000);
}

} // namespace

TEST(DeepMarkup, EveryXmlReaderRefusesTenThousandLevels)
{
    ExpectRefusedAsTooDeep(GpxLoader(), GpxWithDeepExtensions(10000));
    ExpectRefusedAsTooDeep(KmlLoader(), KmlWithNestedFolders(10000));
    ExpectRefusedAsTooDeep(TcxLoader(), TcxWithDeepExtensions(10000));
}

TEST(DeepMarkup, NestingUpToTheLimitIsRead)
{
    // The document element and the levels above the chain count too.
    const int chain = ExpatStreamReader::MaxDepth - 3;
    GpxLoader gpx;
    const LoadedFile kept = LoadedFile::ReadBytes(gpx, GpxWithDeepExtensions(chain, 1));
    ASSERT_EQ(kept.status, TrackLoaderI::Success) << kept.error.toStdString();
    EXPECT_EQ(kept.fileExtrasHead.count("<x:a>"), chain);
    EXPECT_TRUE(kept.fileExtrasHead.contains(">deep</x:a>"));

    KmlLoader kml;
    const LoadedFile folders = LoadedFile::ReadBytes(kml, KmlWithNestedFolders(ExpatStreamReader::MaxDepth - 5));
    ASSERT_EQ(folders.status, TrackLoaderI::Success) << folders.error.toStdString();
    ASSERT_EQ(folders.segments.size(), 1u);
    EXPECT_EQ(folders.segments.front().folders.size(), ExpatStreamReader::MaxDepth - 5);
}

TEST(DeepMarkup, KeptMarkupGrowsLinearlyWithDepth)
{
    // Twice the depth gives twice the markup; an indent per level would give
    // four times as much.
    GpxLoader loader;
    const LoadedFile shallow = LoadedFile::ReadBytes(loader, GpxWithDeepExtensions(120));
    const LoadedFile deep = LoadedFile::ReadBytes(loader, GpxWithDeepExtensions(240));
    ASSERT_EQ(shallow.status, TrackLoaderI::Success);
    ASSERT_EQ(deep.status, TrackLoaderI::Success);
    const double ratio = double(deep.fileExtrasHead.size()) / double(shallow.fileExtrasHead.size());
    EXPECT_GT(ratio, 1.8);
    EXPECT_LT(ratio, 2.2);
}

class NestedFolderSave : public ::testing::Test
{
protected:
    // A file with a chain of folders F0 .. F(depth-1), each holding one
    // segment of one point.
    void BuildChain(int depth)
    {
        const auto creator = tree.GetCreator();
        file = creator->AddFile(QStringLiteral("chain"), QStringLiteral("/data/chain.kml"), TrackFileKml);
        int parent = file;
        for (int i = 0; i < depth; ++i) {
            parent = creator->AddFolder(parent, QStringLiteral("F%1").arg(i));
            const int segment = creator->AddSegment(parent, QString());
            data->Add(segment, std::make_shared<TrackData>(std::vector<TrackPoint>{
                                   TrackPoint({8.0 + i * 1e-4, 47.0, 400.0}, Time(2024, 5, 1, 10, 0))}));
        }
    }

    QByteArray Save(TrackFileType type)
    {
        const QString path = dir.filePath(QStringLiteral("saved"));
        const SaveManager savers;
        TrackSaverI* saver = savers.GetTrackSaver(type);
        EXPECT_EQ(saver->SaveTrack(path, tree.GetReader(), file, data), TrackSaverI::Success);
        QFile saved(path);
        EXPECT_TRUE(saved.open(QIODevice::ReadOnly));
        return saved.readAll();
    }

    QTemporaryDir dir;
    TrackTree tree;
    std::shared_ptr<TrackDataSetImpl> data = std::make_shared<TrackDataSetImpl>();
    int file = -1;
};

TEST_F(NestedFolderSave, ThreeThousandFoldersGiveTracksOfBoundedNames)
{
    constexpr int depth = 3000;
    BuildChain(depth);
    QElapsedTimer timer;
    timer.start();
    const QByteArray gpx = Save(TrackFileGpx);
    EXPECT_LT(timer.elapsed(), 2000);

    EXPECT_EQ(gpx.count("<trk>"), depth);
    EXPECT_TRUE(gpx.contains("<name>F0</name>"));
    EXPECT_TRUE(gpx.contains("<name>F0 / F1 / F2</name>"));
    // The innermost track keeps the innermost names within the bound.
    const qsizetype last = gpx.lastIndexOf("<name>");
    const QString name = QString::fromUtf8(gpx.mid(last + 6, gpx.indexOf("</name>", last) - last - 6));
    EXPECT_TRUE(name.startsWith(QStringLiteral("\u2026 / F"))) << name.left(20).toStdString();
    EXPECT_TRUE(name.endsWith(QStringLiteral(" / F2998 / F2999")));
    EXPECT_LE(name.size(), GpxDocumentWriter::MaxTrackNameChars + 4);
    EXPECT_GT(name.size(), GpxDocumentWriter::MaxTrackNameChars - 10);
    // Full paths would take some 30 MB.
    EXPECT_LT(gpx.size(), depth * 1600);
}

TEST_F(NestedFolderSave, KmlOfThreeThousandFoldersKeepsItsIndentBounded)
{
    constexpr int depth = 3000;
    BuildChain(depth);
    const QByteArray kml = Save(TrackFileKml);
    EXPECT_EQ(kml.count("<Folder>"), depth);
    EXPECT_EQ(kml.count("<Placemark>"), depth);
    // An indent per level would take some 36 MB.
    EXPECT_LT(kml.size(), depth * 1000);
}
