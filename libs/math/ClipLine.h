#pragma once

#include "TAABox2.h"
#include "TVector2.h"

#include <algorithm>

// Outcome of clipping a segment a-b to a box. Bit 0 says that the end b was
// cut, bit 1 that the start a was cut, so a polyline drawn piece by piece
// must be broken after a piece whose result has bit 0 set (1 or 3).
enum IntxnResult2
{
    IntxnOutside = 0,  // nothing of the segment lies in the box
    IntxnEndCut = 1,   // b was moved onto the box edge
    IntxnStartCut = 2, // a was moved onto the box edge
    IntxnBothCut = 3,  // a and b were moved
    IntxnInside = 4,   // the whole segment lies in the box, nothing moved
};

// Clips the segment a-b to the box (edges included) in place, Liang-Barsky.
// A cut end lands exactly on the box edge. When the result is IntxnOutside,
// a and b are left as they were. A segment that only touches the box
// becomes a single point.
template <typename T>
IntxnResult2 ClipLine(const TAABox2<T>& box, TVector2<T>& a, TVector2<T>& b)
{
    if (box.IsEmpty())
        return IntxnOutside;

    const TVector2<T> d = b - a;
    T tStart = T(0);
    T tEnd = T(1);
    // Each edge as p * t <= q: the part of the line on the inner side of it.
    const T p[4] = {-d.x, d.x, -d.y, d.y};
    const T q[4] = {a.x - box.min.x, box.max.x - a.x, a.y - box.min.y, box.max.y - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == T(0)) {
            // Parallel to this edge: wholly inside or wholly outside of it.
            if (q[i] < T(0))
                return IntxnOutside;
            continue;
        }
        const T t = q[i] / p[i];
        if (p[i] < T(0)) {
            // Entering through this edge.
            if (t > tEnd)
                return IntxnOutside;
            tStart = std::max(tStart, t);
        } else {
            // Leaving through this edge.
            if (t < tStart)
                return IntxnOutside;
            tEnd = std::min(tEnd, t);
        }
    }

    // Rounding may leave a computed point a hair outside the box; the cut
    // point is on an edge by construction, so clamp it there.
    auto clampToBox = [&box](TVector2<T> v) {
        return TVector2<T>(std::clamp(v.x, box.min.x, box.max.x),
                           std::clamp(v.y, box.min.y, box.max.y));
    };
    const TVector2<T> start = a;
    int result = 0;
    if (tEnd < T(1)) {
        b = clampToBox(start + d * tEnd);
        result |= IntxnEndCut;
    }
    if (tStart > T(0)) {
        a = clampToBox(start + d * tStart);
        result |= IntxnStartCut;
    }
    return result == 0 ? IntxnInside : static_cast<IntxnResult2>(result);
}
