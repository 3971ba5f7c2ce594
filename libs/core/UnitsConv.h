#pragma once

// The units the user can see and type. Inside the program lengths are
// metres, speeds km/h, accelerations m/s² and temperatures °C; everything
// shown or entered is converted here. The numeric values are stored in the
// settings and used as rows of the options dialog, so they never change.

// A set of units chosen together in the options.
enum class MeasuringSystem {
    Metric = 0,     // m, km, km/h, m/s²
    MetricMs = 1,   // m, km, m/s, m/s² (speeds as athletes and physicists read them)
    Imperial = 2,   // ft, mi, mph, ft/s²
    Nautical = 3,   // ft, nmi, knots, ft/s² (elevations in feet, as in aviation)
};

enum class DistanceUnits {
    Meters = 0,
    Kilometers = 1,
    Feet = 2,
    Miles = 3,
    NauticalMiles = 4,
};

enum class SpeedUnits {
    Kmh = 0,
    Ms = 1,
    Mph = 2,
    Knots = 3,
};

enum class AccelUnits {
    Ms2 = 0,
    Fts2 = 1,
};

enum class TemperatureUnits {
    Celsius = 0,
    Fahrenheit = 1,
};

// What a value measures, which decides the unit it is shown and typed in.
enum class UnitKind {
    None,          // a count, ratio or angle: shown as it is
    SmallDistance, // short lengths and elevations
    LargeDistance, // track lengths
    Speed,
    Accel,
    Temperature,   // follows its own option, not the measuring system
    HeartRate,     // beats per minute everywhere
    Cadence,       // per minute everywhere
};

class UnitsConv
{
public:
    // Exact by definition: international foot and mile, nautical mile.
    static constexpr double METERS_PER_FOOT = 0.3048;
    static constexpr double METERS_PER_MILE = 1609.344;
    static constexpr double METERS_PER_NAUTICAL_MILE = 1852.0;

    // The unit for short lengths and elevations (metres or feet).
    static DistanceUnits GetSmallDistUnits(MeasuringSystem system);
    // The unit for track lengths (kilometres or a kind of mile).
    static DistanceUnits GetLargeDistUnits(MeasuringSystem system);
    static SpeedUnits GetSpeedUnits(MeasuringSystem system);
    static AccelUnits GetAccelUnits(MeasuringSystem system);

    static double MetersToUnits(double meters, DistanceUnits units);
    static double UnitsToMeters(double value, DistanceUnits units);
    static double KmhToUnits(double kmh, SpeedUnits units);
    static double UnitsToKmh(double value, SpeedUnits units);
    static double Ms2ToUnits(double ms2, AccelUnits units);
    static double UnitsToMs2(double value, AccelUnits units);
    static double DegreesCToUnits(double degreesC, TemperatureUnits units);
    static double UnitsToDegreesC(double value, TemperatureUnits units);

    // A value of the kind from the program's units to the shown ones and
    // back; kinds with one unit pass unchanged.
    static double ToUnits(UnitKind kind, double value, MeasuringSystem system, TemperatureUnits temperature);
    static double FromUnits(UnitKind kind, double value, MeasuringSystem system, TemperatureUnits temperature);
    // Whether the measuring system decides the unit of the kind.
    static bool DependsOnSystem(UnitKind kind);
};
