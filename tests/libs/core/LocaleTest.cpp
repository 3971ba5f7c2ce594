#include "Locale.h"
#include "Time.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {

// Each test runs in a known locale and puts the default back afterwards.
class LocaleText : public ::testing::Test
{
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(m_saved); }

    static void UseGerman() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

private:
    QLocale m_saved;
};

} // namespace

TEST_F(LocaleText, IntegersAreGrouped)
{
    EXPECT_EQ(Locale::GetIntString(0), QStringLiteral("0"));
    EXPECT_EQ(Locale::GetIntString(999), QStringLiteral("999"));
    EXPECT_EQ(Locale::GetIntString(1234567), QStringLiteral("1,234,567"));
    EXPECT_EQ(Locale::GetIntString(-1234), QStringLiteral("-1,234"));
    EXPECT_EQ(Locale::GetIntString(5000000000LL), QStringLiteral("5,000,000,000"));
    UseGerman();
    EXPECT_EQ(Locale::GetIntString(1234567), QStringLiteral("1.234.567"));
}

TEST_F(LocaleText, DoublesWithFixedDecimalsRound)
{
    EXPECT_EQ(Locale::GetDoubleString(3.14159, 2), QStringLiteral("3.14"));
    EXPECT_EQ(Locale::GetDoubleString(2.5, 0), QStringLiteral("3"));
    EXPECT_EQ(Locale::GetDoubleString(-0.125, 1), QStringLiteral("-0.1"));
    EXPECT_EQ(Locale::GetDoubleString(1.0, 3), QStringLiteral("1.000"));
    EXPECT_EQ(Locale::GetDoubleString(12345.678, 1), QStringLiteral("12,345.7"));
    UseGerman();
    EXPECT_EQ(Locale::GetDoubleString(3.14159, 2), QStringLiteral("3,14"));
    EXPECT_EQ(Locale::GetDoubleString(12345.678, 1), QStringLiteral("12.345,7"));
}

TEST_F(LocaleText, NegativeDecimalsGiveTheShortestExactText)
{
    EXPECT_EQ(Locale::GetDoubleString(0.1, -1), QStringLiteral("0.1"));
    EXPECT_EQ(Locale::GetDoubleString(2.0, -1), QStringLiteral("2"));
    EXPECT_EQ(Locale::GetDoubleString(1234567.25, -1), QStringLiteral("1,234,567.25"));
    EXPECT_EQ(Locale::GetDoubleString(0.000123, -1), QStringLiteral("0.000123"));
}

TEST_F(LocaleText, NullTimesGiveNoText)
{
    EXPECT_TRUE(Locale::GetDateString(Time()).isEmpty());
    EXPECT_TRUE(Locale::GetTimeString(Time()).isEmpty());
    EXPECT_TRUE(Locale::GetDateTimeString(Time(), Locale::WithMilliseconds).isEmpty());
}

TEST_F(LocaleText, DatesShortAndLong)
{
    const Time t(2024, 5, 1, 23, 59, 59);
    EXPECT_EQ(Locale::GetDateString(t), QStringLiteral("5/1/24"));
    EXPECT_EQ(Locale::GetDateString(t, Locale::LongDate), QStringLiteral("Wednesday, May 1, 2024"));
    UseGerman();
    EXPECT_EQ(Locale::GetDateString(t), QStringLiteral("01.05.24"));
}

TEST_F(LocaleText, TimesShowSecondsAndNoZone)
{
    const Time t(2024, 5, 1, 14, 5, 9, 250);
    EXPECT_EQ(Locale::GetTimeString(t), QStringLiteral("2:05:09 PM"));
    EXPECT_EQ(Locale::GetTimeString(t, Locale::WithMilliseconds), QStringLiteral("2:05:09.250 PM"));
    UseGerman();
    EXPECT_EQ(Locale::GetTimeString(t), QStringLiteral("14:05:09"));
    EXPECT_EQ(Locale::GetTimeString(t, Locale::WithMilliseconds), QStringLiteral("14:05:09,250"));
}

TEST_F(LocaleText, TimesCutAndNeverCarryIntoTheNextDay)
{
    const Time last = Time(2024, 12, 31, 23, 59, 59, 999) + TimeSpan::FromMicroseconds(900);
    EXPECT_EQ(Locale::GetTimeString(last), QStringLiteral("11:59:59 PM"));
    EXPECT_EQ(Locale::GetDateTimeString(last, Locale::WithMilliseconds),
              QStringLiteral("12/31/24 11:59:59.999 PM"));
}

TEST_F(LocaleText, DateTimeJoinsDateAndTime)
{
    const Time t(2024, 5, 1, 12, 0, 0, 500);
    EXPECT_EQ(Locale::GetDateTimeString(t), QStringLiteral("5/1/24 12:00:00 PM"));
    EXPECT_EQ(Locale::GetDateTimeString(t, Locale::WithMilliseconds), QStringLiteral("5/1/24 12:00:00.500 PM"));
    UseGerman();
    EXPECT_EQ(Locale::GetDateTimeString(t, Locale::WithMilliseconds | Locale::LongDate),
              QStringLiteral("Mittwoch, 1. Mai 2024 12:00:00,500"));
}
