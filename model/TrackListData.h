#pragma once

#include "PointBounds.h"
#include "Time.h"
#include "TrackInfo.h"

#include <vector>

// The figures the track list and its property sheet show for one node of the
// open tracks or for a set of nodes, summed over the segments beneath them.
struct TrackListData
{
    // The node the figures are of; -1 for a set of nodes.
    int tid = -1;
    TrackInfo::Kind kind = TrackInfo::KindFile;
    // Earliest start and latest finish of the segments whose first and last
    // points both carry a time; null when there is none.
    Time start;
    Time finish;
    int pointCount = 0;
    int validCount = 0;
    // Metres along the valid points.
    double distance = 0.0;
    PointBounds bounds;
    bool computed = false;

    int GetFilteredCount() const { return pointCount - validCount; }
    bool HasTimes() const { return !start.IsNull() && !finish.IsNull(); }

    // A node that is not open gives figures with nothing computed.
    static TrackListData OfNode(int tid);
    static TrackListData OfNodes(const std::vector<int>& tids);

private:
    void AddSegment(int segmentTid);
};
