#include "OptUnits.h"

#include "ProcessSingleton.h"

#include <QLocale>

namespace {

// First run: follow the measurement system of the user's locale, so an
// American sees miles and Fahrenheit and a Briton miles and Celsius.
MeasuringSystem DefaultMeasuringSystem()
{
    return QLocale().measurementSystem() == QLocale::MetricSystem ? MeasuringSystem::Metric
                                                                  : MeasuringSystem::Imperial;
}

TemperatureUnits DefaultTemperatureUnits()
{
    return QLocale().measurementSystem() == QLocale::ImperialUSSystem ? TemperatureUnits::Fahrenheit
                                                                      : TemperatureUnits::Celsius;
}

// The stored number when it names a known value, else the option's default.
int InRangeOrDefault(const OblOptionInt& option, int last)
{
    const int value = option.Get();
    return value >= 0 && value <= last ? value : option.GetDefault();
}

} // namespace

OptUnits& OptUnits::GetInstance()
{
    return ProcessSingleton<OptUnits>::Instance();
}

OptUnits::OptUnits()
    : OblOptionsBase(QStringLiteral("Settings\\Units"))
    , m_measuringSystem(static_cast<int>(DefaultMeasuringSystem()))
    , m_temperatureUnits(static_cast<int>(DefaultTemperatureUnits()))
    // Degrees and decimal minutes with hemisphere letters, as GPS receivers show them.
    , m_coordFormat(static_cast<int>(CoordFormat::DegreesMinutes))
    , m_coordSignFormat(static_cast<int>(CoordSignFormat::Letters))
{
    m_measuringSystem.Init(GetOblOptionSectI(), QStringLiteral("MeasuringSystem"));
    m_temperatureUnits.Init(GetOblOptionSectI(), QStringLiteral("TemperatureUnits"));
    m_coordFormat.Init(GetOblOptionSectI(), QStringLiteral("CoordFormat"));
    m_coordSignFormat.Init(GetOblOptionSectI(), QStringLiteral("CoordSignFormat"));
}

MeasuringSystem OptUnits::GetMeasuringSystem() const
{
    return static_cast<MeasuringSystem>(
        InRangeOrDefault(m_measuringSystem, static_cast<int>(MeasuringSystem::Nautical)));
}

TemperatureUnits OptUnits::GetTemperatureUnits() const
{
    return static_cast<TemperatureUnits>(
        InRangeOrDefault(m_temperatureUnits, static_cast<int>(TemperatureUnits::Fahrenheit)));
}

CoordFormat OptUnits::GetCoordFormat() const
{
    return static_cast<CoordFormat>(InRangeOrDefault(m_coordFormat, static_cast<int>(CoordFormat::Utm)));
}

CoordSignFormat OptUnits::GetCoordSignFormat() const
{
    return static_cast<CoordSignFormat>(
        InRangeOrDefault(m_coordSignFormat, static_cast<int>(CoordSignFormat::Letters)));
}
