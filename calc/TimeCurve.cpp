#include "TimeCurve.h"

#include "LocalRecord.h"

#include <algorithm>

namespace {

struct Velocity
{
    double lon = 0;
    double lat = 0;
};

Velocity Chord(const LocalRecord& a, const LocalRecord& b)
{
    const double dt = b.seconds - a.seconds;
    return {(b.lon - a.lon) / dt, (b.lat - a.lat) / dt};
}

// The velocity at mid of the parabola through the three records; fallback
// when a time step is not usable (an end of the track, where an outer record
// is mid itself).
Velocity Tangent(const LocalRecord& prev, const LocalRecord& mid, const LocalRecord& next, Velocity fallback)
{
    if (!(mid.seconds > prev.seconds) || !(next.seconds > mid.seconds))
        return fallback;
    const Velocity in = Chord(prev, mid);
    const Velocity across = Chord(prev, next);
    const Velocity out = Chord(mid, next);
    return {in.lon - across.lon + out.lon, in.lat - across.lat + out.lat};
}

} // namespace

TimeCurve::TimeCurve(const LocalRecord& before, const LocalRecord& from, const LocalRecord& to,
                     const LocalRecord& after)
    : m_before(before), m_from(from), m_to(to), m_after(after)
{
}

void TimeCurve::Evaluate(double seconds, double& lon, double& lat) const
{
    const double dt = m_to.seconds - m_from.seconds;
    double s = (seconds - m_from.seconds) / dt;
    if (!(dt > 0) || !(s == s)) {
        lon = (m_from.lon + m_to.lon) * 0.5;
        lat = (m_from.lat + m_to.lat) * 0.5;
        return;
    }
    s = std::clamp(s, 0.0, 1.0);
    const Velocity chord = Chord(m_from, m_to);
    const Velocity v0 = Tangent(m_before, m_from, m_to, chord);
    const Velocity v1 = Tangent(m_from, m_to, m_after, chord);
    const double s2 = s * s;
    const double s3 = s2 * s;
    const double h00 = 2 * s3 - 3 * s2 + 1;
    const double h10 = (s3 - 2 * s2 + s) * dt;
    const double h01 = -2 * s3 + 3 * s2;
    const double h11 = (s3 - s2) * dt;
    lon = h00 * m_from.lon + h10 * v0.lon + h01 * m_to.lon + h11 * v1.lon;
    lat = h00 * m_from.lat + h10 * v0.lat + h01 * m_to.lat + h11 * v1.lat;
}
