#include "CliCommands.h"
#include "CliTestFiles.h"

#include "TestSupport.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

int Densify(const QStringList& args)
{
    return RunCliCommand(QStringLiteral("densify"), args);
}

using DensifyCommandTest = CliFileTest;

} // namespace

TEST_F(DensifyCommandTest, DensifyUsesTheDefaultsAndTheGivenSteps)
{
    const QString in = WriteGpx(m_dir, {{0, QStringLiteral("2024-05-01T10:00:00Z")},
                                        {25, QStringLiteral("2024-05-01T10:00:02Z")},
                                        {50, QStringLiteral("2024-05-01T10:00:04Z")}});
    // 1 s and 10 m: three parts a leg.
    ASSERT_EQ(Densify({in, QStringLiteral("-o"), Out()}), 0);
    std::vector<TrackPoint> points = ReadPoints(Out());
    ASSERT_EQ(points.size(), 7u);
    EXPECT_NEAR(points[1].GetLon() / LonPerMeter(), 25.0 / 3, 1e-3);
    EXPECT_NEAR(SecondsBetween(Iso("2024-05-01T10:00:00Z"), points[4].GetTime()), 8.0 / 3, 2e-3);
    // Only distance, 2 m: 13 parts a leg.
    ASSERT_EQ(Densify({in, QStringLiteral("--time"), QStringLiteral("0"), QStringLiteral("--dist"),
                       QStringLiteral("2"), QStringLiteral("-o"), Out()}),
              0);
    EXPECT_EQ(ReadPoints(Out()).size(), 3u + 2 * 12);
    // Both steps off: the points as they were.
    ASSERT_EQ(Densify({in, QStringLiteral("--time"), QStringLiteral("0"), QStringLiteral("--dist"),
                       QStringLiteral("0"), QStringLiteral("-o"), Out()}),
              0);
    EXPECT_EQ(ReadPoints(Out()).size(), 3u);
    EXPECT_EQ(Densify({in, QStringLiteral("--dist"), QStringLiteral("ten"), QStringLiteral("-o"), Out()}), 2);
}

TEST_F(DensifyCommandTest, DensifyRefusesALegThatWouldTakeBillionsOfPoints)
{
    // A receiver whose clock jumped 40 years; the distance step alone is fine.
    const QString in = WriteGpx(m_dir, {{0, QStringLiteral("2024-05-01T10:00:00Z")},
                                        {25, QStringLiteral("2064-05-01T10:00:02Z")}});
    EXPECT_EQ(Densify({in, QStringLiteral("-o"), Out()}), 1);
    EXPECT_FALSE(QFile::exists(Out()));
    ASSERT_EQ(Densify({in, QStringLiteral("--time"), QStringLiteral("0"), QStringLiteral("-o"), Out()}), 0);
    EXPECT_EQ(ReadPoints(Out()).size(), 4u);
}

TEST_F(DensifyCommandTest, DensifyLeavesPointsWithoutTimeAlone)
{
    // The middle point has no time: opened as the program opens it, it is
    // filtered, so nothing is inserted on either side of it.
    const QString in = WriteGpx(m_dir, {{0, QStringLiteral("2024-05-01T10:00:00Z")},
                                        {100, std::nullopt},
                                        {200, QStringLiteral("2024-05-01T10:00:20Z")},
                                        {225, QStringLiteral("2024-05-01T10:00:22Z")}});
    ASSERT_EQ(Densify({in, QStringLiteral("-o"), Out()}), 0);
    const std::vector<TrackPoint> points = ReadPoints(Out());
    ASSERT_EQ(points.size(), 4u + 2);
    EXPECT_FALSE(points[1].IsValid());
    EXPECT_NEAR(points[2].GetLon() / LonPerMeter(), 200.0, 1e-3);
    EXPECT_NEAR(points[3].GetLon() / LonPerMeter(), 200.0 + 25.0 / 3, 1e-3);
}

TEST_F(DensifyCommandTest, DensifiedRealFileKeepsEveryOriginalPointInOrder)
{
    const QString in = FixturePath(QStringLiteral("gpx/gpsbabel/vitovtt-sample.gpx"));
    const std::vector<TrackPoint> before = ReadPoints(in);
    ASSERT_EQ(Densify({in, QStringLiteral("--time"), QStringLiteral("5"), QStringLiteral("-o"), Out()}), 0);
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
