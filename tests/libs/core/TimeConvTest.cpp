#include "TimeConv.h"

#include <gtest/gtest.h>

namespace {

const QTimeZone Berlin("Europe/Berlin");
const QTimeZone NewYork("America/New_York");

TimeSpan Hours(double hours)
{
    return TimeSpan(TimeSpan::Hours, hours);
}

} // namespace

// --- UTC to local, across the changes of the clocks -------------------------

TEST(TimeConvZones, BerlinSpringForwardAtOneUtc)
{
    ASSERT_TRUE(Berlin.isValid());
    EXPECT_EQ(TimeConv::UtcToLocal(Time(2024, 3, 31, 0, 59, 59), Berlin), Time(2024, 3, 31, 1, 59, 59));
    EXPECT_EQ(TimeConv::UtcToLocal(Time(2024, 3, 31, 1, 0, 0), Berlin), Time(2024, 3, 31, 3, 0, 0));
    EXPECT_EQ(TimeConv::UtcToLocal(Time(2024, 3, 31, 1, 59, 59), Berlin), Time(2024, 3, 31, 3, 59, 59));
}

TEST(TimeConvZones, BerlinFallBackRepeatsAnHour)
{
    EXPECT_EQ(TimeConv::UtcToLocal(Time(2024, 10, 27, 0, 59, 59), Berlin), Time(2024, 10, 27, 2, 59, 59));
    EXPECT_EQ(TimeConv::UtcToLocal(Time(2024, 10, 27, 1, 0, 0), Berlin), Time(2024, 10, 27, 2, 0, 0));
}

TEST(TimeConvZones, NewYorkBothChanges)
{
    ASSERT_TRUE(NewYork.isValid());
    EXPECT_EQ(TimeConv::UtcToLocal(Time(2024, 11, 3, 5, 59, 59), NewYork), Time(2024, 11, 3, 1, 59, 59));
    EXPECT_EQ(TimeConv::UtcToLocal(Time(2024, 11, 3, 6, 0, 0), NewYork), Time(2024, 11, 3, 1, 0, 0));
    EXPECT_EQ(TimeConv::UtcToLocal(Time(2024, 3, 10, 6, 59, 59), NewYork), Time(2024, 3, 10, 1, 59, 59));
    EXPECT_EQ(TimeConv::UtcToLocal(Time(2024, 3, 10, 7, 0, 0), NewYork), Time(2024, 3, 10, 3, 0, 0));
}

TEST(TimeConvZones, SouthernSummerAndHalfHourZones)
{
    EXPECT_EQ(TimeConv::UtcToLocal(Time(2024, 1, 15), QTimeZone("Australia/Sydney")), Time(2024, 1, 15, 11));
    EXPECT_EQ(TimeConv::UtcToLocal(Time(2024, 7, 1, 12), QTimeZone("Asia/Kolkata")), Time(2024, 7, 1, 17, 30));
}

TEST(TimeConvZones, FractionsOfSecondsSurvive)
{
    const Time utc = Time(2024, 7, 1, 12) + TimeSpan::FromMicroseconds(123457);
    EXPECT_EQ(TimeConv::UtcToLocal(utc, Berlin), utc + Hours(2));
    EXPECT_EQ(TimeConv::LocalToUtc(utc + Hours(2), Berlin), utc);
}

TEST(TimeConvZones, IgnoringDaylightSavingUsesStandardTimeAllYear)
{
    const auto ignore = DaylightSavingsMode::Ignore;
    EXPECT_EQ(TimeConv::UtcToLocal(Time(2024, 7, 1, 12), Berlin, ignore), Time(2024, 7, 1, 13));
    EXPECT_EQ(TimeConv::UtcToLocal(Time(2024, 1, 1, 12), Berlin, ignore), Time(2024, 1, 1, 13));
    EXPECT_EQ(TimeConv::LocalToUtc(Time(2024, 7, 1, 13), Berlin, ignore), Time(2024, 7, 1, 12));
    EXPECT_EQ(TimeConv::GetUtcOffset(Time(2024, 7, 1), NewYork, ignore), -Hours(5));
}

TEST(TimeConvZones, OffsetsFollowTheSeason)
{
    EXPECT_EQ(TimeConv::GetUtcOffset(Time(2024, 7, 1), Berlin), Hours(2));
    EXPECT_EQ(TimeConv::GetUtcOffset(Time(2024, 1, 1), Berlin), Hours(1));
    EXPECT_EQ(TimeConv::GetUtcOffset(Time(2024, 7, 1), NewYork), -Hours(4));
    EXPECT_EQ(TimeConv::GetUtcOffset(Time(), Berlin), TimeSpan());
    EXPECT_EQ(TimeConv::GetUtcOffset(Time(2024, 7, 1), QTimeZone::utc()), TimeSpan());
}

TEST(TimeConvZones, NullStaysNull)
{
    EXPECT_TRUE(TimeConv::UtcToLocal(Time(), Berlin).IsNull());
    EXPECT_TRUE(TimeConv::LocalToUtc(Time(), Berlin).IsNull());
}

// --- local to UTC -----------------------------------------------------------

TEST(TimeConvLocal, OrdinaryTimesGoBack)
{
    EXPECT_EQ(TimeConv::LocalToUtc(Time(2024, 7, 1, 12), Berlin), Time(2024, 7, 1, 10));
    EXPECT_EQ(TimeConv::LocalToUtc(Time(2024, 1, 1, 0, 30), Berlin), Time(2023, 12, 31, 23, 30));
    EXPECT_EQ(TimeConv::LocalToUtc(Time(2024, 7, 1, 20), NewYork), Time(2024, 7, 2, 0));
}

TEST(TimeConvLocal, SkippedLocalTimeLandsAfterTheChange)
{
    // 02:30 never happens in Berlin on 2024-03-31; read with winter time it
    // is 01:30 UTC, which the clocks show as 03:30.
    const Time utc = TimeConv::LocalToUtc(Time(2024, 3, 31, 2, 30), Berlin);
    EXPECT_EQ(utc, Time(2024, 3, 31, 1, 30));
    EXPECT_EQ(TimeConv::UtcToLocal(utc, Berlin), Time(2024, 3, 31, 3, 30));
    EXPECT_EQ(TimeConv::LocalToUtc(Time(2024, 3, 10, 2, 15), NewYork), Time(2024, 3, 10, 7, 15));
}

TEST(TimeConvLocal, RepeatedLocalTimeIsTakenAsItsFirstOccurrence)
{
    EXPECT_EQ(TimeConv::LocalToUtc(Time(2024, 11, 3, 1, 30), NewYork), Time(2024, 11, 3, 5, 30));
    EXPECT_EQ(TimeConv::LocalToUtc(Time(2024, 10, 27, 2, 30), Berlin), Time(2024, 10, 27, 0, 30));
    // Just outside the repeated hour there is one answer.
    EXPECT_EQ(TimeConv::LocalToUtc(Time(2024, 11, 3, 2, 0), NewYork), Time(2024, 11, 3, 7, 0));
    EXPECT_EQ(TimeConv::LocalToUtc(Time(2024, 11, 3, 0, 59, 59), NewYork), Time(2024, 11, 3, 4, 59, 59));
}

TEST(TimeConvLocal, RoundTripThroughAWholeYear)
{
    // Every quarter hour of 2024 in New York comes back, except the second
    // pass through the repeated hour, which is read as the first pass.
    for (Time utc(2024, 1, 1); utc < Time(2025, 1, 1); utc += TimeSpan(TimeSpan::Minutes, 15)) {
        const Time local = TimeConv::UtcToLocal(utc, NewYork);
        const Time back = TimeConv::LocalToUtc(local, NewYork);
        if (back != utc) {
            ASSERT_EQ(back, utc - Hours(1)) << TimeConv::GetYMD(utc) << ' ' << TimeConv::GetHMS(utc, MillisecondsStatus::Without);
            ASSERT_EQ(TimeConv::UtcToLocal(back, NewYork), local);
        }
    }
}

// --- components and fixed text ----------------------------------------------

TEST(TimeConvText, ComponentsOfATime)
{
    const TimeComponents parts = TimeConv::GetComponents(Time(2024, 2, 29, 23, 59, 58, 7));
    EXPECT_EQ(parts.year, 2024);
    EXPECT_EQ(parts.month, 2);
    EXPECT_EQ(parts.day, 29);
    EXPECT_EQ(parts.hour, 23);
    EXPECT_EQ(parts.minute, 59);
    EXPECT_EQ(parts.second, 58);
    EXPECT_EQ(parts.milliseconds, 7);
}

TEST(TimeConvText, ComponentsBeforeTheEpochAndCutMilliseconds)
{
    const TimeComponents parts = TimeConv::GetComponents(Time::TimeSeconds(-0.5));
    EXPECT_EQ(parts.year, 1969);
    EXPECT_EQ(parts.month, 12);
    EXPECT_EQ(parts.day, 31);
    EXPECT_EQ(parts.hour, 23);
    EXPECT_EQ(parts.minute, 59);
    EXPECT_EQ(parts.second, 59);
    EXPECT_EQ(parts.milliseconds, 500);
    // 999.9 ms stays 999: nothing carries into the next second or day.
    const Time almostMidnight = Time(2024, 12, 31, 23, 59, 59, 999) + TimeSpan::FromMicroseconds(900);
    const TimeComponents last = TimeConv::GetComponents(almostMidnight);
    EXPECT_EQ(last.year, 2024);
    EXPECT_EQ(last.day, 31);
    EXPECT_EQ(last.second, 59);
    EXPECT_EQ(last.milliseconds, 999);
}

TEST(TimeConvText, DateWithAnySeparator)
{
    const Time t(2024, 5, 1, 23, 59);
    EXPECT_EQ(TimeConv::GetYMD(t), "2024-05-01");
    EXPECT_EQ(TimeConv::GetYMD(t, '/'), "2024/05/01");
    EXPECT_EQ(TimeConv::GetYMD(t, '\0'), "20240501");
    EXPECT_EQ(TimeConv::GetYMD(Time(987, 12, 9), '.'), "0987.12.09");
    EXPECT_EQ(TimeConv::GetYMD(Time()), "");
}

TEST(TimeConvText, TimeWithAndWithoutMilliseconds)
{
    const Time t(2024, 5, 1, 7, 8, 9, 50);
    EXPECT_EQ(TimeConv::GetHMS(t, MillisecondsStatus::Without), "07:08:09");
    EXPECT_EQ(TimeConv::GetHMS(t, MillisecondsStatus::With), "07:08:09.050");
    EXPECT_EQ(TimeConv::GetHMS(t, MillisecondsStatus::With, '\0'), "070809.050");
    EXPECT_EQ(TimeConv::GetHMS(t, MillisecondsStatus::Without, '-'), "07-08-09");
    EXPECT_EQ(TimeConv::GetHMS(Time(2024, 5, 1), MillisecondsStatus::With), "00:00:00.000");
    EXPECT_EQ(TimeConv::GetHMS(Time(), MillisecondsStatus::With), "");
}

TEST(TimeConvText, LastMillisecondOfTheDayCarriesNothing)
{
    const Time last = Time(2024, 12, 31, 23, 59, 59, 999) + TimeSpan::FromMicroseconds(999);
    EXPECT_EQ(TimeConv::GetHMS(last, MillisecondsStatus::With), "23:59:59.999");
    EXPECT_EQ(TimeConv::GetHMS(last, MillisecondsStatus::Without), "23:59:59");
    EXPECT_EQ(TimeConv::GetYMD(last), "2024-12-31");
    EXPECT_EQ(TimeConv::GetHMS(last + TimeSpan::FromMicroseconds(1), MillisecondsStatus::Without), "00:00:00");
}

TEST(TimeConvText, SpansCountWholeHoursAndShowTheirSign)
{
    const TimeSpan span = TimeSpan(TimeSpan::Hours, 26) + TimeSpan(TimeSpan::Minutes, 3) + TimeSpan::FromSeconds(4.5);
    EXPECT_EQ(TimeConv::GetHMS(span, MillisecondsStatus::Without), "26:03:04");
    EXPECT_EQ(TimeConv::GetHMS(span, MillisecondsStatus::With), "26:03:04.500");
    EXPECT_EQ(TimeConv::GetHMS(-TimeSpan::FromSeconds(90), MillisecondsStatus::Without), "-00:01:30");
    EXPECT_EQ(TimeConv::GetHMS(TimeSpan(), MillisecondsStatus::Without), "00:00:00");
}
