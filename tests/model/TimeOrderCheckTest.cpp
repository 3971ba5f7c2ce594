#include "TimeOrderCheck.h"
#include "TrackTestSupport.h"

#include <gtest/gtest.h>

using namespace tracktest;

namespace {

constexpr int W = TimeOrderCheck::ReasonWrongTime;
constexpr int N = TimeOrderCheck::ReasonNoTime;

std::vector<int> Checked(TrackDataPtr data)
{
    TimeOrderCheck::Run(*data);
    return Reasons(*data);
}

} // namespace

TEST(TimeOrderCheck, TimesInOrderStayValid)
{
    EXPECT_EQ(Checked(TrackWithTimes({10, 20, 30})), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(Checked(TrackWithTimes({10, 10.5, 10.501})), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(Checked(TrackWithTimes({})), (std::vector<int>{}));
}

TEST(TimeOrderCheck, OnlyValidPointsAreJudgedWhenAllIsInOrder)
{
    // The filtered point's early time does not disturb the valid ones, and
    // nothing is touched.
    TrackDataPtr data = TrackWithTimes({10, 5, 20});
    Filter(*data, 1, 7);
    EXPECT_EQ(Checked(data), (std::vector<int>{0, 7, 0}));
}

TEST(TimeOrderCheck, OddPointAboveBothNeighbours)
{
    EXPECT_EQ(Checked(TrackWithTimes({10, 20, 15, 30})), (std::vector<int>{0, W, 0, 0}));
}

TEST(TimeOrderCheck, EqualTimesFilterTheFirst)
{
    EXPECT_EQ(Checked(TrackWithTimes({10, 10, 20})), (std::vector<int>{W, 0, 0}));
}

TEST(TimeOrderCheck, OddPointBelowBothNeighbours)
{
    // 30 is later than 10 but not than 40: the 10 is the odd one.
    EXPECT_EQ(Checked(TrackWithTimes({30, 10, 40})), (std::vector<int>{0, W, 0}));
}

TEST(TimeOrderCheck, LongRunOutOfOrderGoesToTheGlobalPass)
{
    EXPECT_EQ(Checked(TrackWithTimes({10, 50, 60, 20, 30, 40, 70})), (std::vector<int>{0, W, W, 0, 0, 0, 0}));
    // At the first point there is no predecessor to compare with.
    EXPECT_EQ(Checked(TrackWithTimes({30, 10, 20, 40})), (std::vector<int>{W, 0, 0, 0}));
}

TEST(TimeOrderCheck, PointsWithoutTime)
{
    EXPECT_EQ(Checked(TrackWithTimes({10, 20, NoTime})), (std::vector<int>{0, 0, N}));
    EXPECT_EQ(Checked(TrackWithTimes({10, NoTime, 20})), (std::vector<int>{0, N, 0}));
    EXPECT_EQ(Checked(TrackWithTimes({NoTime, NoTime})), (std::vector<int>{N, N}));
    EXPECT_EQ(Checked(TrackWithTimes({NoTime})), (std::vector<int>{N}));
}

TEST(TimeOrderCheck, StepBackAcrossAGapWithoutTimes)
{
    // 20 before the gap is not earlier than 15 after it. Of the two longest
    // increasing runs (10 20 30 and 10 15 30) the one rebuilt from the last
    // point keeps 15.
    EXPECT_EQ(Checked(TrackWithTimes({10, 20, NoTime, 15, 30})), (std::vector<int>{0, W, N, 0, 0}));
}

TEST(TimeOrderCheck, NeighbourRulesThatLeaveDisorderAreSettledGlobally)
{
    // The neighbour rules alone would drop 5 and then 25 (judged against
    // the 5 they had just dropped), keeping 10 20 8.
    EXPECT_EQ(Checked(TrackWithTimes({10, 20, 5, 25, 8})), (std::vector<int>{0, 0, W, 0, W}));
    // The gap hides the step from 10 down to 5 from the neighbour rules.
    TrackDataPtr data = TrackWithTimes({10, NoTime, 5});
    TimeOrderCheck::Run(*data);
    EXPECT_TRUE(TimeOrderCheck::IsInOrder(*data));
    EXPECT_EQ(Reasons(*data)[1], N);
}

TEST(TimeOrderCheck, GlobalPassRestoresEarlierTimeReasonsOnly)
{
    TrackDataPtr data = TrackWithTimes({10, 50, 60, 20, 30, 40, 70});
    Filter(*data, 3, W);
    Filter(*data, 4, N);
    Filter(*data, 6, 7);
    EXPECT_EQ(Checked(data), (std::vector<int>{0, W, W, 0, 0, 0, 7}));
}

TEST(TimeOrderCheck, ResultIsAlwaysInOrder)
{
    // Every order of five distinct times, some with a point without time.
    std::vector<double> times{10, 20, 30, 40, 50};
    int orders = 0;
    do {
        for (int gap = -1; gap < 5; ++gap) {
            std::vector<TrackPoint> points;
            for (int i = 0; i < 5; ++i)
                points.push_back(PointAt(0.001 * i, i == gap ? NoTime : times[static_cast<size_t>(i)]));
            TrackDataPtr data = MakeData(points);
            TimeOrderCheck::Run(*data);
            ASSERT_TRUE(TimeOrderCheck::IsInOrder(*data)) << orders << " gap " << gap;
            int kept = 0;
            for (const TrackPoint& point : data->GetPoints())
                kept += point.IsValid() ? 1 : 0;
            EXPECT_GE(kept, 1);
        }
        ++orders;
    } while (std::next_permutation(times.begin(), times.end()));
    EXPECT_EQ(orders, 120);
}
