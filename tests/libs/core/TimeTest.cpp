#include "Time.h"
#include "TimePeriod.h"

#include <QDateTime>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

constexpr int64_t Second = 1000000;

Time Seconds(double seconds)
{
    return Time::TimeSeconds(seconds);
}

} // namespace

// --- null state -------------------------------------------------------------

TEST(TimeNull, DefaultIsNullAndSetNullMakesNull)
{
    EXPECT_TRUE(Time().IsNull());
    Time t(2024, 5, 1);
    ASSERT_FALSE(t.IsNull());
    t.SetNull();
    EXPECT_TRUE(t.IsNull());
    EXPECT_EQ(t, Time());
}

TEST(TimeNull, TheEpochItselfIsNotNull)
{
    EXPECT_FALSE(Time(1970, 1, 1).IsNull());
    EXPECT_FALSE(Time::TimeSeconds(0.0).IsNull());
    EXPECT_NE(Time(1970, 1, 1), Time());
}

TEST(TimeNull, ArithmeticAndConversionsKeepNullNull)
{
    const Time null;
    EXPECT_TRUE((null + TimeSpan::FromSeconds(10)).IsNull());
    EXPECT_TRUE((null - TimeSpan::FromSeconds(10)).IsNull());
    Time moved;
    moved += TimeSpan(TimeSpan::Days, 1);
    EXPECT_TRUE(moved.IsNull());
    EXPECT_EQ(null - Time(2024, 5, 1), TimeSpan());
    EXPECT_EQ(Time(2024, 5, 1) - null, TimeSpan());
    EXPECT_TRUE(null.GetDate().IsNull());
    EXPECT_EQ(null.GetTime(), TimeSpan());
    EXPECT_TRUE(std::isnan(null.GetAbsSeconds()));
    EXPECT_TRUE(std::isnan(null.GetAbsDays()));
    EXPECT_TRUE(Time::TimeSeconds(null.GetAbsSeconds()).IsNull());
    EXPECT_TRUE(Time::TimeDays(null.GetAbsDays()).IsNull());
    EXPECT_FALSE(null.ToQDateTime().isValid());
    EXPECT_TRUE(Time::FromQDateTime(QDateTime()).IsNull());
}

TEST(TimeNull, SortsBeforeEveryTime)
{
    EXPECT_LT(Time(), Time(1, 1, 1));
    EXPECT_LT(Time(), Seconds(-1e10));
    EXPECT_GE(Time(), Time());
}

TEST(TimeNull, CountsThatCannotBeATimeGiveNull)
{
    EXPECT_TRUE(Time::TimeSeconds(INFINITY).IsNull());
    EXPECT_TRUE(Time::TimeSeconds(-INFINITY).IsNull());
    EXPECT_TRUE(Time::TimeSeconds(1e300).IsNull());
    EXPECT_TRUE(Time::TimeDays(1e12).IsNull());
}

// --- construction -----------------------------------------------------------

TEST(TimeConstruct, CalendarFieldsGiveSecondsSinceTheEpoch)
{
    EXPECT_EQ(Time(1970, 1, 1).GetAbsSeconds(), 0.0);
    EXPECT_EQ(Time(2024, 5, 1, 12).GetAbsSeconds(), 1714564800.0);
    EXPECT_EQ(Time(2000, 1, 1).GetAbsDays(), 10957.0);
    EXPECT_EQ(Time(2024, 5, 1, 12).GetAbsDays(), 19844.5);
    EXPECT_EQ(Time(1800, 1, 1).GetAbsSeconds(), -5364662400.0);
    EXPECT_EQ(Time(1969, 12, 31, 23, 59, 59, 500).GetAbsSeconds(), -0.5);
    EXPECT_EQ(Time(2024, 5, 1, 12, 0, 0, 5).GetMicroseconds(), 1714564800 * Second + 5000);
}

TEST(TimeConstruct, DatesAndTimesThatDoNotExistGiveNull)
{
    EXPECT_FALSE(Time(2024, 2, 29).IsNull());
    EXPECT_TRUE(Time(2023, 2, 29).IsNull());
    EXPECT_TRUE(Time(1900, 2, 29).IsNull());
    EXPECT_FALSE(Time(2000, 2, 29).IsNull());
    EXPECT_TRUE(Time(2024, 4, 31).IsNull());
    EXPECT_TRUE(Time(2024, 13, 1).IsNull());
    EXPECT_TRUE(Time(2024, 0, 1).IsNull());
    EXPECT_TRUE(Time(2024, 5, 1, 24).IsNull());
    EXPECT_TRUE(Time(2024, 5, 1, 12, 60).IsNull());
    EXPECT_TRUE(Time(2024, 5, 1, 12, 0, 60).IsNull());
    EXPECT_TRUE(Time(2024, 5, 1, 12, 0, 0, 1000).IsNull());
    EXPECT_TRUE(Time(2024, 5, 1, -1).IsNull());
}

TEST(TimeConstruct, CurrentTimeIsNowInUtc)
{
    const qint64 before = QDateTime::currentMSecsSinceEpoch();
    const Time now = Time::GetCurTime();
    const qint64 after = QDateTime::currentMSecsSinceEpoch();
    EXPECT_GE(now.GetMicroseconds(), before * 1000);
    EXPECT_LE(now.GetMicroseconds(), (after + 1) * 1000);
}

TEST(TimeConstruct, QDateTimeConversionsAreUtcAndHonourTheGivenZone)
{
    const Time t(2024, 5, 1, 12, 0, 5, 250);
    const QDateTime utc(QDate(2024, 5, 1), QTime(12, 0, 5, 250), QTimeZone::utc());
    EXPECT_EQ(t.ToQDateTime(), utc);
    EXPECT_EQ(t.ToQDateTime().timeSpec(), Qt::UTC);
    EXPECT_EQ(Time::FromQDateTime(utc), t);
    const QDateTime plusTwo(QDate(2024, 5, 1), QTime(14, 0, 5, 250), QTimeZone(7200));
    EXPECT_EQ(Time::FromQDateTime(plusTwo), t);
}

TEST(TimeConstruct, QDateTimeCutsMicrosecondsDownwardsAlsoBeforeTheEpoch)
{
    const Time late = Time(2024, 5, 1, 12) + TimeSpan::FromMicroseconds(999);
    EXPECT_EQ(late.ToQDateTime().time(), QTime(12, 0, 0, 0));
    const Time beforeEpoch = Time::FromMicroseconds(-1);
    EXPECT_EQ(beforeEpoch.ToQDateTime(), QDateTime(QDate(1969, 12, 31), QTime(23, 59, 59, 999), QTimeZone::utc()));
}

// --- round trips through doubles --------------------------------------------

TEST(TimeRoundTrip, SecondsAndDaysGiveBackTheSameTime)
{
    const Time samples[] = {
        Time(1970, 1, 1),
        Time(2024, 5, 1, 12, 0, 0, 500),
        Time(1969, 12, 31, 23, 59, 59, 999),
        Time(1800, 1, 1, 0, 0, 0, 1),
        Time(2140, 12, 31, 23, 59, 59, 999),
        Time(2024, 5, 1) + TimeSpan::FromMicroseconds(1),
        Time(2024, 5, 1) - TimeSpan::FromMicroseconds(1),
        Time::FromMicroseconds(1),
        Time::FromMicroseconds(-1),
    };
    for (const Time& t : samples) {
        EXPECT_EQ(Time::TimeSeconds(t.GetAbsSeconds()), t) << t.GetMicroseconds();
        EXPECT_EQ(Time::TimeDays(t.GetAbsDays()), t) << t.GetMicroseconds();
    }
}

TEST(TimeRoundTrip, EveryMicrosecondOfTheUsefulYearsSurvives)
{
    // Random microsecond counts between 1800 and 2140 (the documented range
    // for days; seconds hold further).
    std::mt19937_64 random(12345);
    const int64_t low = Time(1800, 1, 1).GetMicroseconds();
    const int64_t high = Time(2140, 12, 31).GetMicroseconds();
    std::uniform_int_distribution<int64_t> pick(low, high);
    for (int i = 0; i < 200000; ++i) {
        const Time t = Time::FromMicroseconds(pick(random));
        ASSERT_EQ(Time::TimeSeconds(t.GetAbsSeconds()), t) << t.GetMicroseconds();
        ASSERT_EQ(Time::TimeDays(t.GetAbsDays()), t) << t.GetMicroseconds();
    }
}

TEST(TimeRoundTrip, SecondsHoldEveryMicrosecondUpTo2240)
{
    std::mt19937_64 random(777);
    std::uniform_int_distribution<int64_t> pick(Time(1700, 1, 1).GetMicroseconds(),
                                                Time(2240, 12, 31).GetMicroseconds());
    for (int i = 0; i < 100000; ++i) {
        const Time t = Time::FromMicroseconds(pick(random));
        ASSERT_EQ(Time::TimeSeconds(t.GetAbsSeconds()), t) << t.GetMicroseconds();
    }
}

TEST(TimeRoundTrip, FarYearsStayWithinAMillisecond)
{
    for (const Time& t : {Time(9999, 12, 31, 23, 59, 59, 999), Time(1, 1, 1, 0, 0, 0, 1)}) {
        const Time viaDays = Time::TimeDays(t.GetAbsDays());
        EXPECT_LT(std::llabs((viaDays - t).GetMicroseconds()), 1000);
        const Time viaSeconds = Time::TimeSeconds(t.GetAbsSeconds());
        EXPECT_LT(std::llabs((viaSeconds - t).GetMicroseconds()), 1000);
    }
}

TEST(TimeRoundTrip, CountsRoundToTheNearestMicrosecond)
{
    EXPECT_EQ(Time::TimeSeconds(1714564800.5), Time(2024, 5, 1, 12, 0, 0, 500));
    EXPECT_EQ(Time::TimeSeconds(0.0000004).GetMicroseconds(), 0);
    EXPECT_EQ(Time::TimeSeconds(0.0000006).GetMicroseconds(), 1);
    EXPECT_EQ(Time::TimeSeconds(-0.0000006).GetMicroseconds(), -1);
    EXPECT_EQ(Time::TimeDays(19844.5), Time(2024, 5, 1, 12));
    EXPECT_EQ(Time::TimeDays(-0.5), Time(1969, 12, 31, 12));
}

// --- date and time of day ---------------------------------------------------

TEST(TimeParts, DateIsMidnightAndTimeIsTheRest)
{
    const Time t(2024, 5, 1, 13, 14, 15, 16);
    EXPECT_EQ(t.GetDate(), Time(2024, 5, 1));
    EXPECT_EQ(t.GetTime(), TimeSpan::FromMicroseconds(((13 * 60 + 14) * 60 + 15) * Second + 16000));
    EXPECT_EQ(t.GetDate() + t.GetTime(), t);
    EXPECT_EQ(Time(2024, 5, 1).GetDate(), Time(2024, 5, 1));
    EXPECT_EQ(Time(2024, 5, 1).GetTime(), TimeSpan());
}

TEST(TimeParts, DaysBeforeTheEpochStartAtTheirOwnMidnight)
{
    const Time t(1969, 12, 31, 23);
    EXPECT_EQ(t.GetDate(), Time(1969, 12, 31));
    EXPECT_EQ(t.GetTime(), TimeSpan(TimeSpan::Hours, 23));
    EXPECT_EQ(Time::FromMicroseconds(-1).GetDate(), Time(1969, 12, 31));
}

// --- arithmetic and comparison ----------------------------------------------

TEST(TimeArithmetic, SpansMoveTimesAndDifferencesAreSigned)
{
    const Time a(2024, 12, 31, 23, 30);
    const Time b = a + TimeSpan(TimeSpan::Hours, 1);
    EXPECT_EQ(b, Time(2025, 1, 1, 0, 30));
    EXPECT_EQ(b - a, TimeSpan(TimeSpan::Minutes, 60));
    EXPECT_EQ(a - b, -TimeSpan(TimeSpan::Hours, 1));
    // 2024 is a leap year.
    EXPECT_EQ(b - TimeSpan(TimeSpan::Days, 366), Time(2024, 1, 1, 0, 30));
    EXPECT_EQ(b - TimeSpan(TimeSpan::Days, 367), Time(2023, 12, 31, 0, 30));
    Time c = a;
    c += TimeSpan::FromSeconds(0.25);
    EXPECT_EQ(c, Time(2024, 12, 31, 23, 30, 0, 250));
    c -= TimeSpan::FromSeconds(0.25);
    EXPECT_EQ(c, a);
}

TEST(TimeArithmetic, ComparisonsFollowTheInstant)
{
    const Time a(2024, 5, 1, 12);
    const Time b = a + TimeSpan::FromMicroseconds(1);
    EXPECT_TRUE(a < b);
    EXPECT_TRUE(a <= b);
    EXPECT_TRUE(b > a);
    EXPECT_TRUE(b >= a);
    EXPECT_TRUE(a != b);
    EXPECT_FALSE(a == b);
    EXPECT_TRUE(a <= a);
    EXPECT_TRUE(a == Time::TimeSeconds(a.GetAbsSeconds()));
}

// --- TimeSpan ---------------------------------------------------------------

TEST(TimeSpanUnits, EachUnitReadsBackInEveryOther)
{
    EXPECT_EQ(TimeSpan(TimeSpan::Seconds, 90).GetInMinutes(), 1.5);
    EXPECT_EQ(TimeSpan(TimeSpan::Minutes, 1.5).GetInSeconds(), 90.0);
    EXPECT_EQ(TimeSpan(TimeSpan::Hours, 2).GetInMinutes(), 120.0);
    EXPECT_EQ(TimeSpan(TimeSpan::Days, 7).GetInHours(), 168.0);
    EXPECT_EQ(TimeSpan(TimeSpan::Hours, 36).GetInDays(), 1.5);
    EXPECT_EQ(TimeSpan(TimeSpan::Days, 1).GetMicroseconds(), 86400 * Second);
    EXPECT_EQ(TimeSpan::FromSeconds(-0.25).GetMicroseconds(), -250000);
    EXPECT_EQ(TimeSpan(static_cast<TimeSpan::Duration>(3), 2.0), TimeSpan(TimeSpan::Hours, 48));
}

TEST(TimeSpanUnits, ValuesRoundToMicrosecondsAndNonNumbersGiveZero)
{
    EXPECT_EQ(TimeSpan::FromSeconds(1e-7).GetMicroseconds(), 0);
    EXPECT_EQ(TimeSpan::FromSeconds(1.6e-6).GetMicroseconds(), 2);
    EXPECT_EQ(TimeSpan::FromSeconds(NAN), TimeSpan());
    EXPECT_EQ(TimeSpan(TimeSpan::Days, INFINITY), TimeSpan());
    // A third of a second is not a whole number of microseconds: the sum of
    // three thirds lands within a microsecond of one second.
    const TimeSpan third = TimeSpan::FromSeconds(1.0 / 3.0);
    EXPECT_LE(std::llabs((third + third + third).GetMicroseconds() - Second), 1);
}

TEST(TimeSpanArithmetic, SumsDifferencesAndScaling)
{
    const TimeSpan minute(TimeSpan::Minutes, 1);
    const TimeSpan second = TimeSpan::FromSeconds(1);
    EXPECT_EQ((minute - second).GetInSeconds(), 59.0);
    EXPECT_EQ((second - minute).GetInSeconds(), -59.0);
    EXPECT_EQ((minute + second).GetInSeconds(), 61.0);
    EXPECT_EQ((minute * 2.5).GetInSeconds(), 150.0);
    EXPECT_EQ((0.5 * minute).GetInSeconds(), 30.0);
    EXPECT_EQ((minute / 4.0).GetInSeconds(), 15.0);
    EXPECT_EQ((minute * -1.0), -minute);
    TimeSpan total;
    total += minute;
    total -= second;
    EXPECT_EQ(total, TimeSpan::FromSeconds(59));
}

TEST(TimeSpanArithmetic, ComparisonsIncludeNegativeSpans)
{
    const TimeSpan shortSpan = TimeSpan::FromSeconds(1);
    const TimeSpan longSpan(TimeSpan::Hours, 1);
    EXPECT_TRUE(shortSpan < longSpan);
    EXPECT_TRUE(longSpan > shortSpan);
    EXPECT_TRUE(-longSpan < -shortSpan);
    EXPECT_TRUE(TimeSpan() > -shortSpan);
    EXPECT_FALSE(shortSpan > shortSpan);
}

// --- TimePeriod -------------------------------------------------------------

TEST(TimePeriodTest, ValidOnlyWithBothEnds)
{
    TimePeriod period;
    EXPECT_FALSE(period.IsValid());
    EXPECT_EQ(period.GetDuration(), TimeSpan());
    period.SetStart(Time(2024, 5, 1, 8));
    EXPECT_FALSE(period.IsValid());
    EXPECT_EQ(period.GetDuration(), TimeSpan());
    period.SetEnd(Time(2024, 5, 1, 10, 30));
    EXPECT_TRUE(period.IsValid());
    EXPECT_EQ(period.GetStart(), Time(2024, 5, 1, 8));
    EXPECT_EQ(period.GetEnd(), Time(2024, 5, 1, 10, 30));
    EXPECT_EQ(period.GetDuration().GetInHours(), 2.5);
    period.SetStart(Time());
    EXPECT_FALSE(period.IsValid());
}

TEST(TimePeriodTest, ReversedPeriodHasANegativeDuration)
{
    const TimePeriod period(Time(2024, 5, 1, 10), Time(2024, 5, 1, 9));
    EXPECT_TRUE(period.IsValid());
    EXPECT_EQ(period.GetDuration(), -TimeSpan(TimeSpan::Hours, 1));
}
