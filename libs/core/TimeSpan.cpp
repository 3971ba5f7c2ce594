#include "TimeSpan.h"

#include <cmath>

namespace {

constexpr double UnitMicroseconds[] = {
    1e6,          // Seconds
    60e6,         // Minutes
    3600e6,       // Hours
    86400e6,      // Days
};

// Nearest whole microsecond; anything that does not fit (NaN, infinities,
// spans beyond about 290,000 years) becomes zero rather than undefined.
int64_t RoundMicroseconds(double us)
{
    if (!(std::fabs(us) < 9.2e18))
        return 0;
    return std::llround(us);
}

} // namespace

TimeSpan::TimeSpan(Duration unit, double value)
{
    const int index = (unit >= Seconds && unit <= Days) ? unit : Seconds;
    m_us = RoundMicroseconds(value * UnitMicroseconds[index]);
}

double TimeSpan::GetInSeconds() const
{
    return static_cast<double>(m_us) / UnitMicroseconds[Seconds];
}

double TimeSpan::GetInMinutes() const
{
    return static_cast<double>(m_us) / UnitMicroseconds[Minutes];
}

double TimeSpan::GetInHours() const
{
    return static_cast<double>(m_us) / UnitMicroseconds[Hours];
}

double TimeSpan::GetInDays() const
{
    return static_cast<double>(m_us) / UnitMicroseconds[Days];
}

TimeSpan operator*(TimeSpan span, double factor)
{
    return TimeSpan::FromMicroseconds(RoundMicroseconds(static_cast<double>(span.m_us) * factor));
}

TimeSpan operator/(TimeSpan span, double divisor)
{
    return TimeSpan::FromMicroseconds(RoundMicroseconds(static_cast<double>(span.m_us) / divisor));
}
