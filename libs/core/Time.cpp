#include "Time.h"

#include <QDate>
#include <QDateTime>

#include <chrono>
#include <cmath>
#include <limits>

namespace {

int64_t FloorDiv(int64_t value, int64_t divisor)
{
    const int64_t quotient = value / divisor;
    return (value % divisor < 0) ? quotient - 1 : quotient;
}

// Splits the count into whole units and a fraction before scaling: the
// fraction is exact in a double, so only the count's own rounding remains.
Time FromUnits(double count, int64_t unitMicroseconds)
{
    const double limit = 9.2e18 / static_cast<double>(unitMicroseconds);
    if (!(std::fabs(count) < limit))
        return Time();
    const double whole = std::floor(count);
    const double fraction = count - whole;
    return Time::FromMicroseconds(static_cast<int64_t>(whole) * unitMicroseconds
                                  + std::llround(fraction * static_cast<double>(unitMicroseconds)));
}

} // namespace

Time::Time(int year, int month, int day, int hour, int minute, int second, int millisecond)
{
    const QDate date(year, month, day);
    if (!date.isValid() || hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0
        || second > 59 || millisecond < 0 || millisecond > 999)
        return;
    const int64_t days = date.toJulianDay() - EpochJulianDay;
    const int64_t ms = ((hour * 60 + minute) * 60 + second) * int64_t(1000) + millisecond;
    m_us = days * TimeSpan::MicrosecondsPerDay + ms * TimeSpan::MicrosecondsPerMillisecond;
}

Time Time::TimeSeconds(double seconds)
{
    return FromUnits(seconds, TimeSpan::MicrosecondsPerSecond);
}

Time Time::TimeDays(double days)
{
    return FromUnits(days, TimeSpan::MicrosecondsPerDay);
}

Time Time::GetCurTime()
{
    const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    return FromMicroseconds(std::chrono::duration_cast<std::chrono::microseconds>(sinceEpoch).count());
}

Time Time::FromQDateTime(const QDateTime& dateTime)
{
    if (!dateTime.isValid())
        return Time();
    return FromMicroseconds(dateTime.toMSecsSinceEpoch() * TimeSpan::MicrosecondsPerMillisecond);
}

QDateTime Time::ToQDateTime() const
{
    if (IsNull())
        return QDateTime();
    return QDateTime::fromMSecsSinceEpoch(FloorDiv(m_us, TimeSpan::MicrosecondsPerMillisecond), Qt::UTC);
}

double Time::GetAbsSeconds() const
{
    if (IsNull())
        return std::numeric_limits<double>::quiet_NaN();
    return static_cast<double>(m_us) / static_cast<double>(TimeSpan::MicrosecondsPerSecond);
}

double Time::GetAbsDays() const
{
    if (IsNull())
        return std::numeric_limits<double>::quiet_NaN();
    return static_cast<double>(m_us) / static_cast<double>(TimeSpan::MicrosecondsPerDay);
}

Time Time::GetDate() const
{
    if (IsNull())
        return Time();
    return FromMicroseconds(FloorDiv(m_us, TimeSpan::MicrosecondsPerDay) * TimeSpan::MicrosecondsPerDay);
}

TimeSpan Time::GetTime() const
{
    if (IsNull())
        return TimeSpan();
    return *this - GetDate();
}

Time& Time::operator+=(TimeSpan span)
{
    if (!IsNull())
        m_us += span.GetMicroseconds();
    return *this;
}

Time& Time::operator-=(TimeSpan span)
{
    if (!IsNull())
        m_us -= span.GetMicroseconds();
    return *this;
}

TimeSpan operator-(const Time& a, const Time& b)
{
    if (a.IsNull() || b.IsNull())
        return TimeSpan();
    return TimeSpan::FromMicroseconds(a.m_us - b.m_us);
}
