#pragma once

#include "Time.h"

// A start and an end time, such as the first and last timestamp of a track.
class TimePeriod
{
public:
    TimePeriod() = default;
    TimePeriod(const Time& start, const Time& end)
        : m_start(start)
        , m_end(end)
    {
    }

    const Time& GetStart() const { return m_start; }
    const Time& GetEnd() const { return m_end; }
    void SetStart(const Time& start) { m_start = start; }
    void SetEnd(const Time& end) { m_end = end; }

    // False while either end is null.
    bool IsValid() const { return !m_start.IsNull() && !m_end.IsNull(); }
    // End minus start; zero while the period is not valid.
    TimeSpan GetDuration() const { return m_end - m_start; }

private:
    Time m_start;
    Time m_end;
};
