#pragma once

#include "Time.h"

class TrackI;

// The time edits of a whole track (a file seen as one sequence) that the
// command line and recipes make alike. Each refreshes the track after.
class TrackTimeEdits
{
public:
    // Moves every time so that the first timed point is at start; false,
    // and nothing changed, when no point has a time.
    static bool ShiftToStart(TrackI& track, const Time& start);
    static void ShiftBy(TrackI& track, TimeSpan shift);
    // Regenerates the times at a constant speed: from start, dropping the
    // recorded ones, or, with a null start, between the first and last
    // recorded times. False, and nothing changed, when start is null and
    // no point has a time.
    static bool Retime(TrackI& track, double speedKmh, const Time& start);
};
