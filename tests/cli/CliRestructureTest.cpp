#include "CliTestFiles.h"
#include "GpxBuilder.h"
#include "LoadManager.h"
#include "TestSupport.h"
#include "TrackTreeAlg.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

// A GPX file with one track segment per entry; each entry lists runs of
// (seconds since the point before, count) with the points of a run 10 s
// apart. Every point lies a little further east than the one before, so its
// longitude names it.
QString WriteGpx(const QString& dir, const QString& name, const std::vector<std::vector<std::pair<int, int>>>& segments,
                 const QDateTime& start = QDateTime(QDate(2024, 5, 1), QTime(10, 0), Qt::UTC))
{
    GpxBuilder gpx;
    QDateTime time = start;
    int index = 0;
    for (const auto& runs : segments) {
        gpx.Segment();
        for (const auto& [gapSeconds, count] : runs) {
            for (int i = 0; i < count; ++i, ++index) {
                if (index > 0)
                    time = time.addSecs(i == 0 ? gapSeconds : 10);
                gpx.Add(47.0, 10.0 + index * 0.0001, time);
            }
        }
    }
    return gpx.Write(QDir(dir).filePath(name));
}

// The point counts of the segments of each folder of a saved file.
std::vector<std::vector<int>> Structure(const LoadedTrackFile& loaded)
{
    const TrackTreeReaderPtr reader = loaded.tree.GetReader();
    std::vector<std::vector<int>> folders;
    for (const int folder : reader->GetChildren(loaded.fileTid)) {
        folders.emplace_back();
        for (const int segment : reader->GetChildren(folder))
            folders.back().push_back(loaded.data->Get(segment)->GetPointCount());
    }
    return folders;
}

std::vector<TrackPoint> AllPoints(const LoadedTrackFile& loaded)
{
    std::vector<int> segments;
    TrackTreeAlg(loaded.tree.GetReader().get()).GetSubsegmentIds(loaded.fileTid, segments);
    std::vector<TrackPoint> points;
    for (const int segment : segments) {
        const std::vector<TrackPoint>& part = loaded.data->Get(segment)->GetPoints();
        points.insert(points.end(), part.begin(), part.end());
    }
    return points;
}

class CliRestructureTest : public ::testing::Test
{
protected:
    QString m_dir = MakeTempDir();
    QString Out(const QString& name = QStringLiteral("out.gpx")) const { return QDir(m_dir).filePath(name); }
};

} // namespace

TEST_F(CliRestructureTest, RestructureCutsAtTheDefaultGaps)
{
    // 61 minutes make a folder, 60 a segment, 5 nothing.
    const QString in = WriteGpx(m_dir, QStringLiteral("day.gpx"),
                                {{{10, 20}, {61 * 60, 20}, {60 * 60, 20}, {5 * 60, 20}}});
    const Outcome outcome = RunTool({QStringLiteral("restructure"), in, QStringLiteral("-o"), Out()});
    ASSERT_EQ(outcome.status, 0) << outcome.errors.toStdString();
    const LoadedTrackFile saved = LoadManager().Load(Out());
    ASSERT_EQ(saved.status, TrackLoaderI::Success);
    EXPECT_EQ(Structure(saved), (std::vector<std::vector<int>>{{20}, {20, 40}}));
    EXPECT_EQ(AllPoints(saved), AllPoints(LoadManager().Load(in)));
}

TEST_F(CliRestructureTest, RestructureTakesTheGapsAndKeepsBreaks)
{
    // Segments of 20 and 3 points with no gap, then 3 minutes, then 25.
    const QString in =
        WriteGpx(m_dir, QStringLiteral("day.gpx"), {{{10, 20}}, {{10, 3}}, {{180, 20}}, {{25 * 60, 20}}});
    const Outcome outcome = RunTool({QStringLiteral("restructure"), in, QStringLiteral("--folder-gap"),
                                     QStringLiteral("20"), QStringLiteral("--segment-gap"), QStringLiteral("2"),
                                     QStringLiteral("--keep-breaks"), QStringLiteral("-o"), Out()});
    ASSERT_EQ(outcome.status, 0) << outcome.errors.toStdString();
    EXPECT_EQ(Structure(LoadManager().Load(Out())), (std::vector<std::vector<int>>{{20, 3, 20}, {20}}));
}

TEST_F(CliRestructureTest, RestructureRefusesBadArguments)
{
    const QString in = WriteGpx(m_dir, QStringLiteral("day.gpx"), {{{10, 5}}});
    EXPECT_EQ(RunTool({QStringLiteral("restructure"), in}).status, 2);
    const Outcome zero = RunTool({QStringLiteral("restructure"), in, QStringLiteral("--segment-gap"),
                                  QStringLiteral("0"), QStringLiteral("-o"), Out()});
    EXPECT_EQ(zero.status, 2);
    EXPECT_TRUE(zero.errors.contains(QStringLiteral("--segment-gap")));
    EXPECT_EQ(RunTool({QStringLiteral("restructure"), in, QStringLiteral("--nonsense"), QStringLiteral("-o"), Out()})
                  .status,
              2);
    EXPECT_FALSE(QFile::exists(Out()));
    const Outcome missing = RunTool({QStringLiteral("restructure"), QDir(m_dir).filePath(QStringLiteral("none.gpx")),
                                     QStringLiteral("-o"), Out()});
    EXPECT_EQ(missing.status, 1);
    EXPECT_FALSE(missing.errors.isEmpty());
}

TEST_F(CliRestructureTest, ReverseRunsBackOverTheSamePeriod)
{
    const QString in = WriteGpx(m_dir, QStringLiteral("walk.gpx"), {{{10, 4}}, {{120, 3}}});
    const Outcome outcome = RunTool({QStringLiteral("reverse"), in, QStringLiteral("-o"), Out()});
    ASSERT_EQ(outcome.status, 0) << outcome.errors.toStdString();
    const std::vector<TrackPoint> before = AllPoints(LoadManager().Load(in));
    const std::vector<TrackPoint> after = AllPoints(LoadManager().Load(Out()));
    ASSERT_EQ(after.size(), before.size());
    const Time first = before.front().GetTime();
    const Time last = before.back().GetTime();
    for (size_t i = 0; i < after.size(); ++i) {
        const TrackPoint& old = before[before.size() - 1 - i];
        EXPECT_EQ(after[i].GetLon(), old.GetLon()) << i;
        EXPECT_EQ(after[i].GetTime(), first + (last - old.GetTime())) << i;
    }
    // Twice gives the file back.
    const QString again = Out(QStringLiteral("again.gpx"));
    ASSERT_EQ(RunTool({QStringLiteral("reverse"), Out(), QStringLiteral("-o"), again}).status, 0);
    EXPECT_EQ(AllPoints(LoadManager().Load(again)), before);
}

TEST_F(CliRestructureTest, MergeJoinsFilesInTheOrderGiven)
{
    const QString morning = WriteGpx(m_dir, QStringLiteral("a.gpx"), {{{10, 15}}});
    const QString evening = WriteGpx(m_dir, QStringLiteral("b.gpx"), {{{10, 25}}},
                                     QDateTime(QDate(2024, 5, 1), QTime(18, 0), Qt::UTC));
    const Outcome outcome = RunTool({QStringLiteral("merge"), morning, evening, QStringLiteral("-o"), Out()});
    ASSERT_EQ(outcome.status, 0) << outcome.errors.toStdString();
    const LoadedTrackFile saved = LoadManager().Load(Out());
    EXPECT_EQ(Structure(saved), (std::vector<std::vector<int>>{{15}, {25}}));
    std::vector<TrackPoint> expected = AllPoints(LoadManager().Load(morning));
    const std::vector<TrackPoint> tail = AllPoints(LoadManager().Load(evening));
    expected.insert(expected.end(), tail.begin(), tail.end());
    EXPECT_EQ(AllPoints(saved), expected);
    EXPECT_EQ(RunTool({QStringLiteral("merge"), QStringLiteral("-o"), Out()}).status, 2);
}
