#pragma once

#include "TimeSpan.h"
#include "TrackPoint.h"

#include <vector>

class OpenTracksModel;
class Track;

// Adds interpolated points between neighbours that lie further apart than a
// time or distance step, so that a sparse recording can be drawn and
// measured like a dense one.
class IncreaseFrequency
{
public:
    // At most this many points after one run: a stray timestamp years off
    // would otherwise fill the memory with invented points along one leg.
    static constexpr unsigned long long MaxPoints = 20'000'000;

    // The number of points the segments would hold after densifying;
    // counting stops once it passes MaxPoints.
    static unsigned long long CountPoints(const OpenTracksModel& model, const std::vector<int>& segmentTids,
                                          TimeSpan timeStep, double distStepMeters);

    // The densified copy of one segment's points. A zero step is not used.
    // Original points keep their place, values and status; nothing is
    // inserted next to a filtered point.
    static std::vector<TrackPoint> Densify(const std::vector<TrackPoint>& points, TimeSpan timeStep,
                                           double distStepMeters);

    // Densifies an open segment in place; its navigator and calculated data
    // follow.
    static void Apply(Track& segment, TimeSpan timeStep, double distStepMeters);
    // Densifies the open segments of the model; false, and nothing changed,
    // when they would hold more than MaxPoints.
    static bool ApplyToSegments(OpenTracksModel& model, const std::vector<int>& segmentTids, TimeSpan timeStep,
                                double distStepMeters);

    // Into how many parts the leg from p to q is cut (1: nothing inserted).
    static long long CountParts(const TrackPoint& p, const TrackPoint& q, TimeSpan timeStep, double distStepMeters);
    // The point at the fraction j / k of the way from p to q.
    static TrackPoint Interpolate(const TrackPoint& p, const TrackPoint& q, long long j, long long k);
};
