#pragma once

#include <compare>
#include <cstdint>

// A signed duration, held as whole microseconds so that sums and differences
// of times never drift.
class TimeSpan
{
public:
    // Units of the (Duration, value) constructor; the numbers are stored in
    // settings and passed around as integers, so they must not change.
    enum Duration { Seconds = 0, Minutes = 1, Hours = 2, Days = 3 };

    static constexpr int64_t MicrosecondsPerMillisecond = 1000;
    static constexpr int64_t MicrosecondsPerSecond = 1000000;
    static constexpr int64_t MicrosecondsPerDay = 86400 * MicrosecondsPerSecond;

    constexpr TimeSpan() = default;
    // The value is rounded to the nearest microsecond; a value that is not a
    // finite number gives a zero span.
    TimeSpan(Duration unit, double value);

    static TimeSpan FromSeconds(double seconds) { return TimeSpan(Seconds, seconds); }
    static constexpr TimeSpan FromMicroseconds(int64_t microseconds)
    {
        TimeSpan span;
        span.m_us = microseconds;
        return span;
    }

    constexpr int64_t GetMicroseconds() const { return m_us; }
    double GetInSeconds() const;
    double GetInMinutes() const;
    double GetInHours() const;
    double GetInDays() const;

    TimeSpan& operator+=(TimeSpan other)
    {
        m_us += other.m_us;
        return *this;
    }
    TimeSpan& operator-=(TimeSpan other)
    {
        m_us -= other.m_us;
        return *this;
    }
    friend TimeSpan operator+(TimeSpan a, TimeSpan b) { return a += b; }
    friend TimeSpan operator-(TimeSpan a, TimeSpan b) { return a -= b; }
    friend TimeSpan operator-(TimeSpan a) { return FromMicroseconds(-a.m_us); }
    // Scaling rounds to the nearest microsecond.
    friend TimeSpan operator*(TimeSpan span, double factor);
    friend TimeSpan operator*(double factor, TimeSpan span) { return span * factor; }
    friend TimeSpan operator/(TimeSpan span, double divisor);

    friend constexpr auto operator<=>(const TimeSpan&, const TimeSpan&) = default;

private:
    int64_t m_us = 0;
};
