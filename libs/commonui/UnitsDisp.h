#pragma once

#include "OptUnits.h"
#include "UnitsConv.h"

#include <QString>

// The marks written after degrees, minutes and seconds of a coordinate.
enum class AngleUnits {
    Bare = 0,        // 38 53 25.33: numbers only, parts separated by spaces
    Keyboard = 1,    // 38°53'25.33": degree sign, apostrophe and quote
    Typographic = 2, // 38°53′25.33″: degree sign, prime and double prime
};

// What a cadence counts per minute.
enum class CadenceType {
    Revolutions = 0, // pedal revolutions (bike), "rpm"
    Steps = 1,       // steps (running), "spm"
};

// Values as the user reads them: converted to the units of OptUnits and
// written in the user's locale, followed by a space and the unit notation.
// A decimals count of -1 lets the function choose.
class UnitsDisp
{
public:
    static QString GetUnitNotation(DistanceUnits units);
    static QString GetUnitNotation(SpeedUnits units);
    static QString GetUnitNotation(AccelUnits units);
    static QString GetUnitNotation(TemperatureUnits units);
    // The name of a measuring system, as offered in the options.
    static QString GetUnitNotation(MeasuringSystem system);
    static QString GetCadenceNotation(CadenceType type = CadenceType::Revolutions);
    static QString GetHeartRateNotation();
    // The notation of the unit a value of the kind is shown in ("km/h"):
    // under the measuring system and temperature unit given, or the user's
    // (OptUnits). Empty for UnitKind::None; cadences count revolutions.
    static QString GetUnitNotation(UnitKind kind, MeasuringSystem system, TemperatureUnits temperature);
    static QString GetUnitNotation(UnitKind kind);

    static QString GetSpeedString(double kmh, int decimals = -1);
    // In the small distance unit (metres or feet).
    static QString GetAltitudeString(double meters, int decimals = -1);
    static QString GetAccelString(double ms2, int decimals = -1);
    static QString GetTemperatureString(double degreesC, int decimals = -1);
    static QString GetCadenceString(int value, CadenceType type);
    static QString GetHeartRateString(int value);
    // The small unit up to 999 of them ("850 m", "999 ft"), above that the
    // large unit with two to no decimals as it grows ("1.00 km", "12.3 mi").
    static QString GetSmartDistanceString(double meters);

    // In the user's coordinate format and sign style (OptUnits).
    static QString GetCoordString(double lat, double lon, AngleUnits angleUnits);
    // Latitude and longitude separated by ", " ("; " where the decimal mark
    // is a comma); UTM as "zone and hemisphere, easting, northing" in whole
    // metres ("18N, 323770, 4306573"; UPS zones are "N" or "S"), the same in
    // both sign styles, since the hemisphere letter carries the sign.
    // Coordinates that are not finite or out of range give an empty text.
    static QString GetCoordString(double lat, double lon, CoordFormat format,
                                  CoordSignFormat signFormat, AngleUnits angleUnits);
};
