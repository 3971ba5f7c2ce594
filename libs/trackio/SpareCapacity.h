#pragma once

#include "TrackData.h"

// Point arrays filled while reading grow by doubling, or were reserved for
// more points than came; the unused room is given back once the array is
// complete, so that a loaded point costs little more than its own size.
class SpareCapacity
{
public:
    static void Release(TrackData& points)
    {
        const std::vector<TrackPoint>& all = points.GetPoints();
        if (all.capacity() > all.size() + all.size() / 8)
            points.Compact();
    }
};
