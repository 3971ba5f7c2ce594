#include "LoadedFile.h"
#include "PeerOracle.h"
#include "TcxLoader.h"

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

struct Read
{
    LoadedFile file;
    long long skipped = 0;
};

Read ReadTcx(const QByteArray& text)
{
    TcxLoader loader;
    Read read{LoadedFile::ReadBytes(loader, text), 0};
    read.skipped = loader.GetSkippedPointCount();
    return read;
}

Read ReadFixture(const QString& relativePath)
{
    TcxLoader loader;
    Read read{LoadedFile::ReadFile(loader, PeerOracle::PathOf(relativePath)), 0};
    read.skipped = loader.GetSkippedPointCount();
    return read;
}

// A v2 document around the given Activities/Courses content.
QByteArray V2(const QByteArray& body)
{
    return QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<TrainingCenterDatabase xmlns=\"http://www.garmin.com/xmlschemas/TrainingCenterDatabase/v2\">\n")
        + body + "\n</TrainingCenterDatabase>\n";
}

QByteArray Point(const char* time, const char* lat, const char* lon, const char* more = "")
{
    return QByteArray("<Trackpoint><Time>") + time + "</Time><Position><LatitudeDegrees>" + lat
        + "</LatitudeDegrees><LongitudeDegrees>" + lon + "</LongitudeDegrees></Position>" + more + "</Trackpoint>";
}

} // namespace

// ---------------------------------------------------------------- fixtures

TEST(TcxLoaderFixtures, EveryFileHasTheOraclesPoints)
{
    const PeerOracle oracle;
    const QStringList files = oracle.Files(QStringLiteral("tcx/"));
    ASSERT_EQ(files.size(), 8);
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        const QJsonObject entry = oracle.Entry(name);
        const Read read = ReadFixture(name);
        ASSERT_EQ(read.file.status, TrackLoaderI::Success) << read.file.error.toStdString();
        // The oracle writes elevations rounded to millimetres.
        PeerOracle::ExpectSamePoints(read.file, entry, 1e-3);
        // Both readers leave out the Trackpoints without Position.
        const QJsonObject scan = entry.value(QStringLiteral("xml_scan")).toObject();
        EXPECT_EQ(read.skipped, scan.value(QStringLiteral("Trackpoint")).toInteger()
                                    - scan.value(QStringLiteral("Trackpoint_with_Position")).toInteger());
    }
}

// The oracle merges all laps of an activity into one segment; we keep a
// segment per lap, and per Track where a lap holds several (a pause), so that
// lap boundaries and pauses stay visible as breaks. Expected counts are the
// positioned Trackpoints of each Track, counted with an XML tool.
TEST(TcxLoaderFixtures, ActivitiesBecomeFoldersWithASegmentPerLap)
{
    const Read laps = ReadFixture(QStringLiteral("tcx/gpsbabel/gtrnctr-lap_s.tcx"));
    EXPECT_EQ(laps.file.folderPaths, QStringList{QStringLiteral("2013-09-06T14:27:17Z")});
    EXPECT_EQ(laps.file.PointsPerSegment(),
              (std::vector<int>{68, 92, 92, 81, 69, 109, 21, 15, 85, 59, 75, 77, 84, 1}));
    EXPECT_EQ(laps.file.segments.front().name, QStringLiteral("Lap 1"));
    EXPECT_EQ(laps.file.segments.back().name, QStringLiteral("Lap 14"));

    const Read paused = ReadFixture(QStringLiteral("tcx/gpsbabel/history.tcx"));
    EXPECT_EQ(paused.file.folderPaths, QStringList{QStringLiteral("2008-08-21T13:08:52Z")});
    EXPECT_EQ(paused.file.SegmentNames(), (QStringList{QStringLiteral("Lap 1"), QStringLiteral("Lap 1 (2)")}));
    EXPECT_EQ(paused.file.PointsPerSegment(), (std::vector<int>{263, 939}));

    const Read skiing = ReadFixture(QStringLiteral("tcx/tcxreader/cross-country-skiing_activity_1.tcx"));
    // The Id is kept as written, fraction and all.
    EXPECT_EQ(skiing.file.folderPaths, QStringList{QStringLiteral("2020-12-26T15:14:21.000Z")});
    EXPECT_EQ(skiing.file.PointsPerSegment(), (std::vector<int>{448, 38}));

    EXPECT_EQ(ReadFixture(QStringLiteral("tcx/tcxparser/test.tcx")).file.PointsPerSegment(),
              (std::vector<int>{129, 128, 126}));
}

TEST(TcxLoaderFixtures, CoursesBecomeFoldersNamedByTheirName)
{
    const Read course = ReadFixture(QStringLiteral("tcx/gpsbabel/tcxtest~gpx-course.tcx"));
    EXPECT_EQ(course.file.folderPaths, QStringList{QStringLiteral("T1_courses on G")});
    EXPECT_EQ(course.file.SegmentNames(), QStringList{QStringLiteral("T1_courses on G")});
    EXPECT_EQ(course.file.PointsPerSegment(), std::vector<int>{1202});

    // Its 16 CoursePoints carry a Position and a Time too, but are no track.
    const Read withPoints = ReadFixture(QStringLiteral("tcx/gpsbabel/gtrnctr-readcp.tcx"));
    EXPECT_EQ(withPoints.file.folderPaths, QStringList{QStringLiteral("Test CP Reading")});
    EXPECT_EQ(withPoints.file.PointsPerSegment(), std::vector<int>{18});
}

TEST(TcxLoaderFixtures, SensorValuesAndTheSpeedExtension)
{
    // <HeartRateBpm><Value>141, <Cadence>31, TPX <Speed>2.069999933242798 m/s.
    const Read kona = ReadFixture(QStringLiteral("tcx/gpsbabel/kona2013.tcx"));
    ASSERT_EQ(kona.file.status, TrackLoaderI::Success);
    const TrackPointGpsParams& first = kona.file.First().GetGpsParams();
    EXPECT_EQ(first.GetHeartRate(), 141);
    EXPECT_EQ(first.GetCadence(), 31);
    ASSERT_TRUE(first.HasGpsSpeed());
    EXPECT_NEAR(first.GetGpsSpeed(), 2.069999933242798 * 3.6, 1e-4);

    // Prefixed ns3:TPX with ns3:Speed and the runner's ns3:RunCadence.
    const Read skiing = ReadFixture(QStringLiteral("tcx/tcxreader/cross-country-skiing_activity_1.tcx"));
    const TrackData& lap = *skiing.file.segments.front().points;
    EXPECT_TRUE(lap.GetTrackPoint(0).GetGpsParams().HasCadence());
    EXPECT_EQ(lap.GetTrackPoint(0).GetGpsParams().GetCadence(), 0);
    EXPECT_NEAR(lap.GetTrackPoint(0).GetGpsParams().GetGpsSpeed(), 0.56 * 3.6, 1e-4);
    EXPECT_EQ(lap.GetTrackPoint(4).GetGpsParams().GetCadence(), 58);
    EXPECT_EQ(lap.GetTrackPoint(4).GetGpsParams().GetHeartRate(), 91);
    EXPECT_NEAR(lap.GetTrackPoint(4).GetGpsParams().GetGpsSpeed(), 0.7279999852180481 * 3.6, 1e-4);

    // history.tcx has heart rate but no cadence or speed.
    const TrackPointGpsParams& plain = ReadFixture(QStringLiteral("tcx/gpsbabel/history.tcx")).file.First().GetGpsParams();
    EXPECT_EQ(plain.GetHeartRate(), 107);
    EXPECT_FALSE(plain.HasCadence());
    EXPECT_FALSE(plain.HasGpsSpeed());
}

// ---------------------------------------------------------------- structure

TEST(TcxLoaderStructure, VersionOneRunIsNamedBySportAndStart)
{
    const Read read = ReadTcx(R"(<?xml version="1.0"?>
<TrainingCenterDatabase xmlns="http://www.garmin.com/xmlschemas/TrainingCenterDatabase/v1">
 <History>
  <Running Name="Running">
   <Run>
    <Lap StartTime="2006-05-01T07:00:00Z">
     <TotalTimeSeconds>60</TotalTimeSeconds>
     <Track>
      <Trackpoint><Time>2006-05-01T07:00:00Z</Time><Position><LatitudeDegrees>47.1</LatitudeDegrees><LongitudeDegrees>8.5</LongitudeDegrees></Position><AltitudeMeters>410.5</AltitudeMeters><HeartRateBpm>120</HeartRateBpm></Trackpoint>
      <Trackpoint><Time>2006-05-01T07:00:05Z</Time><Position><LatitudeDegrees>47.2</LatitudeDegrees><LongitudeDegrees>8.6</LongitudeDegrees></Position><HeartRateBpm> 122 </HeartRateBpm><Cadence>80</Cadence></Trackpoint>
     </Track>
    </Lap>
   </Run>
  </Running>
  <Biking Name="Biking"/>
 </History>
</TrainingCenterDatabase>
)");
    ASSERT_EQ(read.file.status, TrackLoaderI::Success) << read.file.error.toStdString();
    EXPECT_EQ(read.file.folderPaths, QStringList{QStringLiteral("Running 2006-05-01T07:00:00Z")});
    EXPECT_EQ(read.file.SegmentNames(), QStringList{QStringLiteral("Lap 1")});
    const TrackData& points = *read.file.segments.front().points;
    ASSERT_EQ(points.GetPointCount(), 2);
    EXPECT_EQ(points.GetTrackPoint(0).GetGpsParams().GetHeartRate(), 120);
    EXPECT_DOUBLE_EQ(points.GetTrackPoint(0).GetElevation(), 410.5);
    EXPECT_EQ(points.GetTrackPoint(1).GetGpsParams().GetHeartRate(), 122);
    EXPECT_EQ(points.GetTrackPoint(1).GetGpsParams().GetCadence(), 80);
    EXPECT_FALSE(points.GetTrackPoint(1).HasElevation());
    EXPECT_DOUBLE_EQ(points.GetTrackPoint(1).GetLat(), 47.2);
    EXPECT_DOUBLE_EQ(points.GetTrackPoint(1).GetLon(), 8.6);
}

TEST(TcxLoaderStructure, LapWithoutPositionGivesNoSegmentButKeepsTheLapNumbers)
{
    const QByteArray hrOnly = "<Trackpoint><Time>2024-05-01T10:01:00Z</Time><HeartRateBpm><Value>130</Value></HeartRateBpm></Trackpoint>";
    const Read read = ReadTcx(V2(QByteArray("<Activities><Activity Sport=\"Running\"><Id>2024-05-01T10:00:00Z</Id>"
                                            "<Lap StartTime=\"2024-05-01T10:00:00Z\"><Track>"
                                            + Point("2024-05-01T10:00:00Z", "47", "8") + Point("2024-05-01T10:00:01Z", "47.001", "8")
                                            + "</Track></Lap>"
                                              "<Lap StartTime=\"2024-05-01T10:01:00Z\"><Track>"
                                            + hrOnly + hrOnly + hrOnly
                                            + "</Track></Lap>"
                                              "<Lap StartTime=\"2024-05-01T10:02:00Z\"><Track>"
                                            + hrOnly + Point("2024-05-01T10:02:00Z", "47.002", "8")
                                            + "</Track></Lap></Activity></Activities>")));
    ASSERT_EQ(read.file.status, TrackLoaderI::Success) << read.file.error.toStdString();
    EXPECT_EQ(read.file.SegmentNames(), (QStringList{QStringLiteral("Lap 1"), QStringLiteral("Lap 3")}));
    EXPECT_EQ(read.file.PointsPerSegment(), (std::vector<int>{2, 1}));
    EXPECT_EQ(read.skipped, 4);
    // The sample without fix does not lend its heart rate to the next point.
    EXPECT_FALSE(read.file.Last().GetGpsParams().HasHeartRate());
}

TEST(TcxLoaderStructure, ActivityWithoutAnyPositionLeavesNoFolder)
{
    const QByteArray hrOnly = "<Trackpoint><Time>2024-05-01T10:01:00Z</Time><HeartRateBpm><Value>130</Value></HeartRateBpm></Trackpoint>";
    const Read twoActivities = ReadTcx(V2(QByteArray("<Activities>"
                                                     "<Activity Sport=\"Other\"><Id>indoor</Id><Lap><Track>" + hrOnly + hrOnly
                                                     + "</Track></Lap></Activity>"
                                                       "<Activity Sport=\"Biking\"><Id>outdoor</Id><Lap><Track>"
                                                     + Point("2024-05-02T10:00:00Z", "47", "8") + "</Track></Lap></Activity>"
                                                     + "</Activities>")));
    ASSERT_EQ(twoActivities.file.status, TrackLoaderI::Success);
    EXPECT_EQ(twoActivities.file.folderPaths, QStringList{QStringLiteral("outdoor")});
    EXPECT_EQ(twoActivities.skipped, 2);

    const Read treadmill = ReadTcx(V2(QByteArray("<Activities><Activity Sport=\"Running\"><Id>x</Id><Lap><Track>" + hrOnly
                                                 + "</Track></Lap></Activity></Activities>")));
    EXPECT_EQ(treadmill.file.status, TrackLoaderI::NoTrack);
    EXPECT_TRUE(treadmill.file.folderPaths.isEmpty());
    EXPECT_EQ(treadmill.skipped, 1);
}

TEST(TcxLoaderStructure, CourseWithTwoTracksAndCoursePoints)
{
    const Read read = ReadTcx(V2(QByteArray("<Courses><Course><Name>Hill loop</Name>"
                                            "<Lap><TotalTimeSeconds>60</TotalTimeSeconds><BeginPosition><LatitudeDegrees>1</LatitudeDegrees>"
                                            "<LongitudeDegrees>2</LongitudeDegrees></BeginPosition></Lap>"
                                            "<Track>" + Point("2024-05-01T10:00:00Z", "47", "8") + Point("2024-05-01T10:00:01Z", "47.1", "8")
                                            + "</Track><Track>" + Point("2024-05-01T11:00:00Z", "47.2", "8")
                                            + "</Track><CoursePoint><Name>Top</Name><Time>2024-05-01T10:00:01Z</Time>"
                                              "<Position><LatitudeDegrees>47.1</LatitudeDegrees><LongitudeDegrees>8</LongitudeDegrees>"
                                              "</Position><PointType>Summit</PointType></CoursePoint>"
                                              "</Course></Courses>")));
    ASSERT_EQ(read.file.status, TrackLoaderI::Success) << read.file.error.toStdString();
    EXPECT_EQ(read.file.folderPaths, QStringList{QStringLiteral("Hill loop")});
    EXPECT_EQ(read.file.SegmentNames(), (QStringList{QStringLiteral("Hill loop"), QStringLiteral("Hill loop (2)")}));
    EXPECT_EQ(read.file.PointsPerSegment(), (std::vector<int>{2, 1}));
}

TEST(TcxLoaderStructure, LapSummariesDoNotLeakIntoPoints)
{
    // Lap-level Cadence, AverageHeartRateBpm and LX AvgSpeed describe the lap,
    // not a point; an unusable heart rate and an empty altitude are no value.
    const Read read = ReadTcx(V2(QByteArray("<Activities><Activity Sport=\"Biking\"><Id>a</Id><Lap>"
                                            "<AverageHeartRateBpm><Value>150</Value></AverageHeartRateBpm><Cadence>90</Cadence>"
                                            "<Track>"
                                            + Point("2024-05-01T10:00:00Z", "47", "8",
                                                    "<AltitudeMeters> </AltitudeMeters><HeartRateBpm><Value>300</Value></HeartRateBpm>")
                                            + "</Track>"
                                              "<Extensions><LX xmlns=\"http://www.garmin.com/xmlschemas/ActivityExtension/v2\">"
                                              "<AvgSpeed>5</AvgSpeed></LX></Extensions>"
                                              "</Lap></Activity></Activities>")));
    ASSERT_EQ(read.file.status, TrackLoaderI::Success) << read.file.error.toStdString();
    const TrackPoint& point = read.file.First();
    EXPECT_FALSE(point.HasElevation());
    EXPECT_FALSE(point.GetGpsParams().HasHeartRate());
    EXPECT_FALSE(point.GetGpsParams().HasCadence());
    EXPECT_FALSE(point.GetGpsParams().HasGpsSpeed());
}

// ---------------------------------------------------------------- broken files

TEST(TcxLoaderBroken, BadValuesFailWithLineAndReason)
{
    struct Case
    {
        const char* trackpoint;
        const char* error;
    };
    const Case cases[] = {
        {"<Position><LatitudeDegrees>abc</LatitudeDegrees><LongitudeDegrees>8</LongitudeDegrees></Position>",
         "line 5: <LatitudeDegrees> \"abc\" is not a number"},
        {"<Position><LatitudeDegrees>95.5</LatitudeDegrees><LongitudeDegrees>8</LongitudeDegrees></Position>",
         "line 5: <LatitudeDegrees> \"95.5\" is out of range"},
        {"<Position><LatitudeDegrees>47</LatitudeDegrees><LongitudeDegrees>1e999</LongitudeDegrees></Position>",
         "line 5: <LongitudeDegrees> \"1e999\" is not a number"},
        {"<Position><LatitudeDegrees>47</LatitudeDegrees></Position>", "line 5: a <Position> without <LongitudeDegrees>"},
        {"<Time>yesterday</Time>", "line 5: <Time> \"yesterday\" is not a time"},
        {"<Position><LatitudeDegrees>47</LatitudeDegrees><LongitudeDegrees>8</LongitudeDegrees></Position>"
         "<AltitudeMeters>12,5</AltitudeMeters>",
         "line 5: <AltitudeMeters> \"12,5\" is not a number"},
        {"<HeartRateBpm><Value>fast</Value></HeartRateBpm>", "line 5: <HeartRateBpm> \"fast\" is not a number"},
        {"<Extensions><TPX><Speed>NaN</Speed></TPX></Extensions>", "line 5: <Speed> \"NaN\" is not a number"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.trackpoint);
        const Read read = ReadTcx(V2(QByteArray("<Activities><Activity><Id>a</Id><Lap><Track>\n"
                                                + Point("2024-05-01T10:00:00Z", "47", "8") + "\n"
                                                + "<Trackpoint>" + c.trackpoint + "\n</Trackpoint>\n</Track></Lap></Activity></Activities>")));
        EXPECT_EQ(read.file.status, TrackLoaderI::ReadError);
        EXPECT_EQ(read.file.error.toStdString(), c.error);
    }
}

TEST(TcxLoaderBroken, NotATcxDocument)
{
    const Read gpx = ReadTcx("<?xml version=\"1.0\"?>\n<gpx version=\"1.1\"><trk/></gpx>\n");
    EXPECT_EQ(gpx.file.status, TrackLoaderI::ReadError);
    EXPECT_EQ(gpx.file.error, QStringLiteral("line 2: the root element is <gpx>, not <TrainingCenterDatabase>"));

    const Read empty = ReadTcx(QByteArray());
    EXPECT_EQ(empty.file.status, TrackLoaderI::ReadError);
    EXPECT_EQ(empty.file.error, QStringLiteral("line 1, column 1: no element found"));

    const Read junk = ReadTcx(QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    EXPECT_EQ(junk.file.status, TrackLoaderI::ReadError);
    EXPECT_TRUE(junk.file.error.startsWith(QStringLiteral("line 1, column 1: "))) << junk.file.error.toStdString();

    const Read nested = ReadTcx(V2("<Activities><Activity><Lap><Track><Trackpoint>\n<Trackpoint/></Trackpoint></Track></Lap></Activity></Activities>"));
    EXPECT_EQ(nested.file.status, TrackLoaderI::ReadError);
    EXPECT_EQ(nested.file.error, QStringLiteral("line 4: a <Trackpoint> inside a <Trackpoint>"));
}

TEST(TcxLoaderBroken, TruncatedFileFailsWhereItEnds)
{
    QFile file(PeerOracle::PathOf(QStringLiteral("tcx/gpsbabel/history.tcx")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray half = file.readAll().left(300000);
    const Read read = ReadTcx(half);
    EXPECT_EQ(read.file.status, TrackLoaderI::ReadError);
    // Expat reports the end of the text: the last line of what is left.
    const QRegularExpression where(QStringLiteral("^line (\\d+), column \\d+: "));
    const QRegularExpressionMatch match = where.match(read.file.error);
    ASSERT_TRUE(match.hasMatch()) << read.file.error.toStdString();
    EXPECT_EQ(match.captured(1).toLongLong(), half.count('\n') + 1);
}
