#include "CliCommands.h"
#include "CliTestFiles.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

int Retime(const QStringList& args)
{
    return RunCliCommand(QStringLiteral("retime"), args);
}

using RetimeCommandTest = CliFileTest;

} // namespace

TEST_F(RetimeCommandTest, RetimeFromAStartRunsAtTheSpeed)
{
    // Recorded times are dropped when a start is given.
    const QString in = WriteGpx(m_dir, {{0, QStringLiteral("2024-05-01T10:00:00Z")},
                                        {1000, std::nullopt},
                                        {2000, QStringLiteral("2024-05-01T09:00:00Z")}});
    ASSERT_EQ(Retime({in, QStringLiteral("--speed"), QStringLiteral("36"), QStringLiteral("--start"),
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

TEST_F(RetimeCommandTest, RetimeWithoutStartKeepsTheEndsAndFillsAtTheSpeed)
{
    // Legs of 1, 3 and 1 km; the last point has no time, so the speed
    // carries the track on after the last recorded time.
    const QString in = WriteGpx(m_dir, {{0, QStringLiteral("2024-05-01T10:00:00Z")},
                                        {1000, QStringLiteral("2024-05-01T10:00:01Z")},
                                        {4000, QStringLiteral("2024-05-01T10:08:00Z")},
                                        {5000, std::nullopt}});
    ASSERT_EQ(Retime({in, QStringLiteral("--speed"), QStringLiteral("60"), QStringLiteral("-o"), Out()}), 0);
    const std::vector<TrackPoint> points = ReadPoints(Out());
    ASSERT_EQ(points.size(), 4u);
    const Time start = Iso("2024-05-01T10:00:00Z");
    // 4 km between the kept 10:00 and 10:08: two minutes a km; then one
    // minute for the last km at 60 km/h.
    const double expected[] = {0, 120, 480, 540};
    for (size_t i = 0; i < points.size(); ++i)
        EXPECT_NEAR(SecondsBetween(start, points[i].GetTime()), expected[i], 2e-3) << i;
}

TEST_F(RetimeCommandTest, RetimeNeedsASpeedAndSomethingToStartFrom)
{
    const QString untimed = WriteGpx(m_dir, {{0, std::nullopt}, {1000, std::nullopt}});
    EXPECT_EQ(Retime({untimed, QStringLiteral("-o"), Out()}), 2);
    EXPECT_EQ(Retime({untimed, QStringLiteral("--speed"), QStringLiteral("-5"), QStringLiteral("-o"), Out()}), 2);
    EXPECT_EQ(Retime({untimed, QStringLiteral("--speed"), QStringLiteral("36"), QStringLiteral("--start"),
                      QStringLiteral("soon"), QStringLiteral("-o"), Out()}),
              2);
    EXPECT_EQ(Retime({untimed, QStringLiteral("--speed"), QStringLiteral("36"), QStringLiteral("-o"), Out()}), 1);
    EXPECT_FALSE(QFile::exists(Out()));
}
