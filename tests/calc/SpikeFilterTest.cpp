#include "SpikeFilter.h"

#include "FilterTestTracks.h"
#include "TrackPtNavI.h"

#include <gtest/gtest.h>

using namespace filtertest;

namespace {

// p1 at the origin, p0 `leg` metres away towards heading 90° (east) and p2
// `leg` metres away towards 90° + turn, so the track turns back at p1 by
// `turn` degrees between its two legs; each leg takes `secondsPerLeg`. The
// points before and after go on straight along the legs.
int TurnAt(double turn, double leg, double secondsPerLeg)
{
    const TrackPoint p1 = At(0, 0, secondsPerLeg);
    const TrackPoint p0 = Towards(p1, 90.0, leg, 0);
    const TrackPoint p2 = Towards(p1, 90.0 + turn, leg, 2 * secondsPerLeg);
    const TrackPoint before = Towards(p1, 90.0, 2 * leg, -secondsPerLeg);
    const TrackPoint after = Towards(p1, 90.0 + turn, 2 * leg, 3 * secondsPerLeg);
    return SpikeFilter::TestTriple(p0, p1, p2, &before, &after);
}

// Seconds per 100 m leg for a speed in km/h.
double LegSeconds(double kmh)
{
    return 0.1 / kmh * 3600.0;
}

} // namespace

TEST(SpikeTriple, OutAndBackAtWalkingSpeedIsASpike)
{
    // 100 m out and straight back, 5 km/h: the headings from p1 agree.
    const TrackPoint p0 = At(0, 0, 0);
    const TrackPoint p1 = At(100, 0, 72);
    const TrackPoint p2 = At(0, 0, 144);
    EXPECT_EQ(SpikeFilter::TestTriple(p0, p1, p2), SpikeFilter::ReasonSpike);
    // Going on at a right angle is a turn, not a spike.
    EXPECT_EQ(SpikeFilter::TestTriple(p0, p1, At(100, 100, 144)), 0);
}

TEST(SpikeTriple, TheAllowedTurnGrowsWithSpeed)
{
    // 100 km/h: turns sharper than 49° are spikes.
    EXPECT_EQ(TurnAt(45.0, 100, LegSeconds(100)), SpikeFilter::ReasonSpike);
    EXPECT_EQ(TurnAt(53.0, 100, LegSeconds(100)), 0);
    EXPECT_EQ(TurnAt(90.0, 100, LegSeconds(100)), 0);
    // 200 km/h and beyond: anything sharper than a right angle.
    EXPECT_EQ(TurnAt(85.0, 100, LegSeconds(200)), SpikeFilter::ReasonSpike);
    EXPECT_EQ(TurnAt(85.0, 100, LegSeconds(400)), SpikeFilter::ReasonSpike);
    EXPECT_EQ(TurnAt(95.0, 100, LegSeconds(400)), 0);
    // Nearly standing: only turns under 8° or so.
    EXPECT_EQ(TurnAt(6.0, 100, 3600.0 * 0.2), SpikeFilter::ReasonSpike);
    EXPECT_EQ(TurnAt(12.0, 100, 3600.0 * 0.2), 0);
}

TEST(SpikeTriple, LegsEitherSideOfNorthAreCloseHeadings)
{
    // From p1 one leg goes to 359°, the other to 1°: a 2° turn back.
    const TrackPoint p1 = At(0, 0, 10);
    const TrackPoint p0 = Towards(p1, 359.0, 100, 0);
    const TrackPoint p2 = Towards(p1, 1.0, 100, 20);
    EXPECT_EQ(SpikeFilter::TestTriple(p0, p1, p2), SpikeFilter::ReasonSpike);
}

TEST(SpikeTriple, FarPointIsALongSpikeThenASpikeWhenTimesAllow)
{
    const TrackPoint p0 = At(0, 0, 0);
    // 15 km north, between two points 500 m apart, the times an hour apart:
    // too long a gap for the heading test.
    EXPECT_EQ(SpikeFilter::TestTriple(p0, At(0, 15000, 3600), At(500, 0, 7200)), SpikeFilter::ReasonLongSpike);
    // Ten seconds apart the turn back is judged as well and wins.
    EXPECT_EQ(SpikeFilter::TestTriple(p0, At(0, 15000, 10), At(500, 0, 20)), SpikeFilter::ReasonSpike);
    // Neighbours more than 1 km apart make no long spike.
    EXPECT_EQ(SpikeFilter::TestTriple(p0, At(0, 15000, 3600), At(1500, 0, 7200)), 0);
}

TEST(SpikeTriple, HalfAnHourProtectsOnlyBeyondIt)
{
    const TrackPoint p0 = At(0, 0, 0);
    EXPECT_EQ(SpikeFilter::TestTriple(p0, At(100, 0, 1800), At(0, 0, 1900)), SpikeFilter::ReasonSpike);
    EXPECT_EQ(SpikeFilter::TestTriple(p0, At(100, 0, 1801), At(0, 0, 1901)), 0);
    EXPECT_EQ(SpikeFilter::TestTriple(p0, At(100, 0, 100), At(0, 0, 1901)), 0);
}

TEST(SpikeTriple, FirstLegUnderAMetreEndsTheTest)
{
    const TrackPoint p0 = At(0, 0, 0);
    EXPECT_EQ(SpikeFilter::TestTriple(p0, At(0.5, 0, 1), At(0, 0, 2)), 0);
    EXPECT_EQ(SpikeFilter::TestTriple(p0, At(2, 0, 1), At(0, 0, 2)), SpikeFilter::ReasonSpike);
}

TEST(SpikeTriple, EqualTimesCountAsTopSpeed)
{
    // No time passes: the speed is capped, so a 60° turn back is a spike.
    EXPECT_EQ(TurnAt(60.0, 100, 0.0), SpikeFilter::ReasonSpike);
}

TEST(SpikeTriple, PointWithOneShortAndOneLongLegIsNotTheOutlier)
{
    // Riding east 5 m a second; the next point jumps 300 m back behind the
    // rider. The turn at the good point looks sharp, but the far point is
    // the one that left the track: leaving it is the longer detour.
    const TrackPoint p0 = At(0, 0, 0);
    const TrackPoint p1 = At(5, 0, 1);
    const TrackPoint far = Towards(At(10, 0, 2), 250.0, 300, 2);
    const TrackPoint next = At(15, 0, 3);
    const TrackPoint afterNext = At(20, 0, 4);
    EXPECT_EQ(SpikeFilter::TestTriple(p0, p1, far, nullptr, &next), 0);
    EXPECT_EQ(SpikeFilter::TestTriple(p1, far, next, &p0, &afterNext), SpikeFilter::ReasonSpike);
    // Without the point after it, nothing tells the two apart.
    EXPECT_EQ(SpikeFilter::TestTriple(p0, p1, far), SpikeFilter::ReasonSpike);
}

TEST(SpikeFilterTrack, TwoPointsAreLeftAlone)
{
    const auto track = MakeTrack({At(0, 0, 0), At(100, 0, 72)});
    EXPECT_EQ(SpikeFilter().Apply(*track), 0);
    EXPECT_EQ(track->GetPtNav().GetValidCount(), 2);
}

TEST(SpikeFilterTrack, OnlyTheSpikeIsFlaggedOnAStraightRide)
{
    std::vector<TrackPoint> points;
    for (int i = 0; i < 20; ++i)
        points.push_back(At(5.0 * i, 0, i));
    // Point 10 jumps 300 m away, behind and to the side of the rider.
    points[10] = Towards(points[10], 250.0, 300, 10);
    const auto track = MakeTrack(points);
    EXPECT_EQ(SpikeFilter().Apply(*track), 1);
    std::vector<int> expected(20, 0);
    expected[10] = SpikeFilter::ReasonSpike;
    EXPECT_EQ(ReasonsOf(*track), expected);
    EXPECT_EQ(track->GetPtNav().GetValidCount(), 19);
}

TEST(SpikeFilterTrack, PointBeforeARemovedSpikeIsJudgedAgain)
{
    // B lies 200 m north of the path and S 800 m south: (A, B, S) is not a
    // spike at B, but once S is gone B is one between A and C.
    const auto track = MakeTrack({
        At(0, 0, 0),      // A
        At(0, 200, 10),   // B
        At(0, -800, 20),  // S
        At(20, 0, 30),    // C
        At(40, 0, 40),    // D
        At(60, 0, 50),
    });
    EXPECT_EQ(SpikeFilter().Apply(*track), 2);
    EXPECT_EQ(ReasonsOf(*track), (std::vector<int>{0, 10, 10, 0, 0, 0}));
}

TEST(SpikeFilterTrack, FilteredPointsAreNotNeighbours)
{
    // The middle point would be a spike between its raw neighbours, but one
    // of them is filtered already; between the valid ones the path is
    // straight.
    auto track = MakeTrack({At(0, 0, 0), At(100, 0, 72), At(0, 0, 144), At(200, 0, 216)});
    track->GetPointStatus(2)->SetFilterReason(12);
    track->Refresh(false);
    EXPECT_EQ(SpikeFilter().Apply(*track), 0);
    EXPECT_EQ(ReasonsOf(*track), (std::vector<int>{0, 0, 12, 0}));
}

TEST(SpikeFilterTrack, PointsWithoutTimeAreJudgedOnlyForLongSpikes)
{
    std::vector<TrackPoint> points = {At(0, 0, 0), At(0, 15000, 0), At(500, 0, 0), At(600, 0, 0), At(700, 0, 0)};
    for (TrackPoint& point : points)
        point.SetTime(Time());
    const auto track = MakeTrack(points);
    EXPECT_EQ(SpikeFilter().Apply(*track), 1);
    EXPECT_EQ(ReasonsOf(*track), (std::vector<int>{0, 9, 0, 0, 0}));
}
