#include "OptUnits.h"
#include "TrackPointRep.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {

class TrackPointRepTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        OptUnits::GetInstance().GetMeasuringSystemI().Set(static_cast<int>(MeasuringSystem::Metric));
        OptUnits::GetInstance().GetTemperatureUnitsI().Set(static_cast<int>(TemperatureUnits::Celsius));
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    static TrackPointEx Sample()
    {
        TrackPoint point({-77.031959, 38.89037, 1609.344}, Time(2024, 5, 1, 12));
        TrackPointGpsParams& gps = point.GetGpsParams();
        gps.SetGpsSpeed(36.0);
        gps.SetTemperature(20.0f);
        gps.SetHdop(1.25);
        gps.SetSatCount(9);
        gps.SetFixType(PositionFixType::Fix3D);
        gps.SetGpsAzimuth(359.96);
        CalcTrackParams calc;
        calc.Dist = 1000.0;
        calc.Speed = 18.0f;
        calc.AccelTang = -0.3048f;
        calc.AccelNorm = 2.5f;
        calc.Heading = 90.0f;
        calc.DistFromStart = 1852.0;
        return TrackPointEx(point, calc);
    }
};

} // namespace

TEST_F(TrackPointRepTest, MetricTexts)
{
    const TrackPointEx point = Sample();
    const TrackPointRep rep(point);
    EXPECT_EQ(rep.GetLegLengthLoc(1), QStringLiteral("1,000.0"));
    EXPECT_EQ(rep.GetCalcSpeedLoc(1), QStringLiteral("18.0"));
    EXPECT_EQ(rep.GetGpsSpeedLoc(1), QStringLiteral("36.0"));
    EXPECT_EQ(rep.GetElevationLoc(0), QStringLiteral("1,609"));
    EXPECT_EQ(rep.GetDistFromStart(2), QStringLiteral("1.85"));
    EXPECT_EQ(rep.GetAccelTLoc(2), QStringLiteral("-0.30"));
    EXPECT_EQ(rep.GetAccelNLoc(2), QStringLiteral("2.50"));
    EXPECT_EQ(rep.GetTemperatureLoc(1), QStringLiteral("20.0"));
    EXPECT_EQ(rep.GetHdopLoc(1), QStringLiteral("1.3"));
    EXPECT_EQ(rep.GetSatCountLoc(), QStringLiteral("9"));
    EXPECT_EQ(rep.GetPosQualityLoc(), QStringLiteral("3D"));
    EXPECT_EQ(rep.GetCalcHeadingLoc(0), QStringLiteral("90°"));
}

TEST_F(TrackPointRepTest, OtherMeasuringSystemsConvert)
{
    const TrackPointEx point = Sample();
    const TrackPointRep rep(point);
    OptUnits::GetInstance().GetMeasuringSystemI().Set(static_cast<int>(MeasuringSystem::Imperial));
    EXPECT_EQ(rep.GetElevationLoc(0), QStringLiteral("5,280")); // one mile up, in feet
    EXPECT_EQ(rep.GetGpsSpeedLoc(2), QStringLiteral("22.37"));  // 36 km/h in mph
    EXPECT_EQ(rep.GetAccelTLoc(1), QStringLiteral("-1.0"));     // one foot per s²
    OptUnits::GetInstance().GetMeasuringSystemI().Set(static_cast<int>(MeasuringSystem::Nautical));
    EXPECT_EQ(rep.GetDistFromStart(2), QStringLiteral("1.00"));
    EXPECT_EQ(rep.GetCalcSpeedLoc(2), QStringLiteral("9.72")); // 18 km/h in knots
    OptUnits::GetInstance().GetMeasuringSystemI().Set(static_cast<int>(MeasuringSystem::MetricMs));
    EXPECT_EQ(rep.GetGpsSpeedLoc(1), QStringLiteral("10.0"));
    OptUnits::GetInstance().GetTemperatureUnitsI().Set(static_cast<int>(TemperatureUnits::Fahrenheit));
    EXPECT_EQ(rep.GetTemperatureLoc(0), QStringLiteral("68"));
}

TEST_F(TrackPointRepTest, MissingValuesGiveEmptyTexts)
{
    TrackPoint bare({10, 50, 0}, Time());
    bare.ClearElevation();
    const TrackPointEx point(bare);
    const TrackPointRep rep(point);
    EXPECT_TRUE(rep.GetElevationLoc(0).isEmpty());
    EXPECT_TRUE(rep.GetGpsSpeedLoc(1).isEmpty());
    EXPECT_TRUE(rep.GetGpsHeadingLoc(0).isEmpty());
    EXPECT_TRUE(rep.GetHdopLoc(1).isEmpty());
    EXPECT_TRUE(rep.GetVdopLoc(1).isEmpty());
    EXPECT_TRUE(rep.GetPdopLoc(1).isEmpty());
    EXPECT_TRUE(rep.GetSatCountLoc().isEmpty());
    EXPECT_TRUE(rep.GetPosQualityLoc().isEmpty());
    EXPECT_TRUE(rep.GetHeartRateLoc().isEmpty());
    EXPECT_TRUE(rep.GetCadenceLoc().isEmpty());
    EXPECT_TRUE(rep.GetTemperatureLoc(1).isEmpty());
    // Derived values always exist: zero for a lone point.
    EXPECT_EQ(rep.GetCalcSpeedLoc(1), QStringLiteral("0.0"));
}
