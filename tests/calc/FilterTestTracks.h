#pragma once

#include "Track.h"
#include "TrackPoint.h"

#include <memory>
#include <vector>

namespace filtertest {

// A point east and north of a fixed origin on the equator (metres) at
// base time + seconds. Near the origin a metre east and a metre north are
// the same length, so headings come out as drawn.
TrackPoint At(double east, double north, double seconds);
// The point `metres` away from `from` in the direction `heading` (degrees
// clockwise from north), `seconds` after base time.
TrackPoint Towards(const TrackPoint& from, double heading, double metres, double seconds);
// A track of its own over copies of the points.
std::shared_ptr<Track> MakeTrack(const std::vector<TrackPoint>& points);
// The filter reason of every point, 0 for a valid one.
std::vector<int> ReasonsOf(const Track& track);

} // namespace filtertest
