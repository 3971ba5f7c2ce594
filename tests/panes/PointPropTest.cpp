#include "PointPropCtrl.h"
#include "PointPropDlg.h"
#include "StringIds.h"
#include "AppTracksFixture.h"
#include "TimeZones.h"
#include "Translator.h"
#include "Locale.h"
#include "TrackPointEx.h"
#include "UnitsDisp.h"

namespace {

constexpr int Number = IDS_PTPROP_NUMBER;
constexpr int DateTime = IDS_PTPROP_DATE_TIME;
constexpr int Speed = IDS_PTPROP_SPEED;
constexpr int GpsSpeed = IDS_PTPROP_GPS_SPEED;
constexpr int Status = IDS_PTPROP_STATUS;
constexpr int HeartRate = IDS_PTPROP_HEART_RATE;

class PointPropTest : public AppTracksFixture
{
protected:
    void SetUp() override
    {
        AppTracksFixture::SetUp();
        // 100 m a minute apart; the third has a receiver speed and a pulse,
        // the last was added by the user.
        std::vector<TrackPoint> points;
        for (int i = 0; i < 4; ++i)
            points.push_back(At(100.0 * i, Time(2024, 5, 1, 10, i)));
        points[2].GetGpsParams().SetGpsSpeed(7.2);
        points[2].GetGpsParams().SetHeartRate(131);
        points[3].GetStatus().SetMode(TrackPointStatus::AddedByUser, true);
        m_file = AddFile({points});
        m_segment = Segments(m_file).front();
    }

    QString Row(int id) { return m_dlg.GetSheet().GetItemText(id); }

    int m_file = -1;
    int m_segment = -1;
    PointPropDlg m_dlg;
};

} // namespace

TEST_F(PointPropTest, FollowsTheCurrentPointAndShowsItsFields)
{
    Holder().SetCurrentPoint(m_segment, 2);
    EXPECT_EQ(Row(Number), QStringLiteral("3"));
    EXPECT_EQ(Row(Status), Translator::GetInstance().LoadStr(IDS_POINT_STATUS_OK));
    EXPECT_EQ(Row(GpsSpeed), UnitsDisp::GetSpeedString(7.2));
    EXPECT_EQ(Row(HeartRate), UnitsDisp::GetHeartRateString(131));
    // 100 m in a minute.
    EXPECT_EQ(Row(Speed), UnitsDisp::GetSpeedString(6.0));
    EXPECT_FALSE(Row(DateTime).isEmpty());

    // Without receiver values the rows are empty.
    Holder().SetCurrentPoint(m_segment, 1);
    EXPECT_EQ(Row(Number), QStringLiteral("2"));
    EXPECT_TRUE(Row(GpsSpeed).isEmpty());
    EXPECT_TRUE(Row(HeartRate).isEmpty());

    // No current point: the rows stay.
    Holder().SetCurrentPoint(-1, -1);
    EXPECT_EQ(Row(Number), QStringLiteral("2"));
}

TEST_F(PointPropTest, AUserPointReadsAddedByUserUntilItIsFiltered)
{
    Holder().SetCurrentPoint(m_segment, 3);
    EXPECT_EQ(Row(Status), Translator::GetInstance().LoadStr(IDS_POINT_ADDED_BY_USER));
    Model().GetTrack(m_segment)->GetPointStatus(3)->SetFilterReason(12);
    Model().GetTrack(m_segment)->Refresh(false);
    GEventManagerImpl::GetInstance().Notify(GEventKind::PointsChanged);
    EXPECT_EQ(Row(Status), QStringLiteral("Removed by user"));
}

TEST(PointPropCtrl, FractionsOfASecondShowOnlyWhenThereAreSome)
{
    TrackPointEx half(TrackPoint({0, 0, 0}, Time(2024, 5, 1, 12) + TimeSpan::FromMicroseconds(500000)));
    TrackPointEx almost(TrackPoint({0, 0, 0}, Time(2024, 5, 1, 12) + TimeSpan::FromMicroseconds(995000)));
    const Time localHalf = TimeZones::GetInstance().FromUtc(half.GetTime());
    const Time localAlmost = TimeZones::GetInstance().FromUtc(almost.GetTime());
    EXPECT_EQ(PointPropCtrl::DateTimeText(half), Locale::GetDateTimeString(localHalf, 2));
    EXPECT_EQ(PointPropCtrl::DateTimeText(almost), Locale::GetDateTimeString(localAlmost, 0));
    EXPECT_NE(Locale::GetDateTimeString(localHalf, 2), Locale::GetDateTimeString(localHalf, 0));
    EXPECT_TRUE(PointPropCtrl::DateTimeText(TrackPointEx(TrackPoint({0, 0, 0}, Time()))).isEmpty());
}
