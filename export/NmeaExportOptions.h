#pragma once

#include "OblOptions.h"

// Which NMEA sentences the export writes ("Settings\ExportNmea").
class NmeaExportOptions : public OblOptionsBase
{
public:
    NmeaExportOptions();

    // The writer's message set of the ticked sentences.
    int GetMessageSet() const;

    OblOptionBool rmc{true};
    OblOptionBool gga{true};
    OblOptionBool gll{false};
    OblOptionBool gsa{false};
    OblOptionBool zda{false};
};
