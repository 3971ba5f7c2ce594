#include "OblException.h"
#include "UnitsConv.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

// Expected values come from definitions and published figures, not from the
// conversion code: 1 mi = 5280 ft = 1760 yd and 1 yd = 0.9144 m, so the
// marathon's 26 mi 385 yd is 42,194.988 m; 1 nmi = 1852 m, 1 kn = 1 nmi/h;
// g = 9.80665 m/s² = 32.17405 ft/s²; water boils at 100 °C = 212 °F,
// -40 °C = -40 °F, body heat 37 °C = 98.6 °F.

namespace {

constexpr std::array<MeasuringSystem, 4> kAllSystems = {
    MeasuringSystem::Metric, MeasuringSystem::MetricMs, MeasuringSystem::Imperial,
    MeasuringSystem::Nautical};

} // namespace

TEST(UnitsConvSystems, EachSystemPicksItsUnits)
{
    struct Row {
        MeasuringSystem system;
        DistanceUnits small, large;
        SpeedUnits speed;
        AccelUnits accel;
    };
    const Row rows[] = {
        {MeasuringSystem::Metric, DistanceUnits::Meters, DistanceUnits::Kilometers, SpeedUnits::Kmh, AccelUnits::Ms2},
        {MeasuringSystem::MetricMs, DistanceUnits::Meters, DistanceUnits::Kilometers, SpeedUnits::Ms, AccelUnits::Ms2},
        {MeasuringSystem::Imperial, DistanceUnits::Feet, DistanceUnits::Miles, SpeedUnits::Mph, AccelUnits::Fts2},
        {MeasuringSystem::Nautical, DistanceUnits::Feet, DistanceUnits::NauticalMiles, SpeedUnits::Knots, AccelUnits::Fts2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.system));
        EXPECT_EQ(UnitsConv::GetSmallDistUnits(row.system), row.small);
        EXPECT_EQ(UnitsConv::GetLargeDistUnits(row.system), row.large);
        EXPECT_EQ(UnitsConv::GetSpeedUnits(row.system), row.speed);
        EXPECT_EQ(UnitsConv::GetAccelUnits(row.system), row.accel);
    }
}

TEST(UnitsConvSystems, StoredNumbersAreStable)
{
    // Settings and the options dialog rows hold these numbers.
    EXPECT_EQ(static_cast<int>(SpeedUnits::Kmh), 0);
    EXPECT_EQ(static_cast<int>(SpeedUnits::Ms), 1);
    EXPECT_EQ(static_cast<int>(SpeedUnits::Mph), 2);
    EXPECT_EQ(static_cast<int>(SpeedUnits::Knots), 3);
    EXPECT_EQ(static_cast<int>(TemperatureUnits::Celsius), 0);
    EXPECT_EQ(static_cast<int>(TemperatureUnits::Fahrenheit), 1);
    EXPECT_EQ(static_cast<int>(MeasuringSystem::Nautical), 3);
}

TEST(UnitsConvSystems, UnknownValuesThrow)
{
    EXPECT_THROW(UnitsConv::GetSmallDistUnits(static_cast<MeasuringSystem>(4)), OblException);
    EXPECT_THROW(UnitsConv::GetSpeedUnits(static_cast<MeasuringSystem>(-1)), OblException);
    EXPECT_THROW(UnitsConv::MetersToUnits(1.0, static_cast<DistanceUnits>(9)), OblException);
    EXPECT_THROW(UnitsConv::KmhToUnits(1.0, static_cast<SpeedUnits>(4)), OblException);
    EXPECT_THROW(UnitsConv::UnitsToMs2(1.0, static_cast<AccelUnits>(2)), OblException);
    EXPECT_THROW(UnitsConv::DegreesCToUnits(1.0, static_cast<TemperatureUnits>(2)), OblException);
}

TEST(UnitsConvDistance, KnownLengths)
{
    EXPECT_DOUBLE_EQ(UnitsConv::MetersToUnits(1234.5, DistanceUnits::Meters), 1234.5);
    EXPECT_DOUBLE_EQ(UnitsConv::MetersToUnits(42195.0, DistanceUnits::Kilometers), 42.195);
    EXPECT_DOUBLE_EQ(UnitsConv::MetersToUnits(42194.988, DistanceUnits::Miles), 26.0 + 385.0 / 1760.0);
    EXPECT_NEAR(UnitsConv::UnitsToMeters(26.0 + 385.0 / 1760.0, DistanceUnits::Miles), 42194.988, 1e-9);
    EXPECT_DOUBLE_EQ(UnitsConv::MetersToUnits(1609.344, DistanceUnits::Feet), 5280.0);
    EXPECT_DOUBLE_EQ(UnitsConv::MetersToUnits(1852.0, DistanceUnits::NauticalMiles), 1.0);
    // One nautical mile is 6076.115 ft.
    EXPECT_NEAR(UnitsConv::MetersToUnits(1852.0, DistanceUnits::Feet), 6076.115, 0.001);
    // Everest, 8848.86 m, is published as 29,031.7 ft.
    EXPECT_NEAR(UnitsConv::MetersToUnits(8848.86, DistanceUnits::Feet), 29031.7, 0.05);
    EXPECT_DOUBLE_EQ(UnitsConv::UnitsToMeters(1.0, DistanceUnits::Miles), 1609.344);
    EXPECT_DOUBLE_EQ(UnitsConv::UnitsToMeters(100.0, DistanceUnits::Feet), 30.48);
    EXPECT_DOUBLE_EQ(UnitsConv::UnitsToMeters(-2.5, DistanceUnits::Kilometers), -2500.0);
}

TEST(UnitsConvSpeed, KnownSpeeds)
{
    EXPECT_DOUBLE_EQ(UnitsConv::KmhToUnits(36.0, SpeedUnits::Ms), 10.0);
    EXPECT_DOUBLE_EQ(UnitsConv::KmhToUnits(1.852, SpeedUnits::Knots), 1.0);
    // 100 km/h is 62.137 mph; 60 mph is 96.561 km/h.
    EXPECT_NEAR(UnitsConv::KmhToUnits(100.0, SpeedUnits::Mph), 62.1371, 0.0001);
    EXPECT_NEAR(UnitsConv::UnitsToKmh(60.0, SpeedUnits::Mph), 96.5606, 0.0001);
    EXPECT_DOUBLE_EQ(UnitsConv::UnitsToKmh(20.0, SpeedUnits::Knots), 37.04);
    EXPECT_DOUBLE_EQ(UnitsConv::UnitsToKmh(5.0, SpeedUnits::Ms), 18.0);
    EXPECT_DOUBLE_EQ(UnitsConv::UnitsToKmh(88.0, SpeedUnits::Kmh), 88.0);
}

TEST(UnitsConvAccel, StandardGravity)
{
    EXPECT_NEAR(UnitsConv::Ms2ToUnits(9.80665, AccelUnits::Fts2), 32.17405, 0.00001);
    EXPECT_DOUBLE_EQ(UnitsConv::UnitsToMs2(10.0, AccelUnits::Fts2), 3.048);
    EXPECT_DOUBLE_EQ(UnitsConv::UnitsToMs2(-1.5, AccelUnits::Ms2), -1.5);
}

TEST(UnitsConvTemperature, FixedPoints)
{
    EXPECT_DOUBLE_EQ(UnitsConv::DegreesCToUnits(100.0, TemperatureUnits::Fahrenheit), 212.0);
    EXPECT_DOUBLE_EQ(UnitsConv::DegreesCToUnits(0.0, TemperatureUnits::Fahrenheit), 32.0);
    EXPECT_DOUBLE_EQ(UnitsConv::DegreesCToUnits(-40.0, TemperatureUnits::Fahrenheit), -40.0);
    EXPECT_NEAR(UnitsConv::DegreesCToUnits(37.0, TemperatureUnits::Fahrenheit), 98.6, 1e-12);
    EXPECT_DOUBLE_EQ(UnitsConv::DegreesCToUnits(21.5, TemperatureUnits::Celsius), 21.5);
    EXPECT_DOUBLE_EQ(UnitsConv::UnitsToDegreesC(212.0, TemperatureUnits::Fahrenheit), 100.0);
    EXPECT_DOUBLE_EQ(UnitsConv::UnitsToDegreesC(-40.0, TemperatureUnits::Fahrenheit), -40.0);
    EXPECT_DOUBLE_EQ(UnitsConv::UnitsToDegreesC(-3.0, TemperatureUnits::Celsius), -3.0);
}

TEST(UnitsConvRoundTrip, EverySystemComesBackToInternalUnits)
{
    const double values[] = {0.0, 0.001, 1.0, 123.456, 98765.4321, -17.25};
    for (const MeasuringSystem system : kAllSystems) {
        SCOPED_TRACE(static_cast<int>(system));
        const DistanceUnits small = UnitsConv::GetSmallDistUnits(system);
        const DistanceUnits large = UnitsConv::GetLargeDistUnits(system);
        const SpeedUnits speed = UnitsConv::GetSpeedUnits(system);
        const AccelUnits accel = UnitsConv::GetAccelUnits(system);
        for (const double v : values) {
            const double tolerance = 1e-12 * (1.0 + std::abs(v));
            EXPECT_NEAR(UnitsConv::UnitsToMeters(UnitsConv::MetersToUnits(v, small), small), v, tolerance);
            EXPECT_NEAR(UnitsConv::UnitsToMeters(UnitsConv::MetersToUnits(v, large), large), v, tolerance);
            EXPECT_NEAR(UnitsConv::UnitsToKmh(UnitsConv::KmhToUnits(v, speed), speed), v, tolerance);
            EXPECT_NEAR(UnitsConv::UnitsToMs2(UnitsConv::Ms2ToUnits(v, accel), accel), v, tolerance);
        }
    }
    for (const TemperatureUnits t : {TemperatureUnits::Celsius, TemperatureUnits::Fahrenheit})
        for (const double v : values)
            EXPECT_NEAR(UnitsConv::UnitsToDegreesC(UnitsConv::DegreesCToUnits(v, t), t), v, 1e-9);
}

TEST(UnitsConvKinds, EachKindConvertsWithTheUnitOfItsSystem)
{
    // 1609.344 m is a mile, 1852 m a nautical mile; 36 km/h is 10 m/s;
    // 0.3048 m/s² is a foot per s²; 100 °C is 212 °F.
    EXPECT_DOUBLE_EQ(UnitsConv::ToUnits(UnitKind::LargeDistance, 1609.344, MeasuringSystem::Imperial,
                                        TemperatureUnits::Celsius),
                     1.0);
    EXPECT_DOUBLE_EQ(UnitsConv::ToUnits(UnitKind::LargeDistance, 1852.0, MeasuringSystem::Nautical,
                                        TemperatureUnits::Celsius),
                     1.0);
    EXPECT_DOUBLE_EQ(UnitsConv::ToUnits(UnitKind::SmallDistance, 0.3048, MeasuringSystem::Nautical,
                                        TemperatureUnits::Celsius),
                     1.0);
    EXPECT_DOUBLE_EQ(UnitsConv::ToUnits(UnitKind::Speed, 36.0, MeasuringSystem::MetricMs, TemperatureUnits::Celsius),
                     10.0);
    EXPECT_DOUBLE_EQ(UnitsConv::ToUnits(UnitKind::Accel, 0.3048, MeasuringSystem::Imperial, TemperatureUnits::Celsius),
                     1.0);
    EXPECT_DOUBLE_EQ(UnitsConv::ToUnits(UnitKind::Temperature, 100.0, MeasuringSystem::Metric,
                                        TemperatureUnits::Fahrenheit),
                     212.0);
    // Kinds with one unit, and temperatures under any measuring system.
    for (const MeasuringSystem system : kAllSystems) {
        for (const UnitKind kind : {UnitKind::None, UnitKind::HeartRate, UnitKind::Cadence}) {
            EXPECT_EQ(UnitsConv::ToUnits(kind, 140.0, system, TemperatureUnits::Fahrenheit), 140.0);
            EXPECT_EQ(UnitsConv::FromUnits(kind, 140.0, system, TemperatureUnits::Fahrenheit), 140.0);
        }
        EXPECT_EQ(UnitsConv::ToUnits(UnitKind::Temperature, 21.5, system, TemperatureUnits::Celsius), 21.5);
    }
    EXPECT_DOUBLE_EQ(UnitsConv::FromUnits(UnitKind::Speed, 10.0, MeasuringSystem::MetricMs, TemperatureUnits::Celsius),
                     36.0);
    EXPECT_DOUBLE_EQ(UnitsConv::FromUnits(UnitKind::SmallDistance, 1.0, MeasuringSystem::Imperial,
                                          TemperatureUnits::Celsius),
                     0.3048);
    EXPECT_THROW(UnitsConv::ToUnits(static_cast<UnitKind>(42), 1.0, MeasuringSystem::Metric, TemperatureUnits::Celsius),
                 OblException);
}

TEST(UnitsConvKinds, OnlyLengthsSpeedsAndAccelerationsFollowTheSystem)
{
    EXPECT_TRUE(UnitsConv::DependsOnSystem(UnitKind::SmallDistance));
    EXPECT_TRUE(UnitsConv::DependsOnSystem(UnitKind::LargeDistance));
    EXPECT_TRUE(UnitsConv::DependsOnSystem(UnitKind::Speed));
    EXPECT_TRUE(UnitsConv::DependsOnSystem(UnitKind::Accel));
    EXPECT_FALSE(UnitsConv::DependsOnSystem(UnitKind::None));
    EXPECT_FALSE(UnitsConv::DependsOnSystem(UnitKind::Temperature));
    EXPECT_FALSE(UnitsConv::DependsOnSystem(UnitKind::HeartRate));
    EXPECT_FALSE(UnitsConv::DependsOnSystem(UnitKind::Cadence));
}
