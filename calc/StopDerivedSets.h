#pragma once

#include "StopFinder.h"
#include "TrackPoint.h"

#include <vector>

// The point sets the stop command derives from a track, given its valid
// points in order and the stops found among them (positions in that list).
// A stop stands as one point: its median position and elevation at the
// time of its middle point.
class StopDerivedSets
{
public:
    StopDerivedSets(const std::vector<TrackPoint>& points, const std::vector<StopFinder::Stop>& stops);

    // Every stop as one point; every moving point replaced by the median of
    // the moving points within halfWindow of it on either side, so that a
    // stray fix does not pull the shape.
    std::vector<TrackPoint> Shadow(int halfWindow) const;
    // The moving points as recorded, the stops left out.
    std::vector<TrackPoint> Detailed() const;
    // The outline: the first point, one point per stop, the last point
    // (the ends only when no stop holds them).
    std::vector<TrackPoint> Rare() const;

private:
    TrackPoint StopPoint(const StopFinder::Stop& stop) const;
    // The moving runs: [first, last] position pairs between the stops.
    std::vector<std::pair<int, int>> MovingRuns() const;
    TrackPoint MedianPoint(int first, int last, int timeOf) const;

    const std::vector<TrackPoint>& m_points;
    const std::vector<StopFinder::Stop>& m_stops;
};
