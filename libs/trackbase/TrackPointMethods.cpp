#include "TrackPointMethods.h"

#include "TMath.h"

#include <cmath>

namespace {

constexpr double kSemiMajorAxis = 6378137.0;             // WGS 84, metres
constexpr double kEccentricitySq = 6.69437999014e-3;     // WGS 84 first eccentricity squared

// Seconds from a to b; 0 when either time is missing.
double SecondsBetween(const TrackPoint& a, const TrackPoint& b)
{
    if (a.GetTime().IsNull() || b.GetTime().IsNull())
        return 0.0;
    return (b.GetTime() - a.GetTime()).GetInSeconds();
}

struct Motion
{
    TVector2<double> v1;
    TVector2<double> v2;
    double dt = 0.0;
    bool known = false;
};

Motion MotionOf(const TVector2<double>& ab, const TVector2<double>& bc, double dt1, double dt2)
{
    Motion m;
    if (!(dt1 > 0.0) || !(dt2 > 0.0))
        return m;
    m.v1 = ab / dt1;
    m.v2 = bc / dt2;
    m.dt = (dt1 + dt2) / 2.0;
    m.known = true;
    return m;
}

Motion MotionAt(const TrackPoint& a, const TrackPoint& b, const TrackPoint& c)
{
    const double dt1 = SecondsBetween(a, b);
    const double dt2 = SecondsBetween(b, c);
    if (!(dt1 > 0.0) || !(dt2 > 0.0))
        return {};
    return MotionOf(TrackPointMethods::GetLocalOffset(a, b), TrackPointMethods::GetLocalOffset(b, c), dt1, dt2);
}

// Offsets and velocities on the Earth are far from overflowing when
// squared, so the length needs none of hypot's care, which costs a fifth of
// measuring a track.
double LengthOf(const TVector2<double>& v)
{
    return std::sqrt(v.x * v.x + v.y * v.y);
}

// As TVector2::Normalize.
double Normalize(TVector2<double>& v)
{
    const double length = LengthOf(v);
    if (length > TMath<double>::ZERO_TOLERANCE)
        v /= length;
    else
        v = TVector2<double>();
    return length;
}

TVector2<double> Tangent(const Motion& m)
{
    TVector2<double> u1 = m.v1;
    TVector2<double> u2 = m.v2;
    Normalize(u1);
    Normalize(u2);
    TVector2<double> t = u1 + u2;
    // Turning straight back leaves no mean direction; the way out is the
    // direction of travel then.
    if (Normalize(t) <= TMath<double>::ZERO_TOLERANCE)
        t = u2.SquaredLength() > 0 ? u2 : u1;
    return t;
}

double Finite(double value)
{
    return std::isfinite(value) ? value : 0.0;
}

double DistOf(const TVector2<double>& offset)
{
    return Finite(LengthOf(offset) / 1000.0);
}

double SpeedOf(double km, double seconds)
{
    return seconds > 0.0 ? Finite(km / (seconds / 3600.0)) : 0.0;
}

double HeadingOf(const TVector2<double>& d)
{
    if (d.x == 0.0 && d.y == 0.0)
        return 0.0;
    double degrees = std::atan2(d.x, d.y) * TMath<double>::RAD_TO_DEG;
    if (degrees < 0.0)
        degrees += 360.0;
    return degrees >= 360.0 ? 0.0 : Finite(degrees);
}

double AccelOf(const Motion& m)
{
    return m.known ? Finite((LengthOf(m.v2) - LengthOf(m.v1)) / m.dt) : 0.0;
}

TVector2<double> AccelVOf(const Motion& m)
{
    if (!m.known)
        return {};
    const TVector2<double> accel = (m.v2 - m.v1) / m.dt;
    return {Finite(accel.x), Finite(accel.y)};
}

// The acceleration split along the direction of travel and across it.
struct AccelParts
{
    TVector2<double> accel;
    TVector2<double> tangent;
    double along = 0.0;
};

AccelParts PartsOf(const Motion& m)
{
    AccelParts parts;
    parts.accel = (m.v2 - m.v1) / m.dt;
    parts.tangent = Tangent(m);
    parts.along = parts.accel.Dot(parts.tangent);
    return parts;
}

double AccelTangOf(const AccelParts& parts)
{
    return Finite(parts.along);
}

double AccelNormOf(const AccelParts& parts)
{
    return Finite(LengthOf(parts.accel - parts.tangent * parts.along));
}

double AccelTangOf(const Motion& m)
{
    return m.known ? AccelTangOf(PartsOf(m)) : 0.0;
}

double AccelNormOf(const Motion& m)
{
    return m.known ? AccelNormOf(PartsOf(m)) : 0.0;
}

} // namespace

TVector2<double> TrackPointMethods::GetLocalOffset(const TrackPointBase& from, const TrackPointBase& to)
{
    const double lat = (from.GetLat() + to.GetLat()) / 2.0 * TMath<double>::DEG_TO_RAD;
    const double s = std::sin(lat);
    const double w = 1.0 - kEccentricitySq * s * s;
    const double meridional = kSemiMajorAxis * (1.0 - kEccentricitySq) / (w * std::sqrt(w));
    const double primeVertical = kSemiMajorAxis / std::sqrt(w);

    double dLon = to.GetLon() - from.GetLon();
    // The short way round across the antimeridian.
    if (dLon > 180.0)
        dLon -= 360.0;
    else if (dLon < -180.0)
        dLon += 360.0;
    const double dLat = to.GetLat() - from.GetLat();
    return {dLon * TMath<double>::DEG_TO_RAD * primeVertical * std::cos(lat),
            dLat * TMath<double>::DEG_TO_RAD * meridional};
}

double TrackPointMethods::GetRoughDist(const TrackPointBase& a, const TrackPointBase& b)
{
    return DistOf(GetLocalOffset(a, b));
}

double TrackPointMethods::GetSpeed(const TrackPoint& a, const TrackPoint& b)
{
    const double seconds = SecondsBetween(a, b);
    return seconds > 0.0 ? SpeedOf(GetRoughDist(a, b), seconds) : 0.0;
}

double TrackPointMethods::GetHeading(const TrackPointBase& a, const TrackPointBase& b)
{
    return HeadingOf(GetLocalOffset(a, b));
}

double TrackPointMethods::GetAccel(const TrackPoint& a, const TrackPoint& b, const TrackPoint& c)
{
    return AccelOf(MotionAt(a, b, c));
}

TVector2<double> TrackPointMethods::GetAccelV(const TrackPoint& a, const TrackPoint& b, const TrackPoint& c)
{
    return AccelVOf(MotionAt(a, b, c));
}

double TrackPointMethods::GetAccelTang(const TrackPoint& a, const TrackPoint& b, const TrackPoint& c)
{
    return AccelTangOf(MotionAt(a, b, c));
}

double TrackPointMethods::GetAccelNorm(const TrackPoint& a, const TrackPoint& b, const TrackPoint& c)
{
    return AccelNormOf(MotionAt(a, b, c));
}

TrackPointMethods::Leg TrackPointMethods::LegOf(const TrackPoint& a, const TrackPoint& b)
{
    return {GetLocalOffset(a, b), SecondsBetween(a, b)};
}

TrackPointMethods::Measures TrackPointMethods::Measure(const TrackPoint& a, const TrackPoint& b)
{
    return Measure(LegOf(a, b));
}

TrackPointMethods::Measures TrackPointMethods::Measure(const TrackPoint& a, const TrackPoint& b,
                                                       const TrackPoint& c)
{
    return Measure(LegOf(a, b), LegOf(b, c));
}

TrackPointMethods::Measures TrackPointMethods::Measure(const Leg& ab)
{
    Measures measures;
    measures.dist = DistOf(ab.offset);
    measures.speed = SpeedOf(measures.dist, ab.seconds);
    measures.heading = HeadingOf(ab.offset);
    return measures;
}

TrackPointMethods::Measures TrackPointMethods::Measure(const Leg& ab, const Leg& bc)
{
    Measures measures = Measure(ab);
    if (ab.seconds > 0.0 && bc.seconds > 0.0) {
        const Motion m = MotionOf(ab.offset, bc.offset, ab.seconds, bc.seconds);
        const AccelParts parts = PartsOf(m);
        measures.accelV = AccelVOf(m);
        measures.accel = AccelOf(m);
        measures.accelTang = AccelTangOf(parts);
        measures.accelNorm = AccelNormOf(parts);
    }
    return measures;
}
