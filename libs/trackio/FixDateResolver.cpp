#include "FixDateResolver.h"

#include "TrackData.h"

namespace {
constexpr int64_t HalfDay = TimeSpan::MicrosecondsPerDay / 2;
constexpr TimeSpan OneDay = TimeSpan::FromMicroseconds(TimeSpan::MicrosecondsPerDay);
} // namespace

FixDateResolver::FixDateResolver(TrackData& points)
    : m_points(points)
{
}

void FixDateResolver::AddFix(bool hasTime, int64_t timeOfDay, const Time& date, bool pointAdded)
{
    TrackPoint* point = pointAdded ? &m_points.GetTrackPoint(m_points.GetPointCount() - 1) : nullptr;
    if (!hasTime) {
        if (point)
            point->SetTime(Time());
        return;
    }
    if (!date.IsNull()) {
        if (m_date.IsNull())
            BackFill(date, timeOfDay, m_points.GetPointCount() - (point ? 2 : 1));
        m_date = date;
    } else if (!m_date.IsNull() && timeOfDay < m_lastTimeOfDay - HalfDay) {
        m_date += OneDay;
    }
    m_lastTimeOfDay = timeOfDay;
    if (!point)
        return;
    if (m_date.IsNull()) {
        // Held as the time of day alone until a date turns up.
        point->SetTime(Time::FromMicroseconds(timeOfDay));
        if (m_firstUndated < 0)
            m_firstUndated = m_points.GetPointCount() - 1;
    } else {
        point->SetTime(m_date + TimeSpan::FromMicroseconds(timeOfDay));
    }
}

void FixDateResolver::BackFill(const Time& date, int64_t timeOfDay, int lastUndated)
{
    if (m_firstUndated < 0)
        return;
    Time day = date;
    int64_t next = timeOfDay;
    for (int i = lastUndated; i >= m_firstUndated; --i) {
        TrackPoint& point = m_points.GetTrackPoint(i);
        if (point.GetTime().IsNull())
            continue;
        const int64_t own = point.GetTime().GetMicroseconds();
        if (own > next + HalfDay)
            day -= OneDay;
        point.SetTime(day + TimeSpan::FromMicroseconds(own));
        next = own;
    }
    m_firstUndated = -1;
}

void FixDateResolver::Finish()
{
    if (m_firstUndated < 0)
        return;
    for (int i = m_firstUndated; i < m_points.GetPointCount(); ++i)
        m_points.GetTrackPoint(i).SetTime(Time());
    m_firstUndated = -1;
}
