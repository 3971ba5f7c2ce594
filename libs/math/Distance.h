#pragma once

#include "TVector2.h"

#include <algorithm>
#include <cmath>

// Distances between a point and a segment a-b. A segment with a == b is the
// point a.
namespace Distance {

// The squared distance from p to the segment; nearest gets the point of the
// segment closest to p.
template <typename T>
T PtToLineNearestSq(const TVector2<T>& p, const TVector2<T>& a, const TVector2<T>& b,
                    TVector2<T>& nearest)
{
    const TVector2<T> d = b - a;
    const T lengthSq = d.SquaredLength();
    const T t = lengthSq > T(0) ? std::clamp((p - a).Dot(d) / lengthSq, T(0), T(1)) : T(0);
    nearest = t >= T(1) ? b : a + d * t;
    return (p - nearest).SquaredLength();
}

template <typename T>
T PtToLineSq(const TVector2<T>& p, const TVector2<T>& a, const TVector2<T>& b)
{
    TVector2<T> nearest;
    return PtToLineNearestSq(p, a, b, nearest);
}

// The distance (not squared) from p to the segment, and its nearest point.
template <typename T>
T PtToLineEx(const TVector2<T>& p, const TVector2<T>& a, const TVector2<T>& b,
             TVector2<T>& nearest)
{
    return std::sqrt(PtToLineNearestSq(p, a, b, nearest));
}

} // namespace Distance
