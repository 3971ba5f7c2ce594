#include "OblException.h"
#include "UnitsDisp.h"
#include "UnitsTestBase.h"

// Expected texts are worked out by hand from definitions: 36 km/h = 10 m/s,
// 100 km/h = 62.137 mph, 37.04 km/h = 20 kn, 8848.86 m = 29,031.7 ft,
// g = 9.80665 m/s² = 32.174 ft/s², 37 °C = 98.6 °F, 1000 ft = 0.1894 mi.

namespace {

class UnitsDispTest : public UnitsTestBase
{
};

} // namespace

TEST_F(UnitsDispTest, NotationsOfEveryUnit)
{
    EXPECT_EQ(UnitsDisp::GetUnitNotation(DistanceUnits::Meters), "m");
    EXPECT_EQ(UnitsDisp::GetUnitNotation(DistanceUnits::Kilometers), "km");
    EXPECT_EQ(UnitsDisp::GetUnitNotation(DistanceUnits::Feet), "ft");
    EXPECT_EQ(UnitsDisp::GetUnitNotation(DistanceUnits::Miles), "mi");
    EXPECT_EQ(UnitsDisp::GetUnitNotation(DistanceUnits::NauticalMiles), "nmi");
    EXPECT_EQ(UnitsDisp::GetUnitNotation(SpeedUnits::Kmh), "km/h");
    EXPECT_EQ(UnitsDisp::GetUnitNotation(SpeedUnits::Ms), "m/s");
    EXPECT_EQ(UnitsDisp::GetUnitNotation(SpeedUnits::Mph), "mph");
    EXPECT_EQ(UnitsDisp::GetUnitNotation(SpeedUnits::Knots), "kn");
    EXPECT_EQ(UnitsDisp::GetUnitNotation(AccelUnits::Ms2), QStringLiteral("m/s²"));
    EXPECT_EQ(UnitsDisp::GetUnitNotation(AccelUnits::Fts2), QStringLiteral("ft/s²"));
    EXPECT_EQ(UnitsDisp::GetUnitNotation(TemperatureUnits::Celsius), QStringLiteral("°C"));
    EXPECT_EQ(UnitsDisp::GetUnitNotation(TemperatureUnits::Fahrenheit), QStringLiteral("°F"));
    EXPECT_EQ(UnitsDisp::GetCadenceNotation(), "rpm");
    EXPECT_EQ(UnitsDisp::GetCadenceNotation(CadenceType::Steps), "spm");
    EXPECT_EQ(UnitsDisp::GetHeartRateNotation(), "bpm");
    EXPECT_THROW(UnitsDisp::GetUnitNotation(static_cast<SpeedUnits>(7)), OblException);
}

TEST_F(UnitsDispTest, NotationOfAKindFollowsTheSystemAndTheTemperatureUnit)
{
    EXPECT_EQ(UnitsDisp::GetUnitNotation(UnitKind::SmallDistance, MeasuringSystem::Metric, TemperatureUnits::Celsius),
              "m");
    EXPECT_EQ(UnitsDisp::GetUnitNotation(UnitKind::SmallDistance, MeasuringSystem::Nautical, TemperatureUnits::Celsius),
              "ft");
    EXPECT_EQ(UnitsDisp::GetUnitNotation(UnitKind::LargeDistance, MeasuringSystem::Nautical, TemperatureUnits::Celsius),
              "nmi");
    EXPECT_EQ(UnitsDisp::GetUnitNotation(UnitKind::Speed, MeasuringSystem::MetricMs, TemperatureUnits::Celsius), "m/s");
    EXPECT_EQ(UnitsDisp::GetUnitNotation(UnitKind::Accel, MeasuringSystem::Imperial, TemperatureUnits::Celsius),
              QStringLiteral("ft/s²"));
    EXPECT_EQ(UnitsDisp::GetUnitNotation(UnitKind::Temperature, MeasuringSystem::Metric, TemperatureUnits::Fahrenheit),
              QStringLiteral("°F"));
    EXPECT_EQ(UnitsDisp::GetUnitNotation(UnitKind::HeartRate, MeasuringSystem::Imperial, TemperatureUnits::Celsius),
              "bpm");
    EXPECT_EQ(UnitsDisp::GetUnitNotation(UnitKind::Cadence, MeasuringSystem::Imperial, TemperatureUnits::Celsius),
              "rpm");
    EXPECT_TRUE(
        UnitsDisp::GetUnitNotation(UnitKind::None, MeasuringSystem::Metric, TemperatureUnits::Celsius).isEmpty());
    // Without a system: the user's.
    Use(MeasuringSystem::Imperial);
    EXPECT_EQ(UnitsDisp::GetUnitNotation(UnitKind::Speed), "mph");
    EXPECT_THROW(UnitsDisp::GetUnitNotation(static_cast<UnitKind>(42), MeasuringSystem::Metric, TemperatureUnits::Celsius),
                 OblException);
}

TEST_F(UnitsDispTest, MeasuringSystemNamesNameTheirUnits)
{
    // The options list must let the user tell the four apart.
    const QString names[] = {UnitsDisp::GetUnitNotation(MeasuringSystem::Metric),
                             UnitsDisp::GetUnitNotation(MeasuringSystem::MetricMs),
                             UnitsDisp::GetUnitNotation(MeasuringSystem::Imperial),
                             UnitsDisp::GetUnitNotation(MeasuringSystem::Nautical)};
    EXPECT_TRUE(names[0].contains("km/h"));
    EXPECT_TRUE(names[1].contains("m/s"));
    EXPECT_TRUE(names[2].contains("mph"));
    EXPECT_TRUE(names[3].contains("knots"));
    for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 4; ++j)
            EXPECT_NE(names[i], names[j]);
    EXPECT_THROW(UnitsDisp::GetUnitNotation(static_cast<MeasuringSystem>(4)), OblException);
}

TEST_F(UnitsDispTest, SpeedFollowsTheMeasuringSystem)
{
    Use(MeasuringSystem::Metric);
    EXPECT_EQ(UnitsDisp::GetSpeedString(36.0), "36.0 km/h");
    EXPECT_EQ(UnitsDisp::GetSpeedString(36.0, 0), "36 km/h");
    Use(MeasuringSystem::MetricMs);
    EXPECT_EQ(UnitsDisp::GetSpeedString(36.0), "10.0 m/s");
    Use(MeasuringSystem::Imperial);
    EXPECT_EQ(UnitsDisp::GetSpeedString(100.0), "62.1 mph");
    EXPECT_EQ(UnitsDisp::GetSpeedString(100.0, 3), "62.137 mph");
    Use(MeasuringSystem::Nautical);
    EXPECT_EQ(UnitsDisp::GetSpeedString(37.04), "20.0 kn");
}

TEST_F(UnitsDispTest, AltitudeInTheSmallUnitWithGrouping)
{
    Use(MeasuringSystem::Metric);
    EXPECT_EQ(UnitsDisp::GetAltitudeString(8848.86), "8,849 m");
    EXPECT_EQ(UnitsDisp::GetAltitudeString(-12.4), "-12 m");
    Use(MeasuringSystem::Imperial);
    EXPECT_EQ(UnitsDisp::GetAltitudeString(8848.86), "29,032 ft");
    EXPECT_EQ(UnitsDisp::GetAltitudeString(8848.86, 1), "29,031.7 ft");
    Use(MeasuringSystem::Nautical);
    EXPECT_EQ(UnitsDisp::GetAltitudeString(30.48), "100 ft");
}

TEST_F(UnitsDispTest, AccelerationInMetresOrFeet)
{
    Use(MeasuringSystem::MetricMs);
    EXPECT_EQ(UnitsDisp::GetAccelString(9.80665), QStringLiteral("9.81 m/s²"));
    Use(MeasuringSystem::Imperial);
    EXPECT_EQ(UnitsDisp::GetAccelString(9.80665), QStringLiteral("32.17 ft/s²"));
    EXPECT_EQ(UnitsDisp::GetAccelString(-3.048, 1), QStringLiteral("-10.0 ft/s²"));
}

TEST_F(UnitsDispTest, TemperatureFollowsItsOwnOption)
{
    // The temperature unit is chosen apart from the measuring system.
    Use(MeasuringSystem::Imperial);
    Use(TemperatureUnits::Celsius);
    EXPECT_EQ(UnitsDisp::GetTemperatureString(37.0), QStringLiteral("37.0 °C"));
    Use(TemperatureUnits::Fahrenheit);
    EXPECT_EQ(UnitsDisp::GetTemperatureString(37.0), QStringLiteral("98.6 °F"));
    EXPECT_EQ(UnitsDisp::GetTemperatureString(-40.0, 0), QStringLiteral("-40 °F"));
}

TEST_F(UnitsDispTest, RoundedZeroHasNoMinusSign)
{
    Use(MeasuringSystem::Metric);
    Use(TemperatureUnits::Celsius);
    EXPECT_EQ(UnitsDisp::GetTemperatureString(-0.04), QStringLiteral("0.0 °C"));
    EXPECT_EQ(UnitsDisp::GetSpeedString(-0.3, 0), "0 km/h");
    EXPECT_EQ(UnitsDisp::GetTemperatureString(-0.06), QStringLiteral("-0.1 °C"));
}

TEST_F(UnitsDispTest, CadenceAndHeartRateAreWholeNumbers)
{
    EXPECT_EQ(UnitsDisp::GetCadenceString(85, CadenceType::Revolutions), "85 rpm");
    EXPECT_EQ(UnitsDisp::GetCadenceString(172, CadenceType::Steps), "172 spm");
    EXPECT_EQ(UnitsDisp::GetHeartRateString(142), "142 bpm");
}

TEST_F(UnitsDispTest, SmartDistanceMetricSwitchesAtAThousandMetres)
{
    Use(MeasuringSystem::Metric);
    EXPECT_EQ(UnitsDisp::GetSmartDistanceString(0.0), "0 m");
    EXPECT_EQ(UnitsDisp::GetSmartDistanceString(999.4), "999 m");
    // Would round to "1000 m": shown in kilometres instead.
    EXPECT_EQ(UnitsDisp::GetSmartDistanceString(999.6), "1.00 km");
    EXPECT_EQ(UnitsDisp::GetSmartDistanceString(1500.0), "1.50 km");
    EXPECT_EQ(UnitsDisp::GetSmartDistanceString(12340.0), "12.3 km");
    EXPECT_EQ(UnitsDisp::GetSmartDistanceString(123456.0), "123 km");
    EXPECT_EQ(UnitsDisp::GetSmartDistanceString(1234567.0), "1,235 km");
    Use(MeasuringSystem::MetricMs);
    EXPECT_EQ(UnitsDisp::GetSmartDistanceString(42195.0), "42.2 km");
}

TEST_F(UnitsDispTest, SmartDistanceDecimalsDoNotShowACarriedDigitTooMany)
{
    Use(MeasuringSystem::Metric);
    // 9.996 km reads 10.00 with two decimals; ten and more get one.
    EXPECT_EQ(UnitsDisp::GetSmartDistanceString(9996.0), "10.0 km");
    EXPECT_EQ(UnitsDisp::GetSmartDistanceString(99960.0), "100 km");
    EXPECT_EQ(UnitsDisp::GetSmartDistanceString(9994.0), "9.99 km");
}

TEST_F(UnitsDispTest, SmartDistanceImperialAndNautical)
{
    Use(MeasuringSystem::Imperial);
    EXPECT_EQ(UnitsDisp::GetSmartDistanceString(304.0), "997 ft");
    EXPECT_EQ(UnitsDisp::GetSmartDistanceString(304.8), "0.19 mi");
    EXPECT_EQ(UnitsDisp::GetSmartDistanceString(1609.344), "1.00 mi");
    EXPECT_EQ(UnitsDisp::GetSmartDistanceString(42195.0), "26.2 mi");
    Use(MeasuringSystem::Nautical);
    EXPECT_EQ(UnitsDisp::GetSmartDistanceString(300.0), "984 ft");
    EXPECT_EQ(UnitsDisp::GetSmartDistanceString(1852.0 * 2.5), "2.50 nmi");
}

TEST_F(UnitsDispTest, NegativeDistanceChoosesTheUnitBySize)
{
    Use(MeasuringSystem::Metric);
    EXPECT_EQ(UnitsDisp::GetSmartDistanceString(-250.0), "-250 m");
    EXPECT_EQ(UnitsDisp::GetSmartDistanceString(-2500.0), "-2.50 km");
}

TEST_F(UnitsDispTest, NumbersFollowTheUserLocale)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Use(MeasuringSystem::Metric);
    EXPECT_EQ(UnitsDisp::GetSpeedString(36.0), "36,0 km/h");
    EXPECT_EQ(UnitsDisp::GetAltitudeString(1234.0), "1.234 m");
    EXPECT_EQ(UnitsDisp::GetSmartDistanceString(1500.0), "1,50 km");
}
