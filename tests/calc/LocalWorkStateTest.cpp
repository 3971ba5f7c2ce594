#include "FilterTestTracks.h"
#include "LocalTestRecords.h"
#include "LocalWorkState.h"
#include "TrackPtNavI.h"

#include <gtest/gtest.h>

using namespace localtest;

namespace {

std::vector<int> Indices(const LocalWorkState& state)
{
    std::vector<int> indices;
    for (const LocalRecord& record : state.GetRecords())
        indices.push_back(record.index);
    return indices;
}

// Records along a line at 10 m/s, one a second, except for the gaps given
// as (position, seconds) pairs, which hold the speed.
std::vector<LocalRecord> WithGap(int count, int position, double seconds)
{
    std::vector<LocalRecord> records;
    double t = 0;
    for (int i = 0; i < count; ++i) {
        t += i == 0 ? 0 : (i == position ? seconds : 1.0);
        records.push_back(Rec(0, 10.0 * t, t, i));
    }
    return records;
}

int SyntheticCount(const LocalWorkState& state)
{
    int count = 0;
    for (const LocalRecord& record : state.GetRecords())
        count += record.IsSynthetic() ? 1 : 0;
    return count;
}

} // namespace

TEST(NeighbourhoodEvaluation, APointWithinAMetreOfBothNeighboursIsTooClose)
{
    LocalWorkState state({Rec(0, 0, 0, 0), Rec(0, 5, 1, 1), Rec(0, 5.6, 2, 2), Rec(0, 6.2, 3, 3), Rec(0, 20, 4, 4)});
    state.EvaluateNeighbourhood(0.001);
    // 5.6 lies 0.6 m from both 5 and 6.2; 6.2 lies 0.6 m from 5.6 but is
    // judged against 5, the last record kept, 1.2 m away.
    EXPECT_EQ(Indices(state), (std::vector<int>{0, 1, 3, 4}));
    EXPECT_EQ(state.GetRejections(), (std::map<int, int>{{2, LocalWorkState::TooCloseReason}}));
}

TEST(NeighbourhoodEvaluation, CloseToThePreviousButNotTheNextStays)
{
    LocalWorkState state({Rec(0, 0, 0, 0), Rec(0, 0.5, 1, 1), Rec(0, 1.8, 2, 2), Rec(0, 10, 3, 3)});
    state.EvaluateNeighbourhood(0.001);
    EXPECT_EQ(Indices(state), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_TRUE(state.GetRejections().empty());
}

TEST(NeighbourhoodEvaluation, TheFirstAndLastStayEvenWhenAllIsOnOneSpot)
{
    std::vector<LocalRecord> records;
    for (int i = 0; i < 6; ++i)
        records.push_back(Rec(0, 0.1 * i, i, i));
    LocalWorkState state(records);
    state.EvaluateNeighbourhood(0.001);
    EXPECT_EQ(Indices(state), (std::vector<int>{0, 5}));
    EXPECT_EQ(state.GetRejections().size(), 4u);
}

TEST(NeighbourhoodEvaluation, SyntheticRecordsLeaveWithoutARejection)
{
    std::vector<LocalRecord> records = {Rec(0, 0, 0, 0), Rec(0, 10, 1, 1), Rec(0, 10.2, 1.5, -1), Rec(0, 10.4, 2, 2),
                                        Rec(0, 20, 3, 3)};
    LocalWorkState state(records);
    state.EvaluateNeighbourhood(0.001);
    EXPECT_EQ(Indices(state), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_TRUE(state.GetRejections().empty());
}

TEST(TimeEvaluation, FillsALongerGapAlongTheCurveAtEvenSteps)
{
    // Usual step 1 s; a gap of 3 s gets two records, at 1 s and 2 s into it.
    LocalWorkState state(WithGap(8, 4, 3.0));
    state.EvaluateTime(2.0);
    const std::vector<LocalRecord>& records = state.GetRecords();
    ASSERT_EQ(records.size(), 10u);
    EXPECT_EQ(Indices(state), (std::vector<int>{0, 1, 2, 3, -1, -1, 4, 5, 6, 7}));
    for (int k : {4, 5}) {
        const LocalRecord& synthetic = records[static_cast<size_t>(k)];
        EXPECT_DOUBLE_EQ(synthetic.seconds, 3.0 + (k - 3));
        // Steady motion: the curve is the line itself.
        EXPECT_NEAR(synthetic.lat, Rec(0, 10.0 * synthetic.seconds, 0).lat, 1e-12);
        EXPECT_EQ(synthetic.score, 0);
    }
}

TEST(TimeEvaluation, LeavesShortFarLongAndSmallGapsAlone)
{
    // Under the span, over a minute, and under 10 m (a slow walker).
    for (const double gap : {1.5, 61.0}) {
        LocalWorkState state(WithGap(8, 4, gap));
        state.EvaluateTime(2.0);
        EXPECT_EQ(SyntheticCount(state), 0) << gap;
    }
    std::vector<LocalRecord> slow;
    for (int i = 0; i < 6; ++i)
        slow.push_back(Rec(0, 1.0 * (i < 3 ? i : i + 5), i < 3 ? i : i + 5, i));
    LocalWorkState state(slow);
    state.EvaluateTime(2.0);
    EXPECT_EQ(SyntheticCount(state), 0);
}

TEST(TimeEvaluation, AtMostFourPerGapAndReplacedWhenRunAgain)
{
    LocalWorkState state(WithGap(8, 4, 30.0));
    state.EvaluateTime(2.0);
    EXPECT_EQ(SyntheticCount(state), 4);
    state.EvaluateTime(2.0);
    EXPECT_EQ(SyntheticCount(state), 4);
    state.DropSynthetic();
    EXPECT_EQ(Indices(state), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
}

TEST(TimeEvaluation, ATrackSampledEveryFiveSecondsIsNotFilled)
{
    std::vector<LocalRecord> records;
    for (int i = 0; i < 8; ++i)
        records.push_back(Rec(0, 50.0 * i, 5.0 * i, i));
    LocalWorkState state(records);
    state.EvaluateTime(2.0);
    EXPECT_EQ(SyntheticCount(state), 0);
}

TEST(Selection, TakesOutFromTheLimitWithTheScoreInTheKey)
{
    std::vector<LocalRecord> records = Line(5);
    records[1].score = 249;
    records[2].score = 250;
    records[3].score = 1000;
    LocalWorkState state(records);
    state.SetCode(92);
    EXPECT_EQ(state.Select(250), 2);
    EXPECT_EQ(Indices(state), (std::vector<int>{0, 1, 4}));
    EXPECT_EQ(state.GetRejections(), (std::map<int, int>{{2, 250092}, {3, 1000092}}));
    // Decoded as the reasons table does: the code and the score in percent.
    EXPECT_EQ(250092 % 100, 92);
    EXPECT_EQ(250092 / 10000, 25);
}

TEST(WriteBack, MarksRejectionsAndGivesTheOthersTheirScoreAsPenalty)
{
    std::vector<TrackPoint> points;
    for (int i = 0; i < 6; ++i)
        points.push_back(filtertest::At(0, 10.0 * i, i));
    const auto track = filtertest::MakeTrack(points);
    LocalWorkState state = LocalWorkState::FromTrack(*track);
    state.GetRecords()[1].score = 420;
    state.GetRecords()[3].score = 1000;
    state.SetCode(91);
    state.Select(800);
    // A synthetic record must not reach any point.
    LocalRecord synthetic = state.GetRecords()[2];
    synthetic.index = -1;
    synthetic.score = 999;
    state.GetRecords().insert(state.GetRecords().begin() + 2, synthetic);

    EXPECT_EQ(state.WriteBack(*track), 1);
    EXPECT_EQ(track->GetPointCount(), 6);
    EXPECT_EQ(filtertest::ReasonsOf(*track), (std::vector<int>{0, 0, 0, 1000091, 0, 0}));
    EXPECT_EQ(track->GetPtNav().GetValidCount(), 5);
    TrackPoint point;
    track->GetPoint(1, point);
    EXPECT_EQ(point.GetStatus().GetPenalty(), 420);
    track->GetPoint(2, point);
    EXPECT_EQ(point.GetStatus().GetPenalty(), 0);
}

TEST(WorkState, IsBuiltFromTheValidPointsOnly)
{
    std::vector<TrackPoint> points;
    for (int i = 0; i < 5; ++i)
        points.push_back(filtertest::At(0, 10.0 * i, 2.0 * i));
    points[0].GetStatus().SetFilterReason(7);
    points[3].GetStatus().SetFilterReason(7);
    const auto track = filtertest::MakeTrack(points);
    const LocalWorkState state = LocalWorkState::FromTrack(*track);
    EXPECT_EQ(Indices(state), (std::vector<int>{1, 2, 4}));
    // Seconds count from the first valid point.
    EXPECT_DOUBLE_EQ(state.GetRecords()[0].seconds, 0.0);
    EXPECT_DOUBLE_EQ(state.GetRecords()[2].seconds, 6.0);
}
