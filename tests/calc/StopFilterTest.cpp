#include "StopFilter.h"

#include "FilterTestTracks.h"
#include "LocalTestRecords.h"
#include "OpenTracksTestBench.h"
#include "StopDerivedSets.h"
#include "StopFinder.h"

#include <gtest/gtest.h>

#include <cmath>

using filtertest::At;

namespace {

constexpr int MovingBefore = 20;
constexpr int Standing = 30;
constexpr int MovingAfter = 20;

// MovingBefore points north at 5 m/s, Standing fixes around (0, 100) within
// `scatter` metres (the middle one right on the spot), then MovingAfter
// points east at 5 m/s; one point a second.
std::vector<TrackPoint> WalkStopWalk(double scatter = 0.45)
{
    std::vector<TrackPoint> points;
    for (int i = 0; i < MovingBefore; ++i)
        points.push_back(At(0, 5.0 * i, i));
    for (int i = 0; i < Standing; ++i) {
        const double r = i == Standing / 2 ? 0.0 : scatter * (0.3 + 0.7 * ((i * 7) % 10) / 10.0);
        const double a = i * 2.4;
        points.push_back(At(r * std::cos(a), 100.0 + r * std::sin(a), MovingBefore + i));
    }
    for (int i = 1; i <= MovingAfter; ++i)
        points.push_back(At(5.0 * i, 100.0, MovingBefore + Standing + i - 1));
    return points;
}

std::vector<LocalRecord> RecordsOf(const std::vector<TrackPoint>& points)
{
    std::vector<LocalRecord> records;
    const Time start = points.front().GetTime();
    for (size_t i = 0; i < points.size(); ++i) {
        LocalRecord record;
        record.lon = points[i].GetLon();
        record.lat = points[i].GetLat();
        record.seconds = (points[i].GetTime() - start).GetInSeconds();
        record.index = static_cast<int>(i);
        records.push_back(record);
    }
    return records;
}

} // namespace

TEST(StopFinder, FindsTheStandingFixesAndTheOneInTheMiddle)
{
    for (const double scatter : {0.45, 1.4}) {
        const std::vector<StopFinder::Stop> stops = StopFinder::Find(RecordsOf(WalkStopWalk(scatter)));
        ASSERT_EQ(stops.size(), 1u) << scatter;
        EXPECT_EQ(stops[0].first, MovingBefore);
        EXPECT_EQ(stops[0].last, MovingBefore + Standing - 1);
        EXPECT_EQ(stops[0].middle, MovingBefore + Standing / 2);
    }
}

TEST(StopFinder, AFixAtTheFarEdgeOfTheScatterStillBelongsToTheStop)
{
    // The first standing fix lies 2.5 m east of the spot, the next ones
    // swing 2.5 m west: over the radius from the first, within it from the
    // middle of the stop.
    std::vector<TrackPoint> points = WalkStopWalk(0.45);
    points[MovingBefore] = At(2.5, 100.0, MovingBefore);
    for (int i = 1; i <= 3; ++i)
        points[static_cast<size_t>(MovingBefore + i)] = At(-2.5, 100.0, MovingBefore + i);
    const std::vector<StopFinder::Stop> stops = StopFinder::Find(RecordsOf(points));
    ASSERT_EQ(stops.size(), 1u);
    EXPECT_EQ(stops[0].first, MovingBefore);
    EXPECT_EQ(stops[0].last, MovingBefore + Standing - 1);
}

TEST(StopFinder, ASlowWalkOrAShortPauseIsNoStop)
{
    std::vector<LocalRecord> slow;
    for (int i = 0; i < 60; ++i)
        slow.push_back(localtest::Rec(0, 1.0 * i, i, i));
    EXPECT_TRUE(StopFinder::Find(slow).empty());

    // Eight seconds on one spot between two walks.
    std::vector<LocalRecord> pause = localtest::Line(10, 5.0);
    for (int i = 0; i < 8; ++i)
        pause.push_back(localtest::Rec(0.2, 45.0, 46.0 + i, 10 + i));
    for (int i = 0; i < 5; ++i)
        pause.push_back(localtest::Rec(5.0 * (i + 1), 45.0, 55.0 + i, 18 + i));
    EXPECT_TRUE(StopFinder::Find(pause).empty());
}

TEST(StopDerivedSets, StopsCollapseAndShadowsIronOutAStrayFix)
{
    std::vector<TrackPoint> points = WalkStopWalk();
    points[10] = At(20, 50, 10);
    const std::vector<StopFinder::Stop> stops = StopFinder::Find(RecordsOf(points));
    ASSERT_EQ(stops.size(), 1u);
    const StopDerivedSets sets(points, stops);

    const std::vector<TrackPoint> detailed = sets.Detailed();
    ASSERT_EQ(detailed.size(), static_cast<size_t>(MovingBefore + MovingAfter));
    EXPECT_EQ(detailed[10], points[10]);
    EXPECT_EQ(detailed[MovingBefore], points[MovingBefore + Standing]);

    for (const int half : {2, 3}) {
        const std::vector<TrackPoint> shadow = sets.Shadow(half);
        ASSERT_EQ(shadow.size(), static_cast<size_t>(MovingBefore + 1 + MovingAfter)) << half;
        // The stray fix is one of five (seven) points of its window.
        EXPECT_NEAR(shadow[10].GetLon(), 0.0, 1e-12) << half;
        EXPECT_EQ(shadow[10].GetTime(), points[10].GetTime());
        // The stop as one point within its scatter, at its middle's time.
        EXPECT_LT(std::abs(shadow[MovingBefore].GetLat() - At(0, 100, 0).GetLat()), At(0, 0.5, 0).GetLat());
        EXPECT_EQ(shadow[MovingBefore].GetTime(), points[MovingBefore + Standing / 2].GetTime());
    }

    const std::vector<TrackPoint> rare = sets.Rare();
    ASSERT_EQ(rare.size(), 3u);
    EXPECT_EQ(rare.front(), points.front());
    EXPECT_EQ(rare.back(), points.back());
    EXPECT_EQ(rare[1].GetTime(), points[MovingBefore + Standing / 2].GetTime());
}

class StopFilterTest : public OpenTracksTest
{
protected:
    int OpenSegment(const std::vector<TrackPoint>& points)
    {
        SourceTree source;
        const int segment = source.Segment(source.file, points);
        const int file = Open(source);
        (void)segment;
        return Segments(file).front();
    }

    std::vector<int> Reasons(int tid) const
    {
        std::vector<int> reasons;
        for (const TrackPoint& point : PointsOf(tid))
            reasons.push_back(point.IsValid() ? 0 : point.GetStatus().GetFilterReason());
        return reasons;
    }
};

TEST_F(StopFilterTest, AddsFourFilesAndThinsOnlyTheStop)
{
    const int tid = OpenSegment(WalkStopWalk());
    EXPECT_EQ(RunStopFilter(model, tid), Standing - 1);

    const std::vector<int> files = model.GetFileTids();
    ASSERT_EQ(files.size(), 5u);
    const std::vector<QString> names{QStringLiteral("Shadow_M"), QStringLiteral("Shadow_M_multi"),
                                     QStringLiteral("Detailed"), QStringLiteral("Rare")};
    for (size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(Reader()->GetNode(files[i + 1])->GetName(), names[i]);
        EXPECT_EQ(Segments(files[i + 1]).size(), 1u);
    }
    EXPECT_EQ(PointsOf(files[3]).size(), static_cast<size_t>(MovingBefore + MovingAfter));
    EXPECT_EQ(PointsOf(files[4]).size(), 3u);

    const std::vector<int> reasons = Reasons(tid);
    for (int i = 0; i < static_cast<int>(reasons.size()); ++i) {
        const bool standing = i >= MovingBefore && i < MovingBefore + Standing;
        const bool kept = !standing || i == MovingBefore + Standing / 2;
        EXPECT_EQ(reasons[static_cast<size_t>(i)], kept ? 0 : 15) << i;
    }
    EXPECT_EQ(model.GetTrack(tid)->GetPtNav().GetValidCount(), MovingBefore + 1 + MovingAfter);
}

TEST_F(StopFilterTest, ATrackWithoutStopsLosesNothing)
{
    std::vector<TrackPoint> points;
    for (int i = 0; i < 30; ++i)
        points.push_back(At(0, 5.0 * i, i));
    const int tid = OpenSegment(points);
    EXPECT_EQ(RunStopFilter(model, tid), 0);
    ASSERT_EQ(model.GetFileTids().size(), 5u);
    EXPECT_EQ(PointsOf(model.GetFileTids()[3]).size(), 30u);
    // The outline is just the two ends.
    EXPECT_EQ(PointsOf(model.GetFileTids()[4]).size(), 2u);
    EXPECT_EQ(Reasons(tid), std::vector<int>(30, 0));
}

TEST_F(StopFilterTest, FewerThanTwoValidPointsDoNothing)
{
    std::vector<TrackPoint> points{At(0, 0, 0), At(0, 10, 1)};
    points[1].GetStatus().SetFilterReason(7);
    const int tid = OpenSegment(points);
    seen.clear();
    EXPECT_EQ(RunStopFilter(model, tid), 0);
    EXPECT_EQ(model.GetFileTids().size(), 1u);
    EXPECT_TRUE(seen.empty());
}

TEST_F(StopFilterTest, AStopAtTheStartKeepsTheFirstPoint)
{
    std::vector<TrackPoint> points = WalkStopWalk();
    points.erase(points.begin(), points.begin() + MovingBefore);
    const int tid = OpenSegment(points);
    // The first fix and the middle one stay.
    EXPECT_EQ(RunStopFilter(model, tid), Standing - 2);
    const std::vector<int> reasons = Reasons(tid);
    EXPECT_EQ(reasons[0], 0);
    EXPECT_EQ(reasons[Standing / 2], 0);
}
