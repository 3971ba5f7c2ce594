#include "TrackData.h"
#include "TrackDataSet.h"
#include "TrackPoint.h"

#include <gtest/gtest.h>

TEST(TrackPoint, ReceiverValuesReportOnlyWhatWasSet)
{
    TrackPointGpsParams gps;
    EXPECT_TRUE(gps.IsEmpty());
    EXPECT_FALSE(gps.HasHdop());
    EXPECT_EQ(gps.GetHdop(), 0.0);
    EXPECT_FALSE(gps.HasHeartRate());
    EXPECT_EQ(gps.GetHeartRate(), 0);

    gps.SetHdop(1.2);
    gps.SetSatCount(11);
    gps.SetHeartRate(183);
    gps.SetTemperature(-4.5f, TemperatureType::Water);
    gps.SetFixType(PositionFixType::Dgps);
    EXPECT_TRUE(gps.HasHdop());
    EXPECT_NEAR(gps.GetHdop(), 1.2, 1e-6);
    EXPECT_EQ(gps.GetSatCount(), 11);
    EXPECT_EQ(gps.GetHeartRate(), 183);
    EXPECT_EQ(gps.GetTemperature(), -4.5f);
    EXPECT_EQ(gps.GetTemperatureType(), TemperatureType::Water);
    EXPECT_EQ(gps.GetFixType(), PositionFixType::Dgps);
    // Setting one value must not make its neighbours appear.
    EXPECT_FALSE(gps.HasVdop());
    EXPECT_FALSE(gps.HasPdop());
    EXPECT_FALSE(gps.HasCadence());
    EXPECT_FALSE(gps.HasGpsSpeed());
    EXPECT_FALSE(gps.HasGpsAzimuth());
    // A zero that was set is still a value.
    gps.SetCadence(0);
    EXPECT_TRUE(gps.HasCadence());
}

TEST(TrackPoint, StatusReasonsAndModes)
{
    TrackPointStatus status;
    EXPECT_TRUE(status.IsValid());
    status.SetFilterReason(9);
    EXPECT_FALSE(status.IsValid());
    EXPECT_EQ(status.GetFilterReason(), 9);
    status.SetMode(TrackPointStatus::AddedByUser, true);
    status.SetMode(TrackPointStatus::TimeRegenerated, true);
    status.SetMode(TrackPointStatus::AddedByUser, false);
    EXPECT_FALSE(status.IsInMode(TrackPointStatus::AddedByUser));
    EXPECT_TRUE(status.IsInMode(TrackPointStatus::TimeRegenerated));
    status.SetValid();
    EXPECT_TRUE(status.IsValid());
    EXPECT_EQ(status.GetFilterReason(), 0);
    EXPECT_TRUE(status.IsInMode(TrackPointStatus::TimeRegenerated));
}

TEST(TrackPoint, ElevationIsOptionalAndPointsStaySmall)
{
    TrackPoint p;
    EXPECT_FALSE(p.HasElevation());
    EXPECT_TRUE(p.GetTime().IsNull());
    p.SetElevation(-12.5);
    EXPECT_TRUE(p.HasElevation());
    EXPECT_EQ(p.Get3D().z, -12.5);
    p.ClearElevation();
    EXPECT_FALSE(p.HasElevation());

    const TrackPoint q({13.4, 52.5, 34.0}, Time(2024, 5, 1, 12));
    EXPECT_TRUE(q.HasElevation());
    EXPECT_EQ(q.Get2D().x, 13.4);
    EXPECT_EQ(q.GetLat(), 52.5);
    // A million points are read into memory at once.
    EXPECT_LE(sizeof(TrackPoint), 80u);

    // Power is optional too; 0 W is a reading, and it tells points apart.
    TrackPoint r = q;
    EXPECT_FALSE(r.HasPower());
    r.SetPower(0);
    EXPECT_TRUE(r.HasPower());
    EXPECT_FALSE(r == q);
    r.SetPower(1 << 20);
    EXPECT_EQ(r.GetPower(), TrackPoint::MaxPower);
    r.ClearPower();
    EXPECT_TRUE(r == q);
}

TEST(TrackDataSet, HoldsArraysByTid)
{
    TrackDataSetImpl set;
    auto data = std::make_shared<TrackData>();
    data->Append(TrackPoint({1, 2, 3}, Time()));
    data->Append(TrackPoint({4, 5, 6}, Time()));
    data->Insert(1, TrackPoint({7, 8, 9}, Time()));
    set.Add(3, data);
    EXPECT_EQ(set.Get(3)->GetPointCount(), 3);
    EXPECT_EQ(set.GetTrackDataI(3)->GetTrackPoint(1).GetLon(), 7.0);
    EXPECT_EQ(set.Get(4), nullptr);
    EXPECT_EQ(set.GetTrackDataI(4), nullptr);
    EXPECT_EQ(set.GetTotalPointCount(), 3);
    data->Erase(0);
    EXPECT_EQ(set.Get(3)->GetTrackPoint(0).GetLon(), 7.0);
    set.Remove(3);
    EXPECT_TRUE(set.GetAll().empty());
}
