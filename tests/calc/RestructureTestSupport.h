#pragma once

#include "OpenTracksTestBench.h"
#include "TimeSpan.h"
#include "TrackPoint.h"

#include <vector>

namespace restructuretest {

// 2024-05-01 10:00:00 UTC.
Time Base();
TimeSpan Minutes(double minutes);

// Appends count points 10 s apart; the first comes gap after the last point
// so far (at Base() when there is none). Every point has its own longitude.
void AppendRun(std::vector<TrackPoint>& points, int count, TimeSpan gap = TimeSpan::FromSeconds(10));
std::vector<TrackPoint> TimedRun(int count, TimeSpan gap = TimeSpan::FromSeconds(10));

// The kinds of the children of tid, in order.
std::vector<int> ChildKinds(const OpenTracksModel& model, int tid);

} // namespace restructuretest
