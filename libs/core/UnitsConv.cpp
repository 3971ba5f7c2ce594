#include "UnitsConv.h"

#include "OblException.h"

#include <QString>

namespace {

// How many internal units (metres, km/h, m/s²) one displayed unit is.
double MetersPerUnit(DistanceUnits units)
{
    switch (units) {
    case DistanceUnits::Meters: return 1.0;
    case DistanceUnits::Kilometers: return 1000.0;
    case DistanceUnits::Feet: return UnitsConv::METERS_PER_FOOT;
    case DistanceUnits::Miles: return UnitsConv::METERS_PER_MILE;
    case DistanceUnits::NauticalMiles: return UnitsConv::METERS_PER_NAUTICAL_MILE;
    }
    OBL_THROW(QStringLiteral("Unknown distance unit %1").arg(static_cast<int>(units)));
}

double KmhPerUnit(SpeedUnits units)
{
    switch (units) {
    case SpeedUnits::Kmh: return 1.0;
    case SpeedUnits::Ms: return 3.6;
    case SpeedUnits::Mph: return UnitsConv::METERS_PER_MILE / 1000.0;
    case SpeedUnits::Knots: return UnitsConv::METERS_PER_NAUTICAL_MILE / 1000.0;
    }
    OBL_THROW(QStringLiteral("Unknown speed unit %1").arg(static_cast<int>(units)));
}

double Ms2PerUnit(AccelUnits units)
{
    switch (units) {
    case AccelUnits::Ms2: return 1.0;
    case AccelUnits::Fts2: return UnitsConv::METERS_PER_FOOT;
    }
    OBL_THROW(QStringLiteral("Unknown acceleration unit %1").arg(static_cast<int>(units)));
}

void CheckTemperatureUnits(TemperatureUnits units)
{
    if (units != TemperatureUnits::Celsius && units != TemperatureUnits::Fahrenheit)
        OBL_THROW(QStringLiteral("Unknown temperature unit %1").arg(static_cast<int>(units)));
}

[[noreturn]] void ThrowUnknownSystem(MeasuringSystem system)
{
    OBL_THROW(QStringLiteral("Unknown measuring system %1").arg(static_cast<int>(system)));
}

} // namespace

DistanceUnits UnitsConv::GetSmallDistUnits(MeasuringSystem system)
{
    switch (system) {
    case MeasuringSystem::Metric:
    case MeasuringSystem::MetricMs: return DistanceUnits::Meters;
    case MeasuringSystem::Imperial:
    case MeasuringSystem::Nautical: return DistanceUnits::Feet;
    }
    ThrowUnknownSystem(system);
}

DistanceUnits UnitsConv::GetLargeDistUnits(MeasuringSystem system)
{
    switch (system) {
    case MeasuringSystem::Metric:
    case MeasuringSystem::MetricMs: return DistanceUnits::Kilometers;
    case MeasuringSystem::Imperial: return DistanceUnits::Miles;
    case MeasuringSystem::Nautical: return DistanceUnits::NauticalMiles;
    }
    ThrowUnknownSystem(system);
}

SpeedUnits UnitsConv::GetSpeedUnits(MeasuringSystem system)
{
    switch (system) {
    case MeasuringSystem::Metric: return SpeedUnits::Kmh;
    case MeasuringSystem::MetricMs: return SpeedUnits::Ms;
    case MeasuringSystem::Imperial: return SpeedUnits::Mph;
    case MeasuringSystem::Nautical: return SpeedUnits::Knots;
    }
    ThrowUnknownSystem(system);
}

AccelUnits UnitsConv::GetAccelUnits(MeasuringSystem system)
{
    // Acceleration follows the small distance unit: feet go with ft/s².
    return GetSmallDistUnits(system) == DistanceUnits::Feet ? AccelUnits::Fts2 : AccelUnits::Ms2;
}

double UnitsConv::MetersToUnits(double meters, DistanceUnits units)
{
    return meters / MetersPerUnit(units);
}

double UnitsConv::UnitsToMeters(double value, DistanceUnits units)
{
    return value * MetersPerUnit(units);
}

double UnitsConv::KmhToUnits(double kmh, SpeedUnits units)
{
    return kmh / KmhPerUnit(units);
}

double UnitsConv::UnitsToKmh(double value, SpeedUnits units)
{
    return value * KmhPerUnit(units);
}

double UnitsConv::Ms2ToUnits(double ms2, AccelUnits units)
{
    return ms2 / Ms2PerUnit(units);
}

double UnitsConv::UnitsToMs2(double value, AccelUnits units)
{
    return value * Ms2PerUnit(units);
}

double UnitsConv::DegreesCToUnits(double degreesC, TemperatureUnits units)
{
    CheckTemperatureUnits(units);
    return units == TemperatureUnits::Fahrenheit ? degreesC * 9.0 / 5.0 + 32.0 : degreesC;
}

double UnitsConv::UnitsToDegreesC(double value, TemperatureUnits units)
{
    CheckTemperatureUnits(units);
    return units == TemperatureUnits::Fahrenheit ? (value - 32.0) * 5.0 / 9.0 : value;
}

double UnitsConv::ToUnits(UnitKind kind, double value, MeasuringSystem system, TemperatureUnits temperature)
{
    switch (kind) {
    case UnitKind::SmallDistance: return MetersToUnits(value, GetSmallDistUnits(system));
    case UnitKind::LargeDistance: return MetersToUnits(value, GetLargeDistUnits(system));
    case UnitKind::Speed: return KmhToUnits(value, GetSpeedUnits(system));
    case UnitKind::Accel: return Ms2ToUnits(value, GetAccelUnits(system));
    case UnitKind::Temperature: return DegreesCToUnits(value, temperature);
    case UnitKind::None:
    case UnitKind::HeartRate:
    case UnitKind::Cadence: return value;
    }
    OBL_THROW(QStringLiteral("Unknown kind of unit %1").arg(static_cast<int>(kind)));
}

double UnitsConv::FromUnits(UnitKind kind, double value, MeasuringSystem system, TemperatureUnits temperature)
{
    switch (kind) {
    case UnitKind::SmallDistance: return UnitsToMeters(value, GetSmallDistUnits(system));
    case UnitKind::LargeDistance: return UnitsToMeters(value, GetLargeDistUnits(system));
    case UnitKind::Speed: return UnitsToKmh(value, GetSpeedUnits(system));
    case UnitKind::Accel: return UnitsToMs2(value, GetAccelUnits(system));
    case UnitKind::Temperature: return UnitsToDegreesC(value, temperature);
    case UnitKind::None:
    case UnitKind::HeartRate:
    case UnitKind::Cadence: return value;
    }
    OBL_THROW(QStringLiteral("Unknown kind of unit %1").arg(static_cast<int>(kind)));
}

bool UnitsConv::DependsOnSystem(UnitKind kind)
{
    switch (kind) {
    case UnitKind::SmallDistance:
    case UnitKind::LargeDistance:
    case UnitKind::Speed:
    case UnitKind::Accel: return true;
    case UnitKind::None:
    case UnitKind::Temperature:
    case UnitKind::HeartRate:
    case UnitKind::Cadence: return false;
    }
    OBL_THROW(QStringLiteral("Unknown kind of unit %1").arg(static_cast<int>(kind)));
}
