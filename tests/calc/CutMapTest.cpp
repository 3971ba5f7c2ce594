#include "CutMap.h"

#include "RestructureTestSupport.h"

#include <gtest/gtest.h>

using namespace restructuretest;

namespace {

using Cuts = std::map<int, CutMap::Kind>;

Cuts CutsOf(const std::vector<TrackPoint>& points, const RestructureParams& params = {},
            const std::vector<int>& kept = {}, bool drop = true)
{
    CutMap map(points, params, kept);
    if (drop)
        map.DropShortSegments();
    return map.GetCuts();
}

} // namespace

TEST(CutMapGaps, DefaultThresholdsAreStrict)
{
    // 30 points, then a gap, then 30 more: the cut, if any, is after point 29.
    const auto withGap = [](TimeSpan gap) {
        std::vector<TrackPoint> points = TimedRun(30);
        AppendRun(points, 30, gap);
        return CutsOf(points);
    };
    EXPECT_EQ(withGap(Minutes(61)), (Cuts{{29, CutMap::NewFolder}, {59, CutMap::End}}));
    EXPECT_EQ(withGap(Minutes(60)), (Cuts{{29, CutMap::NewSegment}, {59, CutMap::End}}));
    EXPECT_EQ(withGap(Minutes(60) + TimeSpan::FromMicroseconds(1)),
              (Cuts{{29, CutMap::NewFolder}, {59, CutMap::End}}));
    EXPECT_EQ(withGap(Minutes(5)), (Cuts{{59, CutMap::End}}));
    EXPECT_EQ(withGap(Minutes(5) + TimeSpan::FromSeconds(1)), (Cuts{{29, CutMap::NewSegment}, {59, CutMap::End}}));
}

TEST(CutMapGaps, ThresholdsComeFromTheParameters)
{
    std::vector<TrackPoint> points = TimedRun(20);
    AppendRun(points, 20, Minutes(1.5));
    AppendRun(points, 20, Minutes(25));
    const RestructureParams params{20, 1, false};
    EXPECT_EQ(CutsOf(points, params),
              (Cuts{{19, CutMap::NewSegment}, {39, CutMap::NewFolder}, {59, CutMap::End}}));
}

TEST(CutMapGaps, PointsWithoutTimeMakeNoGap)
{
    std::vector<TrackPoint> points = TimedRun(20);
    AppendRun(points, 20, Minutes(90));
    // The points on both sides of the long gap lose their times.
    points[19].SetTime(Time());
    points[20].SetTime(Time());
    EXPECT_EQ(CutsOf(points), (Cuts{{39, CutMap::End}}));
}

TEST(CutMapGaps, TimeRunningBackwardsIsNoGap)
{
    std::vector<TrackPoint> points = TimedRun(20);
    AppendRun(points, 20, -Minutes(90));
    EXPECT_EQ(CutsOf(points), (Cuts{{39, CutMap::End}}));
}

TEST(CutMapGaps, EmptyAndSinglePoint)
{
    EXPECT_TRUE(CutsOf({}).empty());
    EXPECT_EQ(CutsOf(TimedRun(1)), (Cuts{{0, CutMap::End}}));
}

TEST(CutMapShortSegments, BurstBetweenTwoSixMinuteGapsIsNoSegment)
{
    std::vector<TrackPoint> points = TimedRun(20);
    AppendRun(points, 10, Minutes(6));
    AppendRun(points, 20, Minutes(6));
    EXPECT_EQ(CutsOf(points, {}, {}, false),
              (Cuts{{19, CutMap::NewSegment}, {29, CutMap::NewSegment}, {49, CutMap::End}}));
    // The burst joins the points after it.
    EXPECT_EQ(CutsOf(points), (Cuts{{19, CutMap::NewSegment}, {49, CutMap::End}}));
}

TEST(CutMapShortSegments, ThirteenPointsAreEnoughTwelveAreNot)
{
    const auto withBurst = [](int burst) {
        std::vector<TrackPoint> points = TimedRun(20);
        AppendRun(points, burst, Minutes(6));
        AppendRun(points, 20, Minutes(6));
        return CutsOf(points);
    };
    EXPECT_EQ(withBurst(13), (Cuts{{19, CutMap::NewSegment}, {32, CutMap::NewSegment}, {52, CutMap::End}}));
    EXPECT_EQ(withBurst(12), (Cuts{{19, CutMap::NewSegment}, {51, CutMap::End}}));
}

TEST(CutMapShortSegments, DistanceIsToTheLastCutThatStays)
{
    // Cuts after 19, 29 and 39: 29 goes (10 after 19), then 39 is 20 after 19.
    std::vector<TrackPoint> points = TimedRun(20);
    AppendRun(points, 10, Minutes(6));
    AppendRun(points, 10, Minutes(6));
    AppendRun(points, 20, Minutes(6));
    EXPECT_EQ(CutsOf(points), (Cuts{{19, CutMap::NewSegment}, {39, CutMap::NewSegment}, {59, CutMap::End}}));
}

TEST(CutMapShortSegments, FolderCutsAndTheEndStay)
{
    // A 5-point run closed by a folder gap, and a 3-point tail.
    std::vector<TrackPoint> points = TimedRun(20);
    AppendRun(points, 5, Minutes(6));
    AppendRun(points, 20, Minutes(61));
    AppendRun(points, 3, Minutes(6));
    EXPECT_EQ(CutsOf(points), (Cuts{{19, CutMap::NewSegment},
                                    {24, CutMap::NewFolder},
                                    {44, CutMap::NewSegment},
                                    {47, CutMap::End}}));
}

TEST(CutMapShortSegments, SegmentCutShortlyAfterAFolderCutGoes)
{
    std::vector<TrackPoint> points = TimedRun(20);
    AppendRun(points, 5, Minutes(61));
    AppendRun(points, 20, Minutes(6));
    EXPECT_EQ(CutsOf(points), (Cuts{{19, CutMap::NewFolder}, {44, CutMap::End}}));
}

TEST(CutMapShortSegments, TwoCutsAreLeftAlone)
{
    // A short first run: only one cut and the end, nothing is dropped.
    std::vector<TrackPoint> points = TimedRun(3);
    AppendRun(points, 40, Minutes(6));
    EXPECT_EQ(CutsOf(points), (Cuts{{2, CutMap::NewSegment}, {42, CutMap::End}}));
}

TEST(CutMapKeptBreaks, ThreePointSegmentStays)
{
    // Segments of 20, 3 and 20 points with no gap between them.
    const std::vector<TrackPoint> points = TimedRun(43);
    const RestructureParams keep{60, 5, true};
    EXPECT_EQ(CutsOf(points, keep, {19, 22}),
              (Cuts{{19, CutMap::NewSegment}, {22, CutMap::NewSegment}, {42, CutMap::End}}));
}

TEST(CutMapKeptBreaks, KeptBreakOnAFolderGapStaysAFolderCut)
{
    std::vector<TrackPoint> points = TimedRun(20);
    AppendRun(points, 20, Minutes(90));
    CutMap map(points, {60, 5, true}, {19});
    EXPECT_EQ(map.GetCuts(), (Cuts{{19, CutMap::NewFolder}, {39, CutMap::End}}));
    EXPECT_EQ(map.GetKeptBreaks(), (std::set<int>{19}));
}

TEST(CutMapKeptBreaks, GapCutShortlyAfterAKeptBreakGoes)
{
    // Kept break after 19; a 6-minute gap 4 points later is too close to it.
    std::vector<TrackPoint> points = TimedRun(24);
    AppendRun(points, 20, Minutes(6));
    EXPECT_EQ(CutsOf(points, {60, 5, true}, {19}), (Cuts{{19, CutMap::NewSegment}, {43, CutMap::End}}));
}
