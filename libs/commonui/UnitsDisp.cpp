#include "UnitsDisp.h"

#include "Locale.h"
#include "OblException.h"

#include <cmath>

namespace {

constexpr int SPEED_DECIMALS = 1;
constexpr int ALTITUDE_DECIMALS = 0;
constexpr int ACCEL_DECIMALS = 2;
constexpr int TEMPERATURE_DECIMALS = 1;
// Below this many small units (after rounding) a distance stays in them.
constexpr double SMALL_UNITS_LIMIT = 1000.0;

double RoundTo(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
}

QString Number(double value, int decimals)
{
    // A small negative value rounded to zero would read "-0.0".
    if (RoundTo(value, decimals) == 0.0)
        value = 0.0;
    return Locale::GetDoubleString(value, decimals);
}

QString WithUnit(double value, int decimals, const QString& notation)
{
    return Number(value, decimals) + QLatin1Char(' ') + notation;
}

int OrDefault(int decimals, int defaultDecimals)
{
    return decimals < 0 ? defaultDecimals : decimals;
}

MeasuringSystem CurrentSystem()
{
    return OptUnits::GetInstance().GetMeasuringSystem();
}

// Two decimals below 10, one below 100, none above, judged on the rounded
// text so that 9.996 becomes "10.0" rather than "10.00".
int LargeDistanceDecimals(double value)
{
    const double magnitude = std::abs(value);
    if (RoundTo(magnitude, 2) < 10.0)
        return 2;
    return RoundTo(magnitude, 1) < 100.0 ? 1 : 0;
}

} // namespace

QString UnitsDisp::GetUnitNotation(DistanceUnits units)
{
    switch (units) {
    case DistanceUnits::Meters: return QStringLiteral("m");
    case DistanceUnits::Kilometers: return QStringLiteral("km");
    case DistanceUnits::Feet: return QStringLiteral("ft");
    case DistanceUnits::Miles: return QStringLiteral("mi");
    case DistanceUnits::NauticalMiles: return QStringLiteral("nmi");
    }
    OBL_THROW(QStringLiteral("Unknown distance unit %1").arg(static_cast<int>(units)));
}

QString UnitsDisp::GetUnitNotation(SpeedUnits units)
{
    switch (units) {
    case SpeedUnits::Kmh: return QStringLiteral("km/h");
    case SpeedUnits::Ms: return QStringLiteral("m/s");
    case SpeedUnits::Mph: return QStringLiteral("mph");
    case SpeedUnits::Knots: return QStringLiteral("kn");
    }
    OBL_THROW(QStringLiteral("Unknown speed unit %1").arg(static_cast<int>(units)));
}

QString UnitsDisp::GetUnitNotation(AccelUnits units)
{
    switch (units) {
    case AccelUnits::Ms2: return QStringLiteral("m/s²");
    case AccelUnits::Fts2: return QStringLiteral("ft/s²");
    }
    OBL_THROW(QStringLiteral("Unknown acceleration unit %1").arg(static_cast<int>(units)));
}

QString UnitsDisp::GetUnitNotation(TemperatureUnits units)
{
    switch (units) {
    case TemperatureUnits::Celsius: return QStringLiteral("°C");
    case TemperatureUnits::Fahrenheit: return QStringLiteral("°F");
    }
    OBL_THROW(QStringLiteral("Unknown temperature unit %1").arg(static_cast<int>(units)));
}

QString UnitsDisp::GetUnitNotation(MeasuringSystem system)
{
    switch (system) {
    case MeasuringSystem::Metric: return QStringLiteral("Kilometers and meters, km/h");
    case MeasuringSystem::MetricMs: return QStringLiteral("Kilometers and meters, m/s");
    case MeasuringSystem::Imperial: return QStringLiteral("Miles and feet, mph");
    case MeasuringSystem::Nautical: return QStringLiteral("Nautical miles and feet, knots");
    }
    OBL_THROW(QStringLiteral("Unknown measuring system %1").arg(static_cast<int>(system)));
}

QString UnitsDisp::GetCadenceNotation(CadenceType type)
{
    return type == CadenceType::Steps ? QStringLiteral("spm") : QStringLiteral("rpm");
}

QString UnitsDisp::GetHeartRateNotation()
{
    return QStringLiteral("bpm");
}

QString UnitsDisp::GetUnitNotation(UnitKind kind, MeasuringSystem system, TemperatureUnits temperature)
{
    switch (kind) {
    case UnitKind::None: return {};
    case UnitKind::SmallDistance: return GetUnitNotation(UnitsConv::GetSmallDistUnits(system));
    case UnitKind::LargeDistance: return GetUnitNotation(UnitsConv::GetLargeDistUnits(system));
    case UnitKind::Speed: return GetUnitNotation(UnitsConv::GetSpeedUnits(system));
    case UnitKind::Accel: return GetUnitNotation(UnitsConv::GetAccelUnits(system));
    case UnitKind::Temperature: return GetUnitNotation(temperature);
    case UnitKind::HeartRate: return GetHeartRateNotation();
    case UnitKind::Cadence: return GetCadenceNotation();
    }
    OBL_THROW(QStringLiteral("Unknown kind of unit %1").arg(static_cast<int>(kind)));
}

QString UnitsDisp::GetUnitNotation(UnitKind kind)
{
    const OptUnits& options = OptUnits::GetInstance();
    return GetUnitNotation(kind, options.GetMeasuringSystem(), options.GetTemperatureUnits());
}

QString UnitsDisp::GetSpeedString(double kmh, int decimals)
{
    const SpeedUnits units = UnitsConv::GetSpeedUnits(CurrentSystem());
    return WithUnit(UnitsConv::KmhToUnits(kmh, units), OrDefault(decimals, SPEED_DECIMALS),
                    GetUnitNotation(units));
}

QString UnitsDisp::GetAltitudeString(double meters, int decimals)
{
    const DistanceUnits units = UnitsConv::GetSmallDistUnits(CurrentSystem());
    return WithUnit(UnitsConv::MetersToUnits(meters, units), OrDefault(decimals, ALTITUDE_DECIMALS),
                    GetUnitNotation(units));
}

QString UnitsDisp::GetAccelString(double ms2, int decimals)
{
    const AccelUnits units = UnitsConv::GetAccelUnits(CurrentSystem());
    return WithUnit(UnitsConv::Ms2ToUnits(ms2, units), OrDefault(decimals, ACCEL_DECIMALS),
                    GetUnitNotation(units));
}

QString UnitsDisp::GetTemperatureString(double degreesC, int decimals)
{
    const TemperatureUnits units = OptUnits::GetInstance().GetTemperatureUnits();
    return WithUnit(UnitsConv::DegreesCToUnits(degreesC, units), OrDefault(decimals, TEMPERATURE_DECIMALS),
                    GetUnitNotation(units));
}

QString UnitsDisp::GetCadenceString(int value, CadenceType type)
{
    return Locale::GetIntString(value) + QLatin1Char(' ') + GetCadenceNotation(type);
}

QString UnitsDisp::GetHeartRateString(int value)
{
    return Locale::GetIntString(value) + QLatin1Char(' ') + GetHeartRateNotation();
}

QString UnitsDisp::GetSmartDistanceString(double meters)
{
    const MeasuringSystem system = CurrentSystem();
    const DistanceUnits small = UnitsConv::GetSmallDistUnits(system);
    const double inSmall = UnitsConv::MetersToUnits(meters, small);
    if (std::abs(std::round(inSmall)) < SMALL_UNITS_LIMIT)
        return WithUnit(inSmall, 0, GetUnitNotation(small));
    const DistanceUnits large = UnitsConv::GetLargeDistUnits(system);
    const double inLarge = UnitsConv::MetersToUnits(meters, large);
    return WithUnit(inLarge, LargeDistanceDecimals(inLarge), GetUnitNotation(large));
}
