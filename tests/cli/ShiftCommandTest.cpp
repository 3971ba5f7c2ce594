#include "CliCommands.h"
#include "CliTestFiles.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

int Shift(const QStringList& args)
{
    return RunCliCommand(QStringLiteral("shift"), args);
}

using ShiftCommandTest = CliFileTest;

} // namespace

TEST_F(ShiftCommandTest, ShiftMovesTheStartAndKeepsTheGaps)
{
    const QString in = WriteGpx(m_dir, {{0, QStringLiteral("2024-05-01T10:00:00Z")},
                                        {100, std::nullopt},
                                        {200, QStringLiteral("2024-05-01T10:00:30.500Z")}});
    ASSERT_EQ(Shift({in, QStringLiteral("--start"), QStringLiteral("2019-12-31T23:59:50Z"),
                     QStringLiteral("-o"), Out()}),
              0);
    const std::vector<TrackPoint> points = ReadPoints(Out());
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[0].GetTime(), Iso("2019-12-31T23:59:50Z"));
    EXPECT_TRUE(points[1].GetTime().IsNull());
    EXPECT_EQ(points[2].GetTime(), Iso("2020-01-01T00:00:20.500Z"));
}

TEST_F(ShiftCommandTest, ShiftRefusesBadArgumentsAndUntimedTracks)
{
    const QString in = WriteGpx(m_dir, {{0, std::nullopt}, {100, std::nullopt}});
    const QString out = Out();
    EXPECT_EQ(Shift({in, QStringLiteral("-o"), out}), 2);
    EXPECT_EQ(Shift({in, QStringLiteral("--start"), QStringLiteral("yesterday"), QStringLiteral("-o"), out}), 2);
    EXPECT_EQ(Shift({in, QStringLiteral("--start"), QStringLiteral("2020-01-01T00:00:00Z")}), 2);
    EXPECT_EQ(Shift({in, QStringLiteral("--start"), QStringLiteral("2020-01-01T00:00:00Z"),
                     QStringLiteral("-o"), out}),
              1);
    EXPECT_FALSE(QFile::exists(out));
}
