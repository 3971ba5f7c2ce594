#include "FilterReasons.h"

#include <gtest/gtest.h>

TEST(FilterReasons, BuiltInCodesKeepTheirTextsAndBrakingIsCodeThree)
{
    const FilterReasons reasons;
    EXPECT_EQ(reasons.GetText(3).text, "High brake accel.");
    EXPECT_EQ(reasons.GetText(4).text, "High forward accel.");
    EXPECT_EQ(reasons.GetText(16).text, "No time");
    EXPECT_EQ(reasons.GetText(13).code, 0);
    EXPECT_TRUE(reasons.GetText(13).text.isEmpty());
}

TEST(FilterReasons, RuleTextsGetOneKeyEachAndFallBackToTheirCode)
{
    FilterReasons reasons;
    const int first = reasons.Register(6, "Distance < 5 m");
    EXPECT_EQ(first, 106);
    EXPECT_EQ(reasons.Register(6, "Distance < 5 m"), 106);
    EXPECT_EQ(reasons.Register(6, "Distance < 7 m"), 206);
    EXPECT_EQ(reasons.Register(7, "Speed >90 km/h"), 107);
    EXPECT_EQ(reasons.GetText(206).text, "Distance < 7 m");
    EXPECT_EQ(reasons.GetText(206).code, 6);
    // A key from a run this program no longer knows still shows its code.
    EXPECT_EQ(reasons.GetText(906).text, "Small distance");
}

TEST(FilterReasons, ScoredKeysShowTheirPercent)
{
    const FilterReasons reasons;
    EXPECT_EQ(reasons.GetText(35 * 10000 + 91).text, "Local inconsistency (35%)");
    EXPECT_EQ(reasons.GetText(1000 * 1000 + 92).text, "Very local inconsistency (100%)");
    EXPECT_EQ(reasons.GetText(250 * 1000 + 91).code, 91);
}
