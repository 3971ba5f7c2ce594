#pragma once

#include "OblOptions.h"
#include "UnitsConv.h"

// How coordinates are written. The numbers are stored in the settings and
// are the rows of the options dialog.
enum class CoordFormat {
    DecimalDegrees = 0,   // 38.890370
    DegreesMinutes = 1,   // 38°53.4222′
    DegreesMinutesSeconds = 2, // 38°53′25.33″
    Utm = 3,              // 18N, 323770, 4306573
};

enum class CoordSignFormat {
    PlusMinus = 0,  // -77.031959
    Letters = 1,    // 77.031959 W
};

// The user's units: measuring system, temperature unit and coordinate
// format, kept in "Settings\Units". The options dialog edits them through the
// option interfaces; every real change is announced to the subscribers.
class OptUnits : public OblOptionsBase
{
public:
    static OptUnits& GetInstance();

    // Reads the stored choices. The process uses GetInstance; a second
    // instance sees the same stored values (as a later run would).
    OptUnits();

    // Stored numbers outside the known range read as the default.
    MeasuringSystem GetMeasuringSystem() const;
    TemperatureUnits GetTemperatureUnits() const;
    CoordFormat GetCoordFormat() const;
    CoordSignFormat GetCoordSignFormat() const;

    OblOptionTI<int>& GetMeasuringSystemI() { return m_measuringSystem; }
    OblOptionTI<int>& GetTemperatureUnitsI() { return m_temperatureUnits; }
    OblOptionTI<int>& GetCoordFormatI() { return m_coordFormat; }
    OblOptionTI<int>& GetCoordSignFormatI() { return m_coordSignFormat; }

private:
    OblOptionInt m_measuringSystem;
    OblOptionInt m_temperatureUnits;
    OblOptionInt m_coordFormat;
    OblOptionInt m_coordSignFormat;
};
