#include "ResetTimeCore.h"

#include "TimeOrderCheck.h"
#include "TrackData.h"
#include "TrackPointMethods.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

// Degrees of longitude on the equator that measure one kilometre.
double LonPerKm()
{
    static const double perKm =
        0.01 / TrackPointMethods::GetRoughDist(TrackPointBase({0, 0, 0}), TrackPointBase({0.01, 0, 0}));
    return perKm;
}

// A time of day on 2024-06-01.
Time Clock(int hour, int minute, int second = 0)
{
    return Time(2024, 6, 1, hour, minute, second);
}

// Points at the given kilometres east along the equator, with times.
TrackData MakeTrack(const std::vector<double>& km, const std::vector<Time>& times)
{
    TrackData data;
    for (size_t i = 0; i < km.size(); ++i)
        data.Append(TrackPoint({km[i] * LonPerKm(), 0.0, 0.0}, times[i]));
    return data;
}

std::vector<Time> TimesOf(const TrackData& data)
{
    std::vector<Time> times;
    for (const TrackPoint& point : data.GetPoints())
        times.push_back(point.GetTime());
    return times;
}

std::vector<bool> RegeneratedOf(const TrackData& data)
{
    std::vector<bool> marks;
    for (const TrackPoint& point : data.GetPoints())
        marks.push_back(point.GetStatus().IsInMode(TrackPointStatus::TimeRegenerated));
    return marks;
}

// Times within a millisecond: the fills go through floating-point hours.
void ExpectTimes(const TrackData& data, const std::vector<Time>& expected)
{
    const std::vector<Time> times = TimesOf(data);
    ASSERT_EQ(times.size(), expected.size());
    for (size_t i = 0; i < times.size(); ++i) {
        ASSERT_FALSE(times[i].IsNull()) << "point " << i;
        EXPECT_NEAR((times[i] - expected[i]).GetInSeconds(), 0.0, 1e-3) << "point " << i;
    }
}

// Answers the question with a start and speed and remembers the mode.
struct Answer
{
    std::optional<ResetTimeCore::TimeCase> askedMode;
    ResetTimeCore::Choice choice;
    bool accept = true;

    ResetTimeCore::Ask Get()
    {
        return [this](ResetTimeCore::TimeCase mode, ResetTimeCore::Choice& out) {
            askedMode = mode;
            out = choice;
            return accept;
        };
    }
};

ResetTimeCore::Ask NeverAsked()
{
    return [](ResetTimeCore::TimeCase, ResetTimeCore::Choice&) {
        ADD_FAILURE() << "no question expected";
        return false;
    };
}

} // namespace

TEST(ResetTimeState, CasesFromTheEndsAndTheOrder)
{
    using C = ResetTimeCore;
    struct Row
    {
        std::vector<Time> times;
        C::TimeCase timeCase;
        bool inverted;
    };
    const Time none;
    const std::vector<Row> rows{
        {{}, C::AllTimed, false},
        {{Clock(10, 0)}, C::AllTimed, false},
        {{Clock(10, 0), Clock(10, 5)}, C::AllTimed, false},
        {{Clock(10, 5), Clock(10, 0)}, C::AllTimed, true},
        {{Clock(10, 0), Clock(10, 0)}, C::AllTimed, true},
        {{none, none}, C::NoTimes, false},
        {{none, Clock(10, 0), Clock(10, 5)}, C::SomeTimes, false},
        {{Clock(10, 0), Clock(10, 5), none}, C::SomeTimes, false},
        {{none, Clock(10, 0), none}, C::SomeTimes, false},
        {{Clock(10, 10), none, Clock(10, 0)}, C::SomeTimes, true},
        {{Clock(10, 0), none, Clock(10, 10)}, C::Ordered, false},
    };
    for (size_t r = 0; r < rows.size(); ++r) {
        std::vector<double> km(rows[r].times.size());
        for (size_t i = 0; i < km.size(); ++i)
            km[i] = static_cast<double>(i);
        TrackData data = MakeTrack(km, rows[r].times);
        const ResetTimeCore::TimeState state = ResetTimeCore(data).GetTimeState();
        EXPECT_EQ(state.timeCase, rows[r].timeCase) << "row " << r;
        EXPECT_EQ(state.inverted, rows[r].inverted) << "row " << r;
    }
}

TEST(ResetTimeRun, GapBetweenTwoTimesIsInterpolated)
{
    TrackData data = MakeTrack({0, 1, 2}, {Clock(10, 0), Time(), Clock(10, 10)});
    Answer answer;
    EXPECT_TRUE(ResetTimeCore(data).Run(false, answer.Get()));
    EXPECT_EQ(answer.askedMode, ResetTimeCore::Ordered);
    ExpectTimes(data, {Clock(10, 0), Clock(10, 5), Clock(10, 10)});
    EXPECT_EQ(RegeneratedOf(data), (std::vector<bool>{false, true, false}));
}

TEST(ResetTimeRun, UntimedTrackRunsAtTheSpeedFromTheStart)
{
    TrackData data = MakeTrack({0, 1, 2}, {Time(), Time(), Time()});
    Answer answer;
    answer.choice.start = Clock(8, 0);
    answer.choice.speedKmh = 36.0;
    EXPECT_TRUE(ResetTimeCore(data).Run(false, answer.Get()));
    EXPECT_EQ(answer.askedMode, ResetTimeCore::NoTimes);
    // 1 km at 36 km/h takes 100 s.
    ExpectTimes(data, {Clock(8, 0), Clock(8, 1, 40), Clock(8, 3, 20)});
    EXPECT_EQ(RegeneratedOf(data), (std::vector<bool>{true, true, true}));
}

TEST(ResetTimeRun, PointsOnTheSameSpotStillGetDifferentTimes)
{
    TrackData data = MakeTrack({0, 0, 1}, {Time(), Time(), Time()});
    Answer answer;
    answer.choice.start = Clock(8, 0);
    answer.choice.speedKmh = 36.0;
    ASSERT_TRUE(ResetTimeCore(data).Run(false, answer.Get()));
    // The zero leg counts as one metre: 0.1 s at 36 km/h.
    EXPECT_EQ((data.GetTrackPoint(1).GetTime() - data.GetTrackPoint(0).GetTime()).GetMicroseconds(), 100000);
    EXPECT_GT(data.GetTrackPoint(2).GetTime(), data.GetTrackPoint(1).GetTime());
}

TEST(ResetTimeRun, SameSpotInsideAGapCountsAsOneMetre)
{
    // Legs of 0 (counted as 1 m) and 999 m share 100 s: the middle point is
    // a thousandth of the way, 0.1 s after the start.
    TrackData data = MakeTrack({0, 0, 0.999}, {Clock(9, 0), Time(), Clock(9, 1, 40)});
    Answer answer;
    ASSERT_TRUE(ResetTimeCore(data).Run(false, answer.Get()));
    EXPECT_NEAR((data.GetTrackPoint(1).GetTime() - Clock(9, 0)).GetInSeconds(), 0.1, 1e-4);
}

TEST(ResetTimeRun, FirstTimeAfterLastIsRegeneratedBackwardsWithoutForce)
{
    TrackData data = MakeTrack({0, 1, 2}, {Clock(10, 10), Time(), Clock(10, 0)});
    Answer answer;
    answer.choice.speedKmh = 36.0;
    ASSERT_TRUE(ResetTimeCore(data).Run(false, answer.Get()));
    EXPECT_EQ(answer.askedMode, ResetTimeCore::SomeTimes);
    // The first time is not before the last, so it goes; the track runs back
    // from the last time at the speed.
    ExpectTimes(data, {Clock(9, 56, 40), Clock(9, 58, 20), Clock(10, 0)});
    EXPECT_EQ(RegeneratedOf(data), (std::vector<bool>{true, true, false}));
}

TEST(ResetTimeRun, InvertedFullyTimedTrackIsTreatedAsPartlyTimed)
{
    TrackData data = MakeTrack({0, 1, 2}, {Clock(10, 10), Clock(10, 5), Clock(10, 0)});
    Answer answer;
    answer.choice.speedKmh = 36.0;
    ASSERT_TRUE(ResetTimeCore(data).Run(false, answer.Get()));
    EXPECT_EQ(answer.askedMode, ResetTimeCore::SomeTimes);
    ExpectTimes(data, {Clock(9, 56, 40), Clock(9, 58, 20), Clock(10, 0)});
}

TEST(ResetTimeRun, FullResetKeepsTheEndsAndSpreadsByDistance)
{
    // Legs of 1, 2 and 2 km between 10:00 and 10:10: two minutes per km.
    TrackData data = MakeTrack({0, 1, 3, 5}, {Clock(10, 0), Clock(10, 0, 5), Clock(10, 7), Clock(10, 10)});
    EXPECT_TRUE(ResetTimeCore(data).Run(true, NeverAsked()));
    ExpectTimes(data, {Clock(10, 0), Clock(10, 2), Clock(10, 6), Clock(10, 10)});
    EXPECT_EQ(RegeneratedOf(data), (std::vector<bool>{false, true, true, false}));
}

TEST(ResetTimeRun, OrderedFullyTimedTrackIsLeftAloneWithoutForce)
{
    TrackData data = MakeTrack({0, 1, 3}, {Clock(10, 0), Clock(10, 0, 5), Clock(10, 7)});
    const TrackData before = data;
    EXPECT_TRUE(ResetTimeCore(data).Run(false, NeverAsked()));
    EXPECT_EQ(data.GetPoints(), before.GetPoints());
}

TEST(ResetTimeRun, PartlyTimedEndsAreExtendedAtTheSpeed)
{
    TrackData data = MakeTrack({0, 1, 2, 3, 4}, {Time(), Clock(10, 0), Time(), Clock(10, 10), Time()});
    Answer answer;
    answer.choice.speedKmh = 36.0;
    ASSERT_TRUE(ResetTimeCore(data).Run(false, answer.Get()));
    EXPECT_EQ(answer.askedMode, ResetTimeCore::SomeTimes);
    ExpectTimes(data, {Clock(9, 58, 20), Clock(10, 0), Clock(10, 5), Clock(10, 10), Clock(10, 11, 40)});
    EXPECT_EQ(RegeneratedOf(data), (std::vector<bool>{true, false, true, false, true}));
}

TEST(ResetTimeRun, ForcedPartlyTimedTrackDropsTheTimesBetweenItsKnownEnds)
{
    TrackData data = MakeTrack({0, 1, 2, 3, 4}, {Time(), Clock(10, 0), Clock(10, 9), Clock(10, 10), Time()});
    Answer answer;
    answer.choice.speedKmh = 36.0;
    ASSERT_TRUE(ResetTimeCore(data).Run(true, answer.Get()));
    ExpectTimes(data, {Clock(9, 58, 20), Clock(10, 0), Clock(10, 5), Clock(10, 10), Clock(10, 11, 40)});
}

TEST(ResetTimeRun, CancelChangesNothing)
{
    TrackData data = MakeTrack({0, 1, 2}, {Clock(10, 0), Clock(10, 1), Time()});
    const TrackData before = data;
    Answer answer;
    answer.accept = false;
    EXPECT_FALSE(ResetTimeCore(data).Run(true, answer.Get()));
    EXPECT_EQ(data.GetPoints(), before.GetPoints());
}

TEST(ResetTimeRun, TimeReasonsAreClearedWhereAPointGetsATime)
{
    TrackData data = MakeTrack({0, 1, 2, 3, 4}, {Clock(10, 0), Time(), Clock(9, 0), Time(), Clock(10, 10)});
    data.GetTrackPoint(1).GetStatus().SetFilterReason(TimeOrderCheck::ReasonNoTime);
    data.GetTrackPoint(2).GetStatus().SetFilterReason(TimeOrderCheck::ReasonWrongTime);
    // Filtered for something else: gets its time but stays filtered.
    data.GetTrackPoint(3).GetStatus().SetFilterReason(207);
    Answer answer;
    ASSERT_TRUE(ResetTimeCore(data).Run(true, answer.Get()));
    EXPECT_EQ(answer.askedMode, ResetTimeCore::Ordered);
    EXPECT_TRUE(data.GetTrackPoint(1).IsValid());
    EXPECT_TRUE(data.GetTrackPoint(2).IsValid());
    EXPECT_FALSE(data.GetTrackPoint(3).IsValid());
    EXPECT_EQ(data.GetTrackPoint(3).GetStatus().GetFilterReason(), 207);
    ExpectTimes(data, {Clock(10, 0), Clock(10, 2, 30), Clock(10, 5), Clock(10, 7, 30), Clock(10, 10)});
}

TEST(ResetTimeRun, KeptTimeKeepsItsWrongTimeReason)
{
    // The anchors are not regenerated, so their own reasons stand.
    TrackData data = MakeTrack({0, 1, 2}, {Clock(10, 0), Time(), Clock(10, 10)});
    data.GetTrackPoint(2).GetStatus().SetFilterReason(TimeOrderCheck::ReasonWrongTime);
    Answer answer;
    ASSERT_TRUE(ResetTimeCore(data).Run(false, answer.Get()));
    EXPECT_FALSE(data.GetTrackPoint(2).IsValid());
    EXPECT_TRUE(data.GetTrackPoint(1).IsValid());
}

TEST(ResetTimeApply, ClearedTrackRestartsFromTheGivenStart)
{
    TrackData data = MakeTrack({0, 2, 3}, {Clock(10, 0), Clock(10, 1), Clock(10, 2)});
    ResetTimeCore core(data);
    core.ClearTimes();
    EXPECT_EQ(core.GetTimeState().timeCase, ResetTimeCore::NoTimes);
    ResetTimeCore::Choice choice;
    choice.start = Clock(7, 0);
    choice.speedKmh = 60.0;
    core.Apply(ResetTimeCore::NoTimes, false, choice);
    // A km a minute.
    ExpectTimes(data, {Clock(7, 0), Clock(7, 2), Clock(7, 3)});
}
