#include "FilterReasons.h"
#include "ParameterFilterImpl.h"
#include "TrackPointEx.h"
#include "ValueFilterRows.h"

#include "FilterTestTracks.h"

#include <gtest/gtest.h>

using namespace filtertest;

namespace {

TrackPointEx WithParams(const CalcTrackParams& params)
{
    return TrackPointEx(TrackPoint(), params);
}

CalcTrackParams Params(double dist, float speed, float accelTang, float accelNorm)
{
    CalcTrackParams params;
    params.Dist = dist;
    params.Speed = speed;
    params.AccelTang = accelTang;
    params.AccelNorm = accelNorm;
    return params;
}

} // namespace

TEST(BasicFilterRules, LimitsAreStrict)
{
    const TrackPointEx at = WithParams(Params(5.0, 50.0f, 3.0f, 3.0f));
    EXPECT_EQ(BasicFilterDist(5.0, 6).Check(at), BasicFilter::Keep);
    EXPECT_EQ(BasicFilterHighSpeed(50.0, 7).Check(at), BasicFilter::Keep);
    EXPECT_EQ(BasicFilterLowSpeed(50.0, 8).Check(at), BasicFilter::Keep);
    EXPECT_EQ(BasicFilterAccForward(3.0, 4).Check(at), BasicFilter::Keep);
    EXPECT_EQ(BasicFilterAccRadial(3.0, 5).Check(at), BasicFilter::Keep);

    EXPECT_EQ(BasicFilterDist(5.5, 6).Check(at), BasicFilter::RejectThis);
    EXPECT_EQ(BasicFilterHighSpeed(49.5, 7).Check(at), BasicFilter::RejectThis);
    EXPECT_EQ(BasicFilterLowSpeed(50.5, 8).Check(at), BasicFilter::RejectThis);
    EXPECT_EQ(BasicFilterAccForward(2.5, 4).Check(at), BasicFilter::RejectThis);
    EXPECT_EQ(BasicFilterAccRadial(2.5, 5).Check(at), BasicFilter::RejectThis);
}

TEST(BasicFilterRules, BrakingLimitIsAgainstTheNegatedAcceleration)
{
    const BasicFilterAccBrake rule(3.0, 3);
    EXPECT_EQ(rule.Check(WithParams(Params(1, 1, -3.5f, 0))), BasicFilter::RejectThis);
    EXPECT_EQ(rule.Check(WithParams(Params(1, 1, -3.0f, 0))), BasicFilter::Keep);
    // Speeding up hard is not braking.
    EXPECT_EQ(rule.Check(WithParams(Params(1, 1, 3.5f, 0))), BasicFilter::Keep);
    // The forward rule ignores braking.
    EXPECT_EQ(BasicFilterAccForward(3.0, 4).Check(WithParams(Params(1, 1, -9.0f, 0))), BasicFilter::Keep);
}

TEST(ParameterFilter, OnlyTheSixKindsAreRules)
{
    ParameterFilterImpl filter;
    for (int kind : {0, 1, 2, 9, 10, 91, -3})
        EXPECT_FALSE(filter.Add(kind, kind, 1.0)) << kind;
    EXPECT_EQ(filter.GetRuleCount(), 0);
    for (int kind = 3; kind <= 8; ++kind)
        EXPECT_TRUE(filter.Add(kind, 100 + kind, 1.0)) << kind;
    EXPECT_EQ(filter.GetRuleCount(), 6);
}

TEST(ParameterFilter, FirstPointIsNeverJudgedAndShortTracksAreLeftAlone)
{
    ParameterFilterImpl filter;
    // Every point is "too slow", the standing first point most of all.
    filter.Add(ParameterFilterImpl::KindLowSpeed, 108, 1000.0);
    const auto three = MakeTrack({At(0, 0, 0), At(10, 0, 1), At(20, 0, 2)});
    const Filter::Result result = filter.Apply(*three);
    EXPECT_EQ(result.index, 1);
    EXPECT_EQ(result.reason, 108);

    const Filter::Result none = filter.Apply(*MakeTrack({At(0, 0, 0), At(10, 0, 1)}));
    EXPECT_TRUE(none.IsNone());
    EXPECT_EQ(none.index, -1);
    EXPECT_EQ(none.reason, 0);
}

TEST(ParameterFilter, FirstObjectingRuleOfTheFirstBadPointWins)
{
    // 10 m/s, then point 3 comes only 2 m after point 2.
    const auto track = MakeTrack({At(0, 0, 0), At(10, 0, 1), At(20, 0, 2), At(22, 0, 3), At(32, 0, 4)});
    ParameterFilterImpl filter;
    filter.Add(ParameterFilterImpl::KindHighSpeed, 107, 100.0);
    filter.Add(ParameterFilterImpl::KindLowSpeed, 208, 20.0);
    filter.Add(ParameterFilterImpl::KindDist, 106, 5.0);
    const Filter::Result result = filter.Apply(*track);
    EXPECT_EQ(result.index, 3);
    EXPECT_EQ(result.reason, 208);
}

TEST(ValueFilterRows, RowsComeInTheDialogOrderWithTheirIds)
{
    const auto& rows = ValueFilterRows::GetRows();
    const std::vector<std::string> names = {"MinDist",     "MaxSpeed",   "MinSpeed",
                                            "MaxAccelFwd", "MaxAccelBk", "MaxAccelRad"};
    const std::vector<int> codes = {6, 7, 8, 4, 3, 5};
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].name, names[i]);
        EXPECT_EQ(rows[i].code, codes[i]);
        EXPECT_EQ(rows[i].editId, 1550 + 2 * static_cast<int>(i));
        EXPECT_EQ(rows[i].labelId, 1551 + 2 * static_cast<int>(i));
    }
    EXPECT_EQ(ValueFilterRows::GetLabel(rows[1], MeasuringSystem::Metric), "Max. speed (km/h):");
    EXPECT_EQ(ValueFilterRows::GetLabel(rows[0], MeasuringSystem::Imperial), "Min. distance (ft):");
    EXPECT_EQ(ValueFilterRows::GetLabel(rows[5], MeasuringSystem::Imperial), "Max. radial acceleration (ft/s²):");
}

TEST(ValueFilterRows, EmptyZeroNegativeAndUnparsableRowsMakeNoRule)
{
    FilterReasons reasons;
    const auto filter =
        ValueFilterRows::BuildFilter({"", "0", "-5", "abc", " ", "2"}, MeasuringSystem::Metric, reasons);
    ASSERT_EQ(filter->GetRuleCount(), 1);
    // The one rule is the radial one: it rejects a hard turn.
    const auto track = MakeTrack({At(0, 0, 0), At(10, 0, 1), At(10, 10, 2), At(10, 20, 3)});
    const Filter::Result result = filter->Apply(*track);
    EXPECT_EQ(result.index, 1);
    EXPECT_EQ(result.reason % 100, 5);
    EXPECT_EQ(reasons.GetText(result.reason).text, "Radial accel. > 2 m/s²");
}

TEST(ValueFilterRows, SameTextReusesItsKeyAndANewValueGetsTheNext)
{
    FilterReasons reasons;
    ValueFilterRows::Texts texts;
    texts[0] = "5";
    texts[1] = "90";
    ValueFilterRows::BuildFilter(texts, MeasuringSystem::Metric, reasons);
    EXPECT_EQ(reasons.GetText(106).text, "Distance < 5 m");
    // "Speed >" is followed by the number without a space.
    EXPECT_EQ(reasons.GetText(107).text, "Speed >90 km/h");
    // An unknown key shows its code's own text: 206 is not made yet.
    ValueFilterRows::BuildFilter(texts, MeasuringSystem::Metric, reasons);
    EXPECT_EQ(reasons.GetText(206).text, "Small distance");
    texts[0] = "7";
    ValueFilterRows::BuildFilter(texts, MeasuringSystem::Metric, reasons);
    EXPECT_EQ(reasons.GetText(206).text, "Distance < 7 m");
    EXPECT_EQ(reasons.GetText(207).text, "High speed");
}

TEST(ValueFilterRows, ValuesAreTypedInTheUnitsOfTheMeasuringSystem)
{
    FilterReasons reasons;
    ValueFilterRows::Texts texts;
    // 10 ft is 3.048 m: a 3.2 m step passes, a 2.9 m step does not.
    texts[0] = "10";
    const auto filter = ValueFilterRows::BuildFilter(texts, MeasuringSystem::Imperial, reasons);
    const auto track = MakeTrack({At(0, 0, 0), At(3.2, 0, 1), At(6.1, 0, 2), At(9.3, 0, 3)});
    const Filter::Result result = filter->Apply(*track);
    EXPECT_EQ(result.index, 2);
    EXPECT_EQ(reasons.GetText(result.reason).text, "Distance < 10 ft");

    // 36 km/h is 10 m/s: the metres-per-second system reads "10" as that.
    ValueFilterRows::Texts speed;
    speed[1] = "10";
    const auto fast = ValueFilterRows::BuildFilter(speed, MeasuringSystem::MetricMs, reasons);
    const auto ride = MakeTrack({At(0, 0, 0), At(9.5, 0, 1), At(20.5, 0, 2), At(30, 0, 3)});
    EXPECT_EQ(fast->Apply(*ride).index, 2);
}
