#pragma once

#include <QString>

// What a palette colours by, and how the values of a piece of track are
// combined (only the two speed parameters use the aggregate).
namespace PaletteParameter {

enum Id {
    Unknown = 0,
    Segments = 1,
    Speed = 2,
    Elevation = 3,
    Steepness = 5,
    HeartRate = 6,
    Cadence = 7,
    Temperature = 8,
    GpsSpeed = 9,
    Heading = 10,
    GpsHeading = 11,
};

enum Aggregate {
    Min = 0,
    Avg = 1,
    Max = 2,
};

// The parameter of a palette file's "parameter" attribute, in any case;
// Unknown for a name not in the table (the built-in Segments entry has no
// name there).
Id FromName(const QString& name);
// "min" and "max"; anything else is the average.
Aggregate AggregateFromName(const QString& name);

} // namespace PaletteParameter
