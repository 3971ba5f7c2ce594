#pragma once

#include <vector>

class TrackData;

// Marks the points whose time breaks the order of a track: points without
// time get "No time", points out of order "Wrong time". Cheap cases (all in
// order, an odd point here and there) are settled by looking at neighbours;
// longer runs out of order by the longest increasing run of times over the
// whole track.
class TimeOrderCheck
{
public:
    static constexpr int ReasonWrongTime = 11;
    static constexpr int ReasonNoTime = 16;

    static void Run(TrackData& points);

    // Whether every valid point has a time later than the valid point before.
    static bool IsInOrder(const TrackData& points);

private:
    // False when the neighbours cannot settle it and the global pass must run.
    static bool LocalPass(TrackData& points);
    static void GlobalPass(TrackData& points);
    // For each point whether it belongs to the longest strictly increasing
    // run of times (points without time never do).
    static std::vector<bool> LongestIncreasing(const TrackData& points);
};
