#pragma once

#include "OblOptions.h"
#include "TrackStatistics.h"

// What the statistics count as moving and as climbing, kept in
// "Settings\Statistics".
class StatisticsOptions : public OblOptionsBase
{
public:
    StatisticsOptions();
    static StatisticsOptions& GetInstance();

    StatisticsParams GetParams() const;

    // km/h.
    OblOptionDouble movingSpeed{StatisticsParams().movingSpeedKmh};
    // Metres.
    OblOptionDouble climbHysteresis{StatisticsParams().climbHysteresisMetres};
};
