#include "CliCommands.h"

#include "IsoTime.h"
#include "LoadManager.h"
#include "TestSupport.h"
#include "TrackPointMethods.h"
#include "TrackTreeAlg.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <optional>

namespace {

// Degrees of longitude on the equator that the program measures as a metre.
double LonPerMeter()
{
    return 0.01 / (TrackPointMethods::GetRoughDist(TrackPointBase({0, 0, 0}), TrackPointBase({0.01, 0, 0})) * 1000);
}

struct GpxPoint
{
    double meters;
    // ISO 8601, or none.
    std::optional<QString> time;
};

// One segment on the equator.
QString WriteGpx(const QString& dir, const std::vector<GpxPoint>& points)
{
    QString gpx = QStringLiteral("<?xml version=\"1.0\"?>\n<gpx version=\"1.1\" creator=\"test\" "
                                 "xmlns=\"http://www.topografix.com/GPX/1/1\"><trk><trkseg>");
    for (const GpxPoint& point : points) {
        gpx += QStringLiteral("<trkpt lat=\"0\" lon=\"%1\">").arg(point.meters * LonPerMeter(), 0, 'f', 10);
        if (point.time)
            gpx += QStringLiteral("<time>%1</time>").arg(*point.time);
        gpx += QStringLiteral("</trkpt>");
    }
    gpx += QStringLiteral("</trkseg></trk></gpx>\n");
    const QString path = QDir(dir).filePath(QStringLiteral("in.gpx"));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(gpx.toUtf8());
    return path;
}

// The points of every segment of a file, one after another.
std::vector<TrackPoint> ReadPoints(const QString& path)
{
    const LoadedTrackFile loaded = LoadManager().Load(path);
    EXPECT_EQ(loaded.status, TrackLoaderI::Success) << path.toStdString();
    std::vector<int> segments;
    TrackTreeAlg(loaded.tree.GetReader().get()).GetSubsegmentIds(loaded.fileTid, segments);
    std::vector<TrackPoint> points;
    for (int tid : segments) {
        const std::vector<TrackPoint>& part = loaded.data->Get(tid)->GetPoints();
        points.insert(points.end(), part.begin(), part.end());
    }
    return points;
}

Time Iso(const char* text)
{
    return IsoTime::Parse(text);
}

double SecondsBetween(const Time& a, const Time& b)
{
    return (b - a).GetInSeconds();
}

class TimeCliTest : public ::testing::Test
{
protected:
    QString Out() const { return QDir(m_dir).filePath(QStringLiteral("out.gpx")); }

    QString m_dir = MakeTempDir();
};

} // namespace

TEST_F(TimeCliTest, ShiftMovesTheStartAndKeepsTheGaps)
{
    const QString in = WriteGpx(m_dir, {{0, QStringLiteral("2024-05-01T10:00:00Z")},
                                        {100, std::nullopt},
                                        {200, QStringLiteral("2024-05-01T10:00:30.500Z")}});
    ASSERT_EQ(RunShiftCommand({in, QStringLiteral("--start"), QStringLiteral("2019-12-31T23:59:50Z"),
                               QStringLiteral("-o"), Out()}),
              0);
    const std::vector<TrackPoint> points = ReadPoints(Out());
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[0].GetTime(), Iso("2019-12-31T23:59:50Z"));
    EXPECT_TRUE(points[1].GetTime().IsNull());
    EXPECT_EQ(points[2].GetTime(), Iso("2020-01-01T00:00:20.500Z"));
}

TEST_F(TimeCliTest, ShiftRefusesBadArgumentsAndUntimedTracks)
{
    const QString in = WriteGpx(m_dir, {{0, std::nullopt}, {100, std::nullopt}});
    const QString out = Out();
    EXPECT_EQ(RunShiftCommand({in, QStringLiteral("-o"), out}), 2);
    EXPECT_EQ(RunShiftCommand({in, QStringLiteral("--start"), QStringLiteral("yesterday"), QStringLiteral("-o"), out}), 2);
    EXPECT_EQ(RunShiftCommand({in, QStringLiteral("--start"), QStringLiteral("2020-01-01T00:00:00Z")}), 2);
    EXPECT_EQ(RunShiftCommand({in, QStringLiteral("--start"), QStringLiteral("2020-01-01T00:00:00Z"),
                               QStringLiteral("-o"), out}),
              1);
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(TimeCliTest, RetimeFromAStartRunsAtTheSpeed)
{
    // Recorded times are dropped when a start is given.
    const QString in = WriteGpx(m_dir, {{0, QStringLiteral("2024-05-01T10:00:00Z")},
                                        {1000, std::nullopt},
                                        {2000, QStringLiteral("2024-05-01T09:00:00Z")}});
    ASSERT_EQ(RunRetimeCommand({in, QStringLiteral("--speed"), QStringLiteral("36"), QStringLiteral("--start"),
                                QStringLiteral("2024-05-01T08:00:00Z"), QStringLiteral("-o"), Out()}),
              0);
    const std::vector<TrackPoint> points = ReadPoints(Out());
    ASSERT_EQ(points.size(), 3u);
    const Time start = Iso("2024-05-01T08:00:00Z");
    for (size_t i = 0; i < points.size(); ++i) {
        EXPECT_NEAR(SecondsBetween(start, points[i].GetTime()), 100.0 * static_cast<double>(i), 2e-3) << i;
        EXPECT_TRUE(points[i].IsValid()) << i;
        EXPECT_TRUE(points[i].GetStatus().IsInMode(TrackPointStatus::TimeRegenerated)) << i;
    }
}

TEST_F(TimeCliTest, RetimeWithoutStartKeepsTheEndsAndFillsAtTheSpeed)
{
    // Legs of 1, 3 and 1 km; the last point has no time, so the speed
    // carries the track on after the last recorded time.
    const QString in = WriteGpx(m_dir, {{0, QStringLiteral("2024-05-01T10:00:00Z")},
                                        {1000, QStringLiteral("2024-05-01T10:00:01Z")},
                                        {4000, QStringLiteral("2024-05-01T10:08:00Z")},
                                        {5000, std::nullopt}});
    ASSERT_EQ(RunRetimeCommand({in, QStringLiteral("--speed"), QStringLiteral("60"), QStringLiteral("-o"), Out()}), 0);
    const std::vector<TrackPoint> points = ReadPoints(Out());
    ASSERT_EQ(points.size(), 4u);
    const Time start = Iso("2024-05-01T10:00:00Z");
    // 4 km between the kept 10:00 and 10:08: two minutes a km; then one
    // minute for the last km at 60 km/h.
    const double expected[] = {0, 120, 480, 540};
    for (size_t i = 0; i < points.size(); ++i)
        EXPECT_NEAR(SecondsBetween(start, points[i].GetTime()), expected[i], 2e-3) << i;
}

TEST_F(TimeCliTest, RetimeNeedsASpeedAndSomethingToStartFrom)
{
    const QString untimed = WriteGpx(m_dir, {{0, std::nullopt}, {1000, std::nullopt}});
    EXPECT_EQ(RunRetimeCommand({untimed, QStringLiteral("-o"), Out()}), 2);
    EXPECT_EQ(RunRetimeCommand({untimed, QStringLiteral("--speed"), QStringLiteral("-5"), QStringLiteral("-o"), Out()}), 2);
    EXPECT_EQ(RunRetimeCommand({untimed, QStringLiteral("--speed"), QStringLiteral("36"), QStringLiteral("--start"),
                                QStringLiteral("soon"), QStringLiteral("-o"), Out()}),
              2);
    EXPECT_EQ(RunRetimeCommand({untimed, QStringLiteral("--speed"), QStringLiteral("36"), QStringLiteral("-o"), Out()}), 1);
    EXPECT_FALSE(QFile::exists(Out()));
}

TEST_F(TimeCliTest, DensifyUsesTheDefaultsAndTheGivenSteps)
{
    const QString in = WriteGpx(m_dir, {{0, QStringLiteral("2024-05-01T10:00:00Z")},
                                        {25, QStringLiteral("2024-05-01T10:00:02Z")},
                                        {50, QStringLiteral("2024-05-01T10:00:04Z")}});
    // 1 s and 10 m: three parts a leg.
    ASSERT_EQ(RunDensifyCommand({in, QStringLiteral("-o"), Out()}), 0);
    std::vector<TrackPoint> points = ReadPoints(Out());
    ASSERT_EQ(points.size(), 7u);
    EXPECT_NEAR(points[1].GetLon() / LonPerMeter(), 25.0 / 3, 1e-3);
    EXPECT_NEAR(SecondsBetween(Iso("2024-05-01T10:00:00Z"), points[4].GetTime()), 8.0 / 3, 2e-3);
    // Only distance, 2 m: 13 parts a leg.
    ASSERT_EQ(RunDensifyCommand({in, QStringLiteral("--time"), QStringLiteral("0"), QStringLiteral("--dist"),
                                 QStringLiteral("2"), QStringLiteral("-o"), Out()}),
              0);
    EXPECT_EQ(ReadPoints(Out()).size(), 3u + 2 * 12);
    // Both steps off: the points as they were.
    ASSERT_EQ(RunDensifyCommand({in, QStringLiteral("--time"), QStringLiteral("0"), QStringLiteral("--dist"),
                                 QStringLiteral("0"), QStringLiteral("-o"), Out()}),
              0);
    EXPECT_EQ(ReadPoints(Out()).size(), 3u);
    EXPECT_EQ(RunDensifyCommand({in, QStringLiteral("--dist"), QStringLiteral("ten"), QStringLiteral("-o"), Out()}), 2);
}

TEST_F(TimeCliTest, DensifyRefusesALegThatWouldTakeBillionsOfPoints)
{
    // A receiver whose clock jumped 40 years; the distance step alone is fine.
    const QString in = WriteGpx(m_dir, {{0, QStringLiteral("2024-05-01T10:00:00Z")},
                                        {25, QStringLiteral("2064-05-01T10:00:02Z")}});
    EXPECT_EQ(RunDensifyCommand({in, QStringLiteral("-o"), Out()}), 1);
    EXPECT_FALSE(QFile::exists(Out()));
    ASSERT_EQ(RunDensifyCommand({in, QStringLiteral("--time"), QStringLiteral("0"), QStringLiteral("-o"), Out()}), 0);
    EXPECT_EQ(ReadPoints(Out()).size(), 4u);
}

TEST_F(TimeCliTest, DensifyLeavesPointsWithoutTimeAlone)
{
    // The middle point has no time: opened as the program opens it, it is
    // filtered, so nothing is inserted on either side of it.
    const QString in = WriteGpx(m_dir, {{0, QStringLiteral("2024-05-01T10:00:00Z")},
                                        {100, std::nullopt},
                                        {200, QStringLiteral("2024-05-01T10:00:20Z")},
                                        {225, QStringLiteral("2024-05-01T10:00:22Z")}});
    ASSERT_EQ(RunDensifyCommand({in, QStringLiteral("-o"), Out()}), 0);
    const std::vector<TrackPoint> points = ReadPoints(Out());
    ASSERT_EQ(points.size(), 4u + 2);
    EXPECT_FALSE(points[1].IsValid());
    EXPECT_NEAR(points[2].GetLon() / LonPerMeter(), 200.0, 1e-3);
    EXPECT_NEAR(points[3].GetLon() / LonPerMeter(), 200.0 + 25.0 / 3, 1e-3);
}

TEST_F(TimeCliTest, DensifiedRealFileKeepsEveryOriginalPointInOrder)
{
    const QString in = FixturePath(QStringLiteral("gpx/gpsbabel/vitovtt-sample.gpx"));
    const std::vector<TrackPoint> before = ReadPoints(in);
    ASSERT_EQ(RunDensifyCommand({in, QStringLiteral("--time"), QStringLiteral("5"), QStringLiteral("-o"), Out()}), 0);
    const std::vector<TrackPoint> after = ReadPoints(Out());
    EXPECT_GT(after.size(), before.size());
    size_t at = 0;
    for (const TrackPoint& point : before) {
        while (at < after.size() && !(after[at].GetLon() == point.GetLon() && after[at].GetLat() == point.GetLat()
                                      && after[at].GetTime() == point.GetTime()))
            ++at;
        ASSERT_LT(at, after.size()) << "an original point was lost";
        ++at;
    }
}
