#pragma once

#include "CalcTrackParams.h"
#include "PointBounds.h"
#include "TrackData.h"

#include <boost/signals2/connection.hpp>

#include <vector>

class TrackPtNavI;

// The state of one track's calculated data.
struct CalcDataInternal
{
    // One record per point, index for index with the points.
    std::vector<CalcTrackParams> records;
    PointBounds validBounds;
    PointBounds filteredBounds;
    // Aggregates over the valid points: the minimum keeps the smallest Dist
    // and, in Accel, the smallest AccelAbs; the maximum the largest Dist,
    // Speed and, in Accel, the largest AccelAbs.
    CalcTrackParams minimum;
    CalcTrackParams maximum;
    // The track's navigator and points; the navigator belongs to the track.
    const TrackPtNavI* navigator = nullptr;
    TrackDataPtr points;
    // The application tick, for the deferred full recalculation.
    boost::signals2::scoped_connection tick;
};
