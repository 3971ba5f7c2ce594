#include "IsoTime.h"
#include "KmlLoader.h"
#include "LoadedFile.h"
#include "PeerOracle.h"
#include "TrackTree.h"

#include <QBuffer>
#include <QFile>
#include <QJsonArray>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

LoadedFile ReadKml(const QByteArray& text)
{
    KmlLoader loader;
    return LoadedFile::ReadBytes(loader, text);
}

LoadedFile ReadFixture(const QString& relativePath)
{
    KmlLoader loader;
    return LoadedFile::ReadFile(loader, PeerOracle::PathOf(relativePath));
}

// A KML 2.2 document whose body starts on line 3.
QByteArray Kml(const QByteArray& body)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<kml xmlns=\"http://www.opengis.net/kml/2.2\" xmlns:gx=\"http://www.google.com/kml/ext/2.2\">\n"
        + body + "\n</kml>\n";
}

QByteArray Track(const QByteArray& content)
{
    return Kml("<Placemark><name>T</name><gx:Track>" + content + "</gx:Track></Placemark>");
}

std::string TimeOf(const TrackPoint& point)
{
    return IsoTime::Format(point.GetTime());
}

} // namespace

// ---------------------------------------------------------------- fixtures

TEST(KmlLoaderFixtures, EveryFileHasTheOraclesPointsAndSegments)
{
    const PeerOracle oracle;
    const QStringList files = oracle.Files(QStringLiteral("kml/"));
    ASSERT_EQ(files.size(), 10);
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        const QJsonObject entry = oracle.Entry(name);
        const LoadedFile file = ReadFixture(name);
        // kml-points.kml and xsddatetime.kml hold placemarks with a Point only.
        const bool hasTrack = entry.value(QStringLiteral("points")).toInteger() > 0;
        ASSERT_EQ(file.status, hasTrack ? TrackLoaderI::Success : TrackLoaderI::NoTrack) << file.error.toStdString();
        // The oracle writes elevations rounded to millimetres.
        PeerOracle::ExpectSamePoints(file, entry, 1e-3);
        // Like the oracle, every LineString and gx:Track is a segment of its
        // own, in file order, even where a file holds one path both ways.
        std::vector<int> expected;
        for (const QJsonValue count : entry.value(QStringLiteral("points_per_segment")).toArray())
            expected.push_back(count.toInt());
        EXPECT_EQ(file.PointsPerSegment(), expected);
    }
}

TEST(KmlLoaderFixtures, ContainersBecomeFoldersAndPlacemarksNameSegments)
{
    const LoadedFile device = ReadFixture(QStringLiteral("kml/gpsbabel/GPSData000001-A810-Doriel.kml"));
    EXPECT_EQ(device.folderPaths,
              (QStringList{QStringLiteral("GPS device"), QStringLiteral("GPS device/Tracks"),
                           QStringLiteral("GPS device/Tracks/Track 1"), QStringLiteral("GPS device/Tracks/Track 2"),
                           QStringLiteral("GPS device/Tracks/Track 3"), QStringLiteral("GPS device/Tracks/Track 4")}));
    EXPECT_EQ(device.segments[2].folders.join(QLatin1Char('/')), QStringLiteral("GPS device/Tracks/Track 3"));
    EXPECT_EQ(device.segments[2].name, QStringLiteral("Path"));

    // Folders holding waypoints only ("Points") are not made; each
    // MultiGeometry gives five segments named by their placemark.
    const LoadedFile segmented = ReadFixture(QStringLiteral("kml/gpsbabel/segmented_tracks.kml"));
    EXPECT_EQ(segmented.folderPaths,
              (QStringList{QStringLiteral("GPS device"), QStringLiteral("GPS device/Tracks"),
                           QStringLiteral("GPS device/Tracks/No Times"), QStringLiteral("GPS device/Tracks/With Times")}));
    EXPECT_EQ(segmented.SegmentNames(), QStringList(10, QStringLiteral("Path")));
    EXPECT_EQ(segmented.segments[5].folders.join(QLatin1Char('/')), QStringLiteral("GPS device/Tracks/With Times"));

    // A Document and a Folder without a name add no level.
    const LoadedFile unnamedDocument = ReadFixture(QStringLiteral("kml/mapsoft2/kml1.kml"));
    EXPECT_TRUE(unnamedDocument.folderPaths.isEmpty());
    EXPECT_EQ(unnamedDocument.SegmentNames(), (QStringList{QStringLiteral("track name"), QStringLiteral("track name")}));
    const LoadedFile unnamedFolder = ReadFixture(QStringLiteral("kml/gpsbabel/bendgc-input.kml"));
    EXPECT_EQ(unnamedFolder.segments.front().folders.join(QLatin1Char('/')), QStringLiteral("GPS device/Routes"));

    const LoadedFile multiTrack = ReadFixture(QStringLiteral("kml/gpsbabel/opentracks.kml"));
    EXPECT_EQ(multiTrack.folderPaths, QStringList{QStringLiteral("Wurmlinger Kapelle")});
    EXPECT_EQ(multiTrack.SegmentNames(), QStringList{QStringLiteral("Wurmlinger Kapelle")});
}

// ---------------------------------------------------------------- structure

TEST(KmlLoaderStructure, NestedFoldersMultiGeometryAndWhatIsNoTrack)
{
    const LoadedFile file = ReadKml(Kml(R"(<Document><name>Trip</name>
 <Folder><name>Day 1</name>
  <Folder><name>Morning</name>
   <Placemark><name>Walk</name><LineString><coordinates>8,47 8.1,47.1</coordinates></LineString></Placemark>
  </Folder>
  <Folder><name>Sights</name><Placemark><name>Church</name><Point><coordinates>8,47</coordinates></Point></Placemark></Folder>
 </Folder>
 <Placemark><name>Ferry</name><MultiGeometry>
  <LineString><coordinates>8.2,47.2 8.3,47.3 8.4,47.4</coordinates></LineString>
  <Point><coordinates>8.3,47.3</coordinates></Point>
  <LineString><coordinates>8.5,47.5</coordinates></LineString>
 </MultiGeometry></Placemark>
 <Placemark><name>Lake</name><Polygon><outerBoundaryIs><LinearRing>
  <coordinates>8,47 8.1,47 8.1,47.1 8,47</coordinates></LinearRing></outerBoundaryIs></Polygon></Placemark>
 <Placemark><name>Empty</name><LineString><coordinates> </coordinates></LineString></Placemark>
</Document>)"));
    ASSERT_EQ(file.status, TrackLoaderI::Success) << file.error.toStdString();
    EXPECT_EQ(file.folderPaths, (QStringList{QStringLiteral("Trip"), QStringLiteral("Trip/Day 1"), QStringLiteral("Trip/Day 1/Morning")}));
    EXPECT_EQ(file.SegmentNames(), (QStringList{QStringLiteral("Walk"), QStringLiteral("Ferry"), QStringLiteral("Ferry")}));
    EXPECT_EQ(file.PointsPerSegment(), (std::vector<int>{2, 3, 1}));
    EXPECT_EQ(file.segments[0].folders.join(QLatin1Char('/')), QStringLiteral("Trip/Day 1/Morning"));
    EXPECT_EQ(file.segments[1].folders.join(QLatin1Char('/')), QStringLiteral("Trip"));
}

TEST(KmlLoaderStructure, PointsOnlyIsNoTrack)
{
    const LoadedFile file = ReadKml(Kml("<Document><name>Pins</name><Folder><name>F</name>"
                                        "<Placemark><name>A</name><Point><coordinates>8,47,400</coordinates></Point></Placemark>"
                                        "</Folder></Document>"));
    EXPECT_EQ(file.status, TrackLoaderI::NoTrack);
    EXPECT_TRUE(file.folderPaths.isEmpty());
}

TEST(KmlLoaderStructure, TuplesWithAndWithoutAltitudeAndSloppySeparators)
{
    const LoadedFile file = ReadKml(Kml("<Placemark><LineString><coordinates>\n"
                                        "  8.5,47.1,410 8.6,47.2\n"
                                        "\t8.7 , 47.3 , 420,\n"
                                        "8.8,47.4,430,8.9,+47.5,440\n"
                                        "</coordinates></LineString></Placemark>"));
    ASSERT_EQ(file.status, TrackLoaderI::Success) << file.error.toStdString();
    const TrackData& points = *file.segments.front().points;
    ASSERT_EQ(points.GetPointCount(), 5);
    const double lon[] = {8.5, 8.6, 8.7, 8.8, 8.9};
    const double lat[] = {47.1, 47.2, 47.3, 47.4, 47.5};
    const double ele[] = {410, 0, 420, 430, 440};
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_DOUBLE_EQ(points.GetTrackPoint(i).GetLon(), lon[i]);
        EXPECT_DOUBLE_EQ(points.GetTrackPoint(i).GetLat(), lat[i]);
        EXPECT_EQ(points.GetTrackPoint(i).HasElevation(), i != 1);
        EXPECT_DOUBLE_EQ(points.GetTrackPoint(i).GetElevation(), ele[i]);
        EXPECT_TRUE(points.GetTrackPoint(i).GetTime().IsNull());
    }
    // A placemark without name gives a segment without name, under the file.
    EXPECT_EQ(file.SegmentNames(), QStringList{QString()});
    EXPECT_TRUE(file.segments.front().folders.isEmpty());
}

TEST(KmlLoaderStructure, LongLineStringIsReadWholeAndHeldTight)
{
    QByteArray coordinates;
    coordinates.reserve(100000 * 28);
    for (int i = 0; i < 100000; ++i)
        coordinates += QByteArray::number(8 + i * 1e-5, 'f', 6) + ',' + QByteArray::number(47 + i * 1e-5, 'f', 6) + ",500\n";
    const LoadedFile file = ReadKml(Kml("<Placemark><LineString><coordinates>" + coordinates + "</coordinates></LineString></Placemark>"));
    ASSERT_EQ(file.status, TrackLoaderI::Success) << file.error.toStdString();
    const TrackData& points = *file.segments.front().points;
    ASSERT_EQ(points.GetPointCount(), 100000);
    EXPECT_NEAR(points.GetTrackPoint(99999).GetLon(), 8.99999, 1e-9);
    EXPECT_NEAR(points.GetTrackPoint(99999).GetLat(), 47.99999, 1e-9);
    EXPECT_LE(points.GetPoints().capacity(), points.GetPoints().size() + points.GetPoints().size() / 8);
}

TEST(KmlLoaderStructure, CancelStopsTheRead)
{
    class CancelOnFirstProgress : public OperationProgress
    {
    public:
        void SetPercent(double percent) override
        {
            OperationProgress::SetPercent(percent);
            if (percent > 0)
                SetCancel();
        }
    };
    // More than one piece of reading: the first report of progress cancels.
    QByteArray text = "<kml><Placemark><LineString><coordinates>";
    while (text.size() < 3 * 1024 * 1024)
        text += "8.123456,47.123456,500.5\n";
    text += "</coordinates></LineString></Placemark></kml>";
    QBuffer device(&text);
    device.open(QIODevice::ReadOnly);
    TrackTree tree;
    TrackDataSetImpl data;
    CancelOnFirstProgress progress;
    KmlLoader loader;
    EXPECT_EQ(loader.Read(device, QStringLiteral("big"), *tree.GetCreator(), data, progress), TrackLoaderI::Cancelled);
    EXPECT_EQ(progress.GetStatus(), TrackLoaderI::Cancelled);
}

TEST(KmlLoaderTrack, WhensPairWithCoordsAndEmptyCoordsDropTheirTime)
{
    const LoadedFile file = ReadKml(Track(R"(
 <when>2024-05-01T10:00:00Z</when><when>2024-05-01T10:00:01Z</when><when>2024-05-01T10:00:02.5Z</when>
 <gx:coord>8 47 400</gx:coord><gx:coord/><gx:coord>8.2 47.2</gx:coord>
 <ExtendedData><SchemaData schemaUrl="#s">
  <gx:SimpleArrayData name="heartrate"><gx:value>100</gx:value><gx:value>101</gx:value><gx:value>102</gx:value></gx:SimpleArrayData>
  <gx:SimpleArrayData name="cadence"><gx:value>80</gx:value><gx:value/><gx:value></gx:value></gx:SimpleArrayData>
  <gx:SimpleArrayData name="temperature"><gx:value>21.5</gx:value><gx:value>x</gx:value><gx:value>warm</gx:value></gx:SimpleArrayData>
  <gx:SimpleArrayData name="power"><gx:value>200</gx:value><gx:value>210</gx:value><gx:value>220</gx:value></gx:SimpleArrayData>
 </SchemaData></ExtendedData>)"));
    ASSERT_EQ(file.status, TrackLoaderI::Success) << file.error.toStdString();
    const TrackData& points = *file.segments.front().points;
    ASSERT_EQ(points.GetPointCount(), 2);
    const TrackPoint& first = points.GetTrackPoint(0);
    const TrackPoint& second = points.GetTrackPoint(1);
    EXPECT_EQ(TimeOf(first), "2024-05-01T10:00:00Z");
    EXPECT_EQ(TimeOf(second), "2024-05-01T10:00:02.500Z");
    EXPECT_DOUBLE_EQ(first.GetElevation(), 400);
    EXPECT_FALSE(second.HasElevation());
    EXPECT_EQ(first.GetGpsParams().GetHeartRate(), 100);
    EXPECT_EQ(second.GetGpsParams().GetHeartRate(), 102);
    EXPECT_EQ(first.GetGpsParams().GetCadence(), 80);
    EXPECT_FALSE(second.GetGpsParams().HasCadence());
    EXPECT_FLOAT_EQ(first.GetGpsParams().GetTemperature(), 21.5f);
    EXPECT_FALSE(second.GetGpsParams().HasTemperature());
}

TEST(KmlLoaderTrack, UnevenCountsAndOrders)
{
    // Fewer coords than whens: the surplus whens are ignored.
    const LoadedFile fewerCoords = ReadKml(Track("<when>2024-05-01T10:00:00Z</when><when>2024-05-01T10:00:01Z</when>"
                                                 "<when>2024-05-01T10:00:02Z</when><gx:coord>8 47</gx:coord><gx:coord>8.1 47</gx:coord>"));
    ASSERT_EQ(fewerCoords.PointCount(), 2);
    EXPECT_EQ(TimeOf(fewerCoords.Last()), "2024-05-01T10:00:01Z");

    // Fewer whens than coords: the surplus coords have no time.
    const LoadedFile fewerWhens = ReadKml(Track("<when>2024-05-01T10:00:00Z</when>"
                                                "<gx:coord>8 47</gx:coord><gx:coord>8.1 47</gx:coord><gx:coord>8.2 47</gx:coord>"));
    ASSERT_EQ(fewerWhens.PointCount(), 3);
    EXPECT_EQ(TimeOf(fewerWhens.First()), "2024-05-01T10:00:00Z");
    EXPECT_TRUE(fewerWhens.segments.front().points->GetTrackPoint(1).GetTime().IsNull());
    EXPECT_TRUE(fewerWhens.Last().GetTime().IsNull());

    // No when at all.
    const LoadedFile untimed = ReadKml(Track("<gx:coord>8 47 1</gx:coord><gx:coord>8.1 47 2</gx:coord>"));
    ASSERT_EQ(untimed.status, TrackLoaderI::Success);
    EXPECT_TRUE(untimed.First().GetTime().IsNull());
    EXPECT_DOUBLE_EQ(untimed.Last().GetElevation(), 2);

    // Interleaved when / coord pairs, coords before their whens too.
    const LoadedFile interleaved = ReadKml(Track("<when>2024-05-01T10:00:00Z</when><gx:coord>8 47</gx:coord>"
                                                 "<when>2024-05-01T10:00:05Z</when><gx:coord>8.1 47</gx:coord>"));
    EXPECT_EQ(TimeOf(interleaved.Last()), "2024-05-01T10:00:05Z");
    const LoadedFile coordsFirst = ReadKml(Track("<gx:coord>8 47</gx:coord><gx:coord>8.1 47</gx:coord>"
                                                 "<when>2024-05-01T10:00:00Z</when><when>2024-05-01T10:00:07Z</when>"));
    EXPECT_EQ(TimeOf(coordsFirst.Last()), "2024-05-01T10:00:07Z");
}

TEST(KmlLoaderTrack, MultiTrackGivesASegmentPerTrack)
{
    const LoadedFile file = ReadKml(Kml("<Folder><name>Runs</name><Placemark><name>Morning run</name><gx:MultiTrack>"
                                        "<gx:Track><when>2024-05-01T10:00:00Z</when><gx:coord>8 47</gx:coord></gx:Track>"
                                        "<gx:Track><when>2024-05-01T10:30:00Z</when><gx:coord>8.1 47</gx:coord>"
                                        "<when>2024-05-01T10:30:01Z</when><gx:coord>8.2 47</gx:coord></gx:Track>"
                                        "<gx:Track><when>2024-05-01T11:00:00Z</when><gx:coord/></gx:Track>"
                                        "</gx:MultiTrack></Placemark></Folder>"));
    ASSERT_EQ(file.status, TrackLoaderI::Success) << file.error.toStdString();
    EXPECT_EQ(file.folderPaths, QStringList{QStringLiteral("Runs")});
    EXPECT_EQ(file.SegmentNames(), (QStringList{QStringLiteral("Morning run"), QStringLiteral("Morning run")}));
    EXPECT_EQ(file.PointsPerSegment(), (std::vector<int>{1, 2}));
}

TEST(KmlLoaderTrack, OlderNamespacesAndPrefixedElements)
{
    const LoadedFile older = ReadKml("<kml xmlns=\"http://earth.google.com/kml/2.0\"><Placemark><name>Old</name>"
                                     "<LineString><coordinates>8,47 8.1,47.1</coordinates></LineString></Placemark></kml>");
    EXPECT_EQ(older.status, TrackLoaderI::Success);
    EXPECT_EQ(older.PointCount(), 2);
    const LoadedFile prefixed = ReadKml("<k:kml xmlns:k=\"http://www.opengis.net/kml/2.2\"><k:Document><k:name>D</k:name>"
                                        "<k:Placemark><k:LineString><k:coordinates>8,47</k:coordinates></k:LineString>"
                                        "</k:Placemark></k:Document></k:kml>");
    EXPECT_EQ(prefixed.status, TrackLoaderI::Success);
    EXPECT_EQ(prefixed.folderPaths, QStringList{QStringLiteral("D")});
}

// ---------------------------------------------------------------- broken files

TEST(KmlLoaderBroken, BadCoordinatesFailAtTheirOwnLine)
{
    struct Case
    {
        const char* body;
        const char* error;
    };
    const Case cases[] = {
        {"<Placemark><LineString><coordinates>\n8.0,47.0,400\n8.1,47.1,401\n8.2,4x.2,402\n8.3,47.3\n</coordinates></LineString></Placemark>",
         "line 6: \"4x.2\" is not a number"},
        {"<Placemark><LineString><coordinates>\n8.0,47.0\n8.1,95.0\n</coordinates></LineString></Placemark>",
         "line 5: the position is out of range"},
        {"<Placemark><LineString><coordinates>8.0,47.0 8.1 47.1</coordinates></LineString></Placemark>",
         "line 3: a coordinate tuple without latitude"},
        {"<Placemark><LineString><coordinates>\n8.0,47.0,nan\n</coordinates></LineString></Placemark>",
         "line 4: \"nan\" is not a number"},
        {"<Placemark><gx:Track>\n<gx:coord>8 47</gx:coord>\n<gx:coord>8 abc</gx:coord>\n</gx:Track></Placemark>",
         "line 5: \"abc\" is not a number"},
        {"<Placemark><gx:Track>\n<gx:coord>8 47 1 2</gx:coord>\n</gx:Track></Placemark>",
         "line 4: more than three numbers in a <gx:coord>"},
        {"<Placemark><gx:Track>\n<gx:coord>200 47</gx:coord>\n</gx:Track></Placemark>", "line 4: the position is out of range"},
        {"<Placemark><gx:Track>\n<when>tomorrow</when>\n</gx:Track></Placemark>", "line 4: <when> \"tomorrow\" is not a time"},
        {"<Placemark><gx:Track>\n<gx:Track/></gx:Track></Placemark>", "line 4: a <gx:Track> inside a <gx:Track>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        const LoadedFile file = ReadKml(Kml(c.body));
        EXPECT_EQ(file.status, TrackLoaderI::ReadError);
        EXPECT_EQ(file.error.toStdString(), c.error);
    }
}

TEST(KmlLoaderBroken, NotAKmlDocument)
{
    const LoadedFile gpx = ReadKml("<?xml version=\"1.0\"?>\n<gpx version=\"1.1\"/>\n");
    EXPECT_EQ(gpx.status, TrackLoaderI::ReadError);
    EXPECT_EQ(gpx.error, QStringLiteral("line 2: the root element is <gpx>, not <kml>"));

    const LoadedFile empty = ReadKml(QByteArray());
    EXPECT_EQ(empty.status, TrackLoaderI::ReadError);
    EXPECT_EQ(empty.error, QStringLiteral("line 1, column 1: no element found"));

    const LoadedFile junk = ReadKml(QByteArray("PK\x03\x04\x14\0\x06\0\x08\0\0\0!\0", 16));
    EXPECT_EQ(junk.status, TrackLoaderI::ReadError);
    EXPECT_TRUE(junk.error.startsWith(QStringLiteral("line 1, column "))) << junk.error.toStdString();
}

TEST(KmlLoaderBroken, TruncatedInsideCoordinatesFailsWhereItEnds)
{
    QFile file(PeerOracle::PathOf(QStringLiteral("kml/gpsbabel/GPSData000001-A810-Doriel.kml")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray half = file.readAll().left(70000);
    const LoadedFile read = ReadKml(half);
    EXPECT_EQ(read.status, TrackLoaderI::ReadError);
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("^line (\\d+), column \\d+: ")).match(read.error);
    ASSERT_TRUE(match.hasMatch()) << read.error.toStdString();
    EXPECT_EQ(match.captured(1).toLongLong(), half.count('\n') + 1);
}
