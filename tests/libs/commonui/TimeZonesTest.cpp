#include "RegistryKey.h"
#include "TestSupport.h"
#include "TimeZones.h"

#include <QDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>

namespace {

// Each test starts from empty settings of its own.
class TimeZonesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegistryKey::SetStorageFile(QDir(MakeTempDir()).filePath(QStringLiteral("settings.ini")));
    }

    static int IndexOf(const char* zone)
    {
        return static_cast<int>(TimeZones::GetAllTimeZones().indexOf(QString::fromLatin1(zone)));
    }
};

TimeSpan Hours(double hours)
{
    return TimeSpan(TimeSpan::Hours, hours);
}

} // namespace

TEST_F(TimeZonesTest, ListIsSortedUniqueAndHoldsCommonZones)
{
    const QStringList& zones = TimeZones::GetAllTimeZones();
    ASSERT_GT(zones.size(), 100);
    EXPECT_TRUE(std::is_sorted(zones.begin(), zones.end()));
    EXPECT_EQ(std::adjacent_find(zones.begin(), zones.end()), zones.end());
    EXPECT_GE(IndexOf("Europe/Berlin"), 0);
    EXPECT_GE(IndexOf("America/New_York"), 0);
    EXPECT_GE(IndexOf("Asia/Kolkata"), 0);
    EXPECT_EQ(&TimeZones::GetAllTimeZones(), &zones);
}

TEST_F(TimeZonesTest, FreshSettingsFollowTheSystem)
{
    const TimeZones zones;
    EXPECT_EQ(zones.GetTZSettings(), TimeZoneSettings(TimeZoneSettings::System, -1));
}

TEST_F(TimeZonesTest, CustomZoneConvertsWithItsDaylightSaving)
{
    TimeZones zones;
    ASSERT_TRUE(zones.SetTZSettings(TimeZoneSettings(TimeZoneSettings::Custom, IndexOf("Europe/Berlin"))));
    EXPECT_EQ(zones.FromUtc(Time(2024, 3, 31, 0, 59, 59)), Time(2024, 3, 31, 1, 59, 59));
    EXPECT_EQ(zones.FromUtc(Time(2024, 3, 31, 1, 0, 0)), Time(2024, 3, 31, 3, 0, 0));
    EXPECT_EQ(zones.GetUtcOffset(Time(2024, 7, 1)), Hours(2));
    EXPECT_EQ(zones.GetUtcOffset(Time(2024, 1, 1)), Hours(1));
    EXPECT_TRUE(zones.FromUtc(Time()).IsNull());

    ASSERT_TRUE(zones.SetTZSettings(TimeZoneSettings(TimeZoneSettings::Custom, IndexOf("America/New_York"))));
    EXPECT_EQ(zones.FromUtc(Time(2024, 11, 3, 6)), Time(2024, 11, 3, 1));
}

TEST_F(TimeZonesTest, UtcLeavesTimesAloneButKeepsTheListedZone)
{
    TimeZones zones;
    const int berlin = IndexOf("Europe/Berlin");
    ASSERT_TRUE(zones.SetTZSettings(TimeZoneSettings(TimeZoneSettings::Utc, berlin)));
    const Time t(2024, 7, 1, 12, 0, 0, 5);
    EXPECT_EQ(zones.FromUtc(t), t);
    EXPECT_EQ(zones.GetUtcOffset(t), TimeSpan());
    EXPECT_EQ(zones.GetTZSettings(), TimeZoneSettings(TimeZoneSettings::Utc, berlin));
}

TEST_F(TimeZonesTest, CustomWithoutAValidZoneFallsBackToUtc)
{
    TimeZones zones;
    const Time t(2024, 7, 1, 12);
    EXPECT_TRUE(zones.SetTZSettings(TimeZoneSettings(TimeZoneSettings::Custom, -1)));
    EXPECT_EQ(zones.FromUtc(t), t);
    EXPECT_EQ(zones.GetTZSettings(), TimeZoneSettings(TimeZoneSettings::Custom, -1));

    // An index past the list is stored as none, so it is no change at all.
    EXPECT_FALSE(zones.SetTZSettings(TimeZoneSettings(TimeZoneSettings::Custom, 1000000)));
    EXPECT_EQ(zones.GetTZSettings(), TimeZoneSettings(TimeZoneSettings::Custom, -1));
    EXPECT_EQ(zones.FromUtc(t), t);
    EXPECT_FALSE(zones.SetTZSettings(TimeZoneSettings(TimeZoneSettings::Custom, -5)));
}

TEST_F(TimeZonesTest, ChoicePersistsForAFreshInstance)
{
    const int kolkata = IndexOf("Asia/Kolkata");
    {
        TimeZones first;
        ASSERT_TRUE(first.SetTZSettings(TimeZoneSettings(TimeZoneSettings::Custom, kolkata)));
    }
    const TimeZones second;
    EXPECT_EQ(second.GetTZSettings(), TimeZoneSettings(TimeZoneSettings::Custom, kolkata));
    EXPECT_EQ(second.FromUtc(Time(2024, 7, 1, 12)), Time(2024, 7, 1, 17, 30));
}

TEST_F(TimeZonesTest, ZoneIsStoredByNameNotByPosition)
{
    {
        TimeZones zones;
        ASSERT_TRUE(zones.SetTZSettings(TimeZoneSettings(TimeZoneSettings::Custom, IndexOf("Europe/Berlin"))));
    }
    RegistryKey key(QStringLiteral("Settings\\TimeZones"));
    EXPECT_EQ(key.ReadString(QStringLiteral("Zone")), QStringLiteral("Europe/Berlin"));
    EXPECT_EQ(key.ReadDword(QStringLiteral("Method"), 99), 2u);
}

TEST_F(TimeZonesTest, DamagedSettingsReadAsSafeChoices)
{
    {
        RegistryKey key(QStringLiteral("Settings\\TimeZones"));
        key.WriteString(QStringLiteral("Zone"), QStringLiteral("Mars/Olympus_Mons"));
        key.WriteDword(QStringLiteral("Method"), 2);
    }
    const TimeZones unknownZone;
    EXPECT_EQ(unknownZone.GetTZSettings(), TimeZoneSettings(TimeZoneSettings::Custom, -1));
    EXPECT_EQ(unknownZone.FromUtc(Time(2024, 7, 1)), Time(2024, 7, 1));

    RegistryKey(QStringLiteral("Settings\\TimeZones")).WriteDword(QStringLiteral("Method"), 7);
    const TimeZones unknownMethod;
    EXPECT_EQ(unknownMethod.GetTZSettings().method, TimeZoneSettings::System);
}

TEST_F(TimeZonesTest, SubscribersHearEachRealChangeOnce)
{
    TimeZones zones;
    int calls = 0;
    TimeZoneSettings seen;
    Time shown;
    {
        const auto connection = zones.Subscribe([&] {
            ++calls;
            seen = zones.GetTZSettings();
            shown = zones.FromUtc(Time(2024, 7, 1, 12));
        });
        // Method and zone change together: one call, and the subscriber
        // already sees the new zone at work.
        const int berlin = IndexOf("Europe/Berlin");
        EXPECT_TRUE(zones.SetTZSettings(TimeZoneSettings(TimeZoneSettings::Custom, berlin)));
        EXPECT_EQ(calls, 1);
        EXPECT_EQ(seen, TimeZoneSettings(TimeZoneSettings::Custom, berlin));
        EXPECT_EQ(shown, Time(2024, 7, 1, 14));

        EXPECT_FALSE(zones.SetTZSettings(TimeZoneSettings(TimeZoneSettings::Custom, berlin)));
        EXPECT_EQ(calls, 1);

        EXPECT_TRUE(zones.SetTZSettings(TimeZoneSettings(TimeZoneSettings::Utc, berlin)));
        EXPECT_EQ(calls, 2);
        EXPECT_EQ(shown, Time(2024, 7, 1, 12));
    }
    EXPECT_TRUE(zones.SetTZSettings(TimeZoneSettings(TimeZoneSettings::System, -1)));
    EXPECT_EQ(calls, 2);
}

TEST_F(TimeZonesTest, SystemMethodUsesTheSystemZone)
{
    const QByteArray savedTz = qgetenv("TZ");
    qputenv("TZ", "America/New_York");
    tzset();
    {
        const TimeZones zones;
        ASSERT_EQ(zones.GetTZSettings().method, TimeZoneSettings::System);
        EXPECT_EQ(zones.FromUtc(Time(2024, 7, 1, 12)), Time(2024, 7, 1, 8));
        EXPECT_EQ(zones.FromUtc(Time(2024, 1, 1, 12)), Time(2024, 1, 1, 7));
    }
    if (savedTz.isNull())
        qunsetenv("TZ");
    else
        qputenv("TZ", savedTz);
    tzset();
}

TEST_F(TimeZonesTest, TheProcessHasOneInstance)
{
    EXPECT_EQ(&TimeZones::GetInstance(), &TimeZones::GetInstance());
}
