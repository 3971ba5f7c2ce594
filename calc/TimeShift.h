#pragma once

#include "Time.h"

class TrackDataI;

// Moving all timestamps of a track by the same amount.
class TimeShift
{
public:
    // The time of the first point that has one; null when none has.
    static Time GetStartTime(const TrackDataI& points);
    // Points without time stay without.
    static void Apply(TrackDataI& points, TimeSpan shift);
};
