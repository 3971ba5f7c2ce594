#pragma once

#include "CalcTrackParams.h"
#include "TrackData.h"

#include <cmath>
#include <initializer_list>
#include <limits>
#include <vector>

class TrackI;
class TrackPtNavI;
class TrackX;

namespace tracktest {

constexpr double NoTime = std::numeric_limits<double>::quiet_NaN();

// The time base of the test tracks.
Time BaseTime();
// A point on the equator, lon degrees east, at base + seconds (NaN: no time).
TrackPoint PointAt(double lon, double seconds, double elevation = 0.0);
// Points 0.001 degree apart eastwards along the equator, one per time.
TrackDataPtr TrackWithTimes(std::initializer_list<double> seconds);
TrackDataPtr MakeData(std::vector<TrackPoint> points);

void Filter(TrackData& data, int index, int reason = 7);
// The filter reasons of all points, 0 for a valid one.
std::vector<int> Reasons(const TrackData& data);

// The navigator's lists, asked through the interface.
std::vector<int> ValidIndices(const TrackPtNavI& navigator);
std::vector<int> FilteredIndices(const TrackPtNavI& navigator);

// The records computed straight from their definition, without navigator:
// neighbours found by scanning. DistFromStart is left 0 for filtered points.
std::vector<CalcTrackParams> ReferenceRecords(const std::vector<TrackPoint>& points);

// Every point, its status and record of a track against its raw points and
// the reference (gtest failures carry the index). withDistances also
// compares the distances from start of valid points and the bounds.
void ExpectConsistent(const TrackI& track, const std::vector<TrackPoint>& points, bool withDistances);

// A composite against its parts: points, navigator lists, segment tids,
// index conversion, parent offsets and records (with distances from start
// running on across the parts when withDistances).
void ExpectCompositeAgrees(const TrackX& composite, bool withDistances);

// The points of a track read through TrackMainI.
std::vector<TrackPoint> PointsOf(const TrackI& track);

} // namespace tracktest
