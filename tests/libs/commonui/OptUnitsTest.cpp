#include "OptUnits.h"
#include "RegistryKey.h"
#include "TestSupport.h"
#include "UnitsTestBase.h"

#include <QDir>

namespace {

class OptUnitsTest : public UnitsTestBase
{
protected:
    // Later keys (and fresh OptUnits) read and write an empty settings file,
    // until the next test's SetUp.
    static void UseEmptySettings()
    {
        RegistryKey::SetStorageFile(QDir(MakeTempDir()).filePath(QStringLiteral("empty.ini")));
    }
};

} // namespace

TEST_F(OptUnitsTest, SetValuesPersistForANewReadOfTheSettings)
{
    OptUnits& options = OptUnits::GetInstance();
    // Only a change is written, so pass through another value first: the
    // wanted value may be the current one (a default, never stored).
    const auto setChanged = [](OblOptionTI<int>& option, int other, int wanted) {
        option.Set(other);
        option.Set(wanted);
    };
    setChanged(options.GetMeasuringSystemI(), 0, static_cast<int>(MeasuringSystem::Nautical));
    setChanged(options.GetTemperatureUnitsI(), 0, static_cast<int>(TemperatureUnits::Fahrenheit));
    setChanged(options.GetCoordFormatI(), 0, static_cast<int>(CoordFormat::Utm));
    setChanged(options.GetCoordSignFormatI(), 1, static_cast<int>(CoordSignFormat::PlusMinus));

    const RegistryKey key(QStringLiteral("Settings\\Units"));
    EXPECT_EQ(key.ReadDword(QStringLiteral("MeasuringSystem"), 99), 3u);
    EXPECT_EQ(key.ReadDword(QStringLiteral("TemperatureUnits"), 99), 1u);
    EXPECT_EQ(key.ReadDword(QStringLiteral("CoordFormat"), 99), 3u);
    EXPECT_EQ(key.ReadDword(QStringLiteral("CoordSignFormat"), 99), 0u);

    const OptUnits later;
    EXPECT_EQ(later.GetMeasuringSystem(), MeasuringSystem::Nautical);
    EXPECT_EQ(later.GetTemperatureUnits(), TemperatureUnits::Fahrenheit);
    EXPECT_EQ(later.GetCoordFormat(), CoordFormat::Utm);
    EXPECT_EQ(later.GetCoordSignFormat(), CoordSignFormat::PlusMinus);
}

TEST_F(OptUnitsTest, ValueAndInterfaceAreTheSameOption)
{
    OptUnits& options = OptUnits::GetInstance();
    options.GetMeasuringSystemI().Set(static_cast<int>(MeasuringSystem::MetricMs));
    options.GetCoordFormatI().Set(static_cast<int>(CoordFormat::DegreesMinutesSeconds));
    EXPECT_EQ(options.GetMeasuringSystem(), MeasuringSystem::MetricMs);
    EXPECT_EQ(options.GetCoordFormat(), CoordFormat::DegreesMinutesSeconds);
    options.GetMeasuringSystemI().Set(static_cast<int>(MeasuringSystem::Imperial));
    EXPECT_EQ(options.GetMeasuringSystem(), MeasuringSystem::Imperial);
    EXPECT_EQ(options.GetMeasuringSystemI().Get(), 2);
}

TEST_F(OptUnitsTest, SubscribersHearEachRealChangeOnce)
{
    OptUnits& options = OptUnits::GetInstance();
    options.GetMeasuringSystemI().Set(static_cast<int>(MeasuringSystem::Metric));
    options.GetTemperatureUnitsI().Set(static_cast<int>(TemperatureUnits::Celsius));
    int calls = 0;
    {
        const auto connection = options.Subscribe([&calls] { ++calls; });
        options.GetMeasuringSystemI().Set(static_cast<int>(MeasuringSystem::Metric));
        EXPECT_EQ(calls, 0) << "setting the same value is no change";
        options.GetMeasuringSystemI().Set(static_cast<int>(MeasuringSystem::Imperial));
        EXPECT_EQ(calls, 1);
        options.GetMeasuringSystemI().Set(static_cast<int>(MeasuringSystem::Imperial));
        EXPECT_EQ(calls, 1);
        options.GetTemperatureUnitsI().Set(static_cast<int>(TemperatureUnits::Fahrenheit));
        options.GetCoordFormatI().Set(options.GetCoordFormatI().Get() == 1 ? 2 : 1);
        options.GetCoordSignFormatI().Set(1 - options.GetCoordSignFormatI().Get());
        EXPECT_EQ(calls, 4);
    }
    options.GetMeasuringSystemI().Set(static_cast<int>(MeasuringSystem::Nautical));
    EXPECT_EQ(calls, 4) << "the subscription ended with its connection";
}

TEST_F(OptUnitsTest, FirstRunDefaultsFollowTheLocale)
{
    UseEmptySettings();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const OptUnits us;
    EXPECT_EQ(us.GetMeasuringSystem(), MeasuringSystem::Imperial);
    EXPECT_EQ(us.GetTemperatureUnits(), TemperatureUnits::Fahrenheit);
    EXPECT_EQ(us.GetCoordFormat(), CoordFormat::DegreesMinutes);
    EXPECT_EQ(us.GetCoordSignFormat(), CoordSignFormat::Letters);

    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    const OptUnits uk;
    EXPECT_EQ(uk.GetMeasuringSystem(), MeasuringSystem::Imperial);
    EXPECT_EQ(uk.GetTemperatureUnits(), TemperatureUnits::Celsius);

    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const OptUnits de;
    EXPECT_EQ(de.GetMeasuringSystem(), MeasuringSystem::Metric);
    EXPECT_EQ(de.GetTemperatureUnits(), TemperatureUnits::Celsius);
}

TEST_F(OptUnitsTest, UnknownStoredNumbersReadAsTheDefault)
{
    UseEmptySettings();
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    {
        RegistryKey key(QStringLiteral("Settings\\Units"));
        key.WriteDword(QStringLiteral("MeasuringSystem"), 4);
        key.WriteDword(QStringLiteral("TemperatureUnits"), static_cast<uint32_t>(-1));
        key.WriteDword(QStringLiteral("CoordFormat"), 17);
        key.WriteDword(QStringLiteral("CoordSignFormat"), 2);
    }
    OptUnits options;
    EXPECT_EQ(options.GetMeasuringSystem(), MeasuringSystem::Metric);
    EXPECT_EQ(options.GetTemperatureUnits(), TemperatureUnits::Celsius);
    EXPECT_EQ(options.GetCoordFormat(), CoordFormat::DegreesMinutes);
    EXPECT_EQ(options.GetCoordSignFormat(), CoordSignFormat::Letters);
    // The dialog still sees the stored number and picks its own row for it.
    EXPECT_EQ(options.GetCoordFormatI().Get(), 17);
}
