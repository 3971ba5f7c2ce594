#pragma once

#include "UnitsConv.h"

#include <QRgb>

class TrackPointEx;

// A value of the points that the profile can chart, with the unit it is
// shown in, its name and the colour of its line and axis.
namespace ProfileQuantity {

enum Id { Elevation, Speed, HeartRate, Cadence, Temperature, GpsSpeed, Steepness, Count };

UnitKind GetUnitKind(Id id);
// The string id of its name.
int GetNameId(Id id);
QRgb GetColour(Id id);
// Decimals of the hover label, in the shown unit.
int GetDecimals(Id id);

// Whether the point carries the value. Steepness is worked out from the
// elevations around a point, so it counts as carried with the elevation.
bool IsCarried(const TrackPointEx& point, Id id);
// The value in the program's units; not for steepness, which needs the
// neighbours (ProfileSeries computes it).
double GetValue(const TrackPointEx& point, Id id);

} // namespace ProfileQuantity
