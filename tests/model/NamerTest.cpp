#include "OpenTracksTestBench.h"

#include "TimeZones.h"
#include "TrackI.h"
#include "TrackPointStatus.h"

using Tids = std::vector<int>;

namespace {
const Time kStart(2024, 5, 1, 10, 15, 30);

TimePeriod Span(double hours)
{
    return TimePeriod(kStart, kStart + TimeSpan(TimeSpan::Hours, hours));
}

// Names are shown in the user's zone; the tests read them in UTC unless
// they say otherwise.
class UtcZone
{
public:
    UtcZone() { TimeZones::GetInstance().SetTZSettings(TimeZoneSettings(TimeZoneSettings::Utc)); }
    ~UtcZone() { TimeZones::GetInstance().SetTZSettings(TimeZoneSettings(TimeZoneSettings::Utc)); }
};
} // namespace

TEST(NamerNames, ASpanOfTwoHoursGivesTheDateAndStartTime)
{
    UtcZone utc;
    EXPECT_EQ(NamerImpl::MakeName(Span(2)), QStringLiteral("GPS_2024-05-01_10-15-30"));
}

TEST(NamerNames, ASpanOfThirtySixHoursRoundsUpToTwoDays)
{
    UtcZone utc;
    EXPECT_EQ(NamerImpl::MakeName(Span(36)), QStringLiteral("GPS_2024-05-01+2days"));
}

TEST(NamerNames, DaysAreRoundedHalfUpAndOneDayIsSingular)
{
    UtcZone utc;
    EXPECT_EQ(NamerImpl::MakeName(Span(12)), QStringLiteral("GPS_2024-05-01+1day"));
    EXPECT_EQ(NamerImpl::MakeName(Span(24)), QStringLiteral("GPS_2024-05-01+1day"));
    EXPECT_EQ(NamerImpl::MakeName(Span(35.99)), QStringLiteral("GPS_2024-05-01+1day"));
    EXPECT_EQ(NamerImpl::MakeName(Span(12 - 1.0 / 3600)), QStringLiteral("GPS_2024-05-01_10-15-30"));
    EXPECT_EQ(NamerImpl::MakeName(Span(0)), QStringLiteral("GPS_2024-05-01_10-15-30"));
    EXPECT_EQ(NamerImpl::MakeName(Span(24 * 10)), QStringLiteral("GPS_2024-05-01+10days"));
}

TEST(NamerNames, WithoutTimesTheNameIsEmpty)
{
    EXPECT_EQ(NamerImpl::MakeName(TimePeriod()), QStringLiteral("Empty"));
    EXPECT_EQ(NamerImpl::MakeName(TimePeriod(kStart, Time())), QStringLiteral("Empty"));
}

TEST(NamerNames, DateAndTimeAreThoseOfTheUsersZone)
{
    UtcZone restore;
    const QStringList& zones = TimeZones::GetAllTimeZones();
    const int tokyo = static_cast<int>(zones.indexOf(QStringLiteral("Asia/Tokyo")));
    ASSERT_GE(tokyo, 0);
    TimeZones::GetInstance().SetTZSettings(TimeZoneSettings(TimeZoneSettings::Custom, tokyo));
    // 20:00 UTC is 05:00 of the next day in Tokyo (UTC+9, no summer time).
    const Time evening(2024, 5, 1, 20, 0, 0);
    EXPECT_EQ(NamerImpl::MakeName(TimePeriod(evening, evening + TimeSpan(TimeSpan::Hours, 1))),
              QStringLiteral("GPS_2024-05-02_05-00-00"));
}

class NamerTest : public OpenTracksTest
{
protected:
    UtcZone m_utc;
};

TEST_F(NamerTest, NewFoldersWithoutANameAreNamedBeforeTheViewsHearOfThem)
{
    SourceTree source(QStringLiteral("trip"));
    const int unnamed = source.Folder(source.file);
    source.Segment(unnamed, MakePoints(2, kStart, 36 * 3600.0));
    const int named = source.Folder(source.file, QStringLiteral("Kept"));
    source.Segment(named, MakePoints(2, kStart));
    const int timeless = source.Folder(source.file);
    std::vector<TrackPoint> noTimes = MakePoints(3, kStart);
    for (TrackPoint& point : noTimes)
        point.SetTime(Time());
    source.Segment(timeless, noTimes);
    const int file = Open(source);

    const Tids folders = Reader()->GetChildren(file);
    ASSERT_EQ(folders.size(), 3u);
    EXPECT_EQ(Reader()->GetNode(file)->GetName(), QStringLiteral("trip"));
    EXPECT_EQ(Reader()->GetNode(folders[0])->GetName(), QStringLiteral("GPS_2024-05-01+2days"));
    EXPECT_EQ(Reader()->GetNode(folders[1])->GetName(), QStringLiteral("Kept"));
    // Points without time come in filtered, so nothing valid has a time.
    EXPECT_EQ(Reader()->GetNode(folders[2])->GetName(), QStringLiteral("Empty"));
    // Segments keep their (empty) names.
    EXPECT_TRUE(Reader()->GetNode(Segments(folders[0]).at(0))->GetName().isEmpty());

    ASSERT_EQ(namesSeen.size(), 7u);
    EXPECT_EQ(namesSeen[1], QStringLiteral("GPS_2024-05-01+2days"));
}

TEST_F(NamerTest, TheDefaultNameOfPartsSpansThemInTreeOrderOverValidPointsOnly)
{
    SourceTree first;
    first.Segment(first.file, MakePoints(3, kStart));
    SourceTree second;
    second.Segment(second.file, MakePoints(2, kStart + TimeSpan(TimeSpan::Hours, 30), 3600.0));
    const int firstFile = Open(first);
    const int secondFile = Open(second);

    // From 10:15:30 on day one to 17:15:30 on day two: 31 hours.
    EXPECT_EQ(namer.GetDefaultName({secondFile, firstFile}), QStringLiteral("GPS_2024-05-01+1day"));

    const TrackPtr segment = model.GetTrack(Segments(firstFile).at(0));
    segment->GetPointStatus(0)->SetFilterReason(3);
    segment->Refresh(false);
    EXPECT_EQ(namer.GetDefaultName({Segments(firstFile).at(0)}), QStringLiteral("GPS_2024-05-01_10-15-40"));
}
