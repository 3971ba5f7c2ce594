#pragma once

#include "TrackStatistics.h"

#include <vector>

// The statistics of the open tracks, found by tid, with the user's
// parameters (StatisticsOptions). Unknown tids count as nothing.
namespace OpenTrackStatistics {

// The points first..last of the segment segmentTid (last -1: to its end):
// what a chart shows for the range the user marked on it.
TrackStatistics OfSegmentRange(int segmentTid, int first, int last);
// Summed over the segments beneath the nodes (files, folders, segments),
// each segment once.
TrackStatistics OfNodes(const std::vector<int>& tids);

} // namespace OpenTrackStatistics
