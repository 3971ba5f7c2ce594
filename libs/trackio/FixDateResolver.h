#pragma once

#include "Time.h"

#include <cstdint>

class TrackData;

// Gives dates to fixes that only have a time of day. NMEA GGA and GLL carry
// no date; the date comes from an RMC or ZDA now and then, or not at all.
// - After a date, it carries on to the following fixes; when the time of
//   day falls back by more than half a day, midnight has passed and the
//   date moves on by one.
// - Fixes before the first date get it back-filled the same way backwards:
//   a time of day more than half a day later than its successor's lies on
//   the day before.
// - Points of a log that gives no date at all keep no time: a time of day
//   on an invented date would be saved as if it had been recorded.
// Small steps back (out-of-order sentences) stay on the same day.
class FixDateResolver
{
public:
    // The points of one segment, appended to as the fixes come.
    explicit FixDateResolver(TrackData& points);

    // One fix, in file order. pointAdded: the fix's point was just appended
    // to the segment, and gets its time here. A fix without a time of day
    // gives a point without time and leaves the date alone.
    void AddFix(bool hasTime, int64_t timeOfDay, const Time& date, bool pointAdded);
    // Clears the times of points that never got a date.
    void Finish();

private:
    void BackFill(const Time& date, int64_t timeOfDay, int lastUndated);

    TrackData& m_points;
    Time m_date; // null until the first date
    int64_t m_lastTimeOfDay = 0;
    // Points from here on hold a time of day without date.
    int m_firstUndated = -1;
};
