#pragma once

#include "RestructureParams.h"
#include "TrackPoint.h"

#include <map>
#include <set>
#include <vector>

// Where the concatenated points of a file are cut when its tree is rebuilt:
// point index -> the kind of cut after that point.
class CutMap
{
public:
    enum Kind {
        NewFolder = 0,
        End = 1,
        NewSegment = 2,
    };

    // A segment cut fewer than this many points after the previous cut
    // would leave a segment too short to stand alone.
    static constexpr int MinSegmentPoints = 13;

    // Cuts at the time gaps between neighbours; the kept breaks (indices in
    // ascending order, each the last point of a segment) are cut as well,
    // and the last point ends the map. No points, no cuts.
    CutMap(const std::vector<TrackPoint>& points, const RestructureParams& params,
           const std::vector<int>& keptBreaks);

    // Removes the segment cuts that lie fewer than MinSegmentPoints points
    // after the cut before them, unless they are kept breaks. The first cut
    // has none before it and stays, so do folder cuts and the end.
    void DropShortSegments();

    const std::map<int, Kind>& GetCuts() const { return m_cuts; }
    const std::set<int>& GetKeptBreaks() const { return m_keptBreaks; }

private:
    std::map<int, Kind> m_cuts;
    std::set<int> m_keptBreaks;
};
