#pragma once

#include "Time.h"

#include <cstdint>
#include <string_view>

// One B record of an IGC flight log.
struct IgcFix
{
    int64_t timeOfDay = 0; // microseconds since midnight UTC
    double lat = 0;
    double lon = 0;
    // 'A': a 3D fix; 'V': a 2D fix or none, where loggers repeat the last
    // position and write no GNSS altitude worth having.
    bool valid = false;
    int pressureAltitude = 0;
    int gnssAltitude = 0;
    bool hasSatellites = false;
    int satellites = 0;
};

// The records of an IGC file this program reads, each a line: the flight's
// date (HFDTE), the extensions of B records (I) and the B records (fixes).
// Fix accuracy (FXA) and the other extensions are not read: a point has no
// place for an error in metres.
class IgcRecords
{
public:
    // Where the satellite count (SIU) sits in B records: 0-based columns
    // [begin, end); empty when the I record declares none.
    struct Extensions
    {
        size_t satellitesBegin = 0;
        size_t satellitesEnd = 0;
    };

    // "HFDTEddmmyy" or, since 2016, "HFDTEDATE:ddmmyy,nn". False for any
    // other line; a date line that cannot be read gives a null date.
    static bool ReadDate(std::string_view line, Time& date);
    // An "I" line: a count, then per extension its first and last byte
    // (1-based) and its three-letter code. False when it cannot be read.
    static bool ReadExtensions(std::string_view line, Extensions& extensions);
    // A "B" line; false when its fixed part cannot be read.
    static bool ReadFix(std::string_view line, const Extensions& extensions, IgcFix& fix);
};
