#pragma once

#include "TVector2.h"
#include "TrackPoint.h"

// Kinematics of consecutive points, in the program's internal units.
//
// Distances use a local metric frame: the WGS 84 ellipsoid is replaced near
// the points by its radii of curvature at their mean latitude (meridional M
// along north, prime-vertical N·cos(lat) along east). For legs up to 100 km
// away from the poles this stays within 0.5 % of the geodesic distance, at a
// fraction of its cost.
//
// With positions p and times t of points a, b, c and dt1 = t(b) - t(a),
// dt2 = t(c) - t(b) in seconds, in the frame centred on b:
//   v1 = (p(b) - p(a)) / dt1, v2 = (p(c) - p(b)) / dt2   velocities, m/s
//   dt = (dt1 + dt2) / 2                                  the time between them
//   GetAccelV    = (v2 - v1) / dt                         acceleration vector (east, north)
//   GetAccel     = (|v2| - |v1|) / dt                     change of speed (negative: braking)
//   tangent      = direction of travel at b: unit(unit(v1) + unit(v2)),
//                  or of whichever velocity is not zero
//   GetAccelTang = GetAccelV · tangent                    along the path, signed
//   GetAccelNorm = |GetAccelV - GetAccelTang · tangent|   across the path (radial), >= 0
// A missing time or a time difference that is not positive gives 0 for
// speeds and accelerations, never NaN or infinity.
class TrackPointMethods
{
public:
    // Horizontal distance in kilometres.
    static double GetRoughDist(const TrackPointBase& a, const TrackPointBase& b);
    // Speed from a to b in km/h.
    static double GetSpeed(const TrackPoint& a, const TrackPoint& b);
    // Heading from a to b in degrees clockwise from north, [0, 360); 0 when
    // the points coincide.
    static double GetHeading(const TrackPointBase& a, const TrackPointBase& b);

    // Accelerations at b over a, b, c in m/s² (see above).
    static double GetAccel(const TrackPoint& a, const TrackPoint& b, const TrackPoint& c);
    static TVector2<double> GetAccelV(const TrackPoint& a, const TrackPoint& b, const TrackPoint& c);
    static double GetAccelTang(const TrackPoint& a, const TrackPoint& b, const TrackPoint& c);
    static double GetAccelNorm(const TrackPoint& a, const TrackPoint& b, const TrackPoint& c);

    // Offset of `to` from `from` in metres (east, north) in the local frame.
    static TVector2<double> GetLocalOffset(const TrackPointBase& from, const TrackPointBase& to);

    // What the functions above give for b after a (and, with c, before c),
    // from one local offset per leg instead of one per figure; each value
    // is exactly what its function returns.
    struct Measures
    {
        double dist = 0;    // GetRoughDist(a, b)
        double speed = 0;   // GetSpeed(a, b)
        double heading = 0; // GetHeading(a, b)
        TVector2<double> accelV;
        double accel = 0;
        double accelTang = 0;
        double accelNorm = 0;
    };
    static Measures Measure(const TrackPoint& a, const TrackPoint& b);
    static Measures Measure(const TrackPoint& a, const TrackPoint& b, const TrackPoint& c);

    // One leg's offset and seconds (0 when either time is missing), so that
    // a pass along a track measures each leg once: the leg after b is the
    // leg before the next point.
    struct Leg
    {
        TVector2<double> offset;
        double seconds = 0;
    };
    static Leg LegOf(const TrackPoint& a, const TrackPoint& b);
    static Measures Measure(const Leg& ab);
    static Measures Measure(const Leg& ab, const Leg& bc);
};
