#pragma once

#include "TimeSpan.h"

#include <compare>
#include <cstdint>

class QDateTime;

// An absolute date and time, or null (a point without timestamp, a track
// without start). Held as whole microseconds since 1970-01-01 00:00:00; times
// inside tracks are UTC, times converted for display are the wall-clock time
// of a zone. There are no leap seconds: every day has 86400 seconds.
//
// GetAbsSeconds/GetAbsDays count from the same epoch, 1970-01-01 00:00:00.
// TimeSeconds/TimeDays round to the nearest microsecond, so converting a time
// to seconds and back gives the same time for any year from about 1700 to
// 2240, and through days for any year from about 1800 to 2140; further out a
// double cannot carry every microsecond and the round trip is only exact to
// well under a millisecond (up to year 9999).
class Time
{
public:
    // Julian day number of 1970-01-01, the epoch.
    static constexpr int64_t EpochJulianDay = 2440588;

    // Null.
    constexpr Time() = default;
    // A date and time of day; a date or time that does not exist (February
    // 30th, 25 o'clock) gives a null time.
    Time(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
         int millisecond = 0);

    static constexpr Time FromMicroseconds(int64_t microseconds)
    {
        Time time;
        time.m_us = microseconds;
        return time;
    }
    // A count that is not a finite number, or lies beyond the range of a
    // time, gives a null time; null times give NaN, so they round-trip too.
    static Time TimeSeconds(double seconds);
    static Time TimeDays(double days);
    // The present time, UTC.
    static Time GetCurTime();
    // Invalid date-times give a null time and the other way round. Any zone
    // of the QDateTime is honoured; the result is read as UTC. ToQDateTime
    // cuts to whole milliseconds.
    static Time FromQDateTime(const QDateTime& dateTime);
    QDateTime ToQDateTime() const;

    constexpr bool IsNull() const { return m_us == NullValue; }
    void SetNull() { m_us = NullValue; }

    constexpr int64_t GetMicroseconds() const { return m_us; }
    double GetAbsSeconds() const;
    double GetAbsDays() const;

    // Midnight of the same day (null stays null).
    Time GetDate() const;
    // Time since midnight (zero for a null time).
    TimeSpan GetTime() const;

    // Moving a null time leaves it null.
    Time& operator+=(TimeSpan span);
    Time& operator-=(TimeSpan span);
    friend Time operator+(Time time, TimeSpan span) { return time += span; }
    friend Time operator-(Time time, TimeSpan span) { return time -= span; }
    // The span between two times; zero when either is null.
    friend TimeSpan operator-(const Time& a, const Time& b);

    // A null time sorts before every other time.
    friend constexpr auto operator<=>(const Time&, const Time&) = default;

private:
    static constexpr int64_t NullValue = INT64_MIN;

    int64_t m_us = NullValue;
};
