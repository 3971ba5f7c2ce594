#pragma once

#include "Time.h"
#include "TrackPointGpsParams.h"

#include <cstdint>

// What the sentences of one receiver fix said, merged: the fix becomes one
// point when it has a position.
struct NmeaFix
{
    enum Part : uint8_t {
        Rmc = 1,
        Gga = 2,
        Gll = 4,
        Zda = 8,
        Gsa = 16,
        Vtg = 32,
    };
    // Sentences that carry the fix's time; GSA and VTG carry none.
    static constexpr uint8_t TimedParts = Rmc | Gga | Gll | Zda;

    uint8_t parts = 0;
    bool hasTime = false;
    bool hasPosition = false;
    bool hasElevation = false;
    // RMC or GLL status V, GGA quality 0: the receiver had no fix.
    bool isVoid = false;
    int64_t timeOfDay = 0; // microseconds since midnight UTC
    Time date;             // midnight UTC; null when no sentence of the fix gave one
    double lat = 0;
    double lon = 0;
    double elevation = 0;
    int ggaQuality = -1; // -1: not given
    int gsaMode = -1;
    // Everything but the fix type, which GetFixType works out at the end.
    TrackPointGpsParams gps;

    // Takes what this fix lacks from other; a value already here stays.
    void Merge(const NmeaFix& other);
    // From GSA's 2D/3D mode, refined by GGA's differential (and RTK) and PPS
    // qualities; Unknown when neither sentence said.
    PositionFixType GetFixType() const;

    bool operator==(const NmeaFix&) const = default;
};
