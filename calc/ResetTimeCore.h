#pragma once

#include "Time.h"

#include <functional>

class TrackDataI;

// Regenerates the timestamps of one track (a segment, or a file or folder
// seen as one sequence): fills points without time at a constant speed or by
// interpolation between known times, and on request discards recorded times
// so that the track runs at an even pace. Every point that gets a time here
// is marked as regenerated; one filtered only for a missing or wrong time
// becomes valid again. One pass or two over the points, whatever they hold.
class ResetTimeCore
{
public:
    // What the points' times look like, in the order they are checked.
    enum TimeCase {
        // No points, or every point has a time.
        AllTimed = 1,
        NoTimes = 2,
        // Some times; the first or last point has none, or the first time is
        // not before the last.
        SomeTimes = 3,
        // Some times, the first and last have one, in order.
        Ordered = 4,
    };

    struct TimeState
    {
        TimeCase timeCase = AllTimed;
        // Two points with times, and the first of those not before the last.
        bool inverted = false;
    };

    // What the user chose: the start (UTC) for NoTimes and the speed for
    // NoTimes and SomeTimes.
    struct Choice
    {
        Time start;
        double speedKmh = 0.0;
    };
    // Asked with the case to run; false cancels.
    using Ask = std::function<bool(TimeCase mode, Choice& choice)>;

    explicit ResetTimeCore(TrackDataI& points) : m_points(points) {}

    TimeState GetTimeState() const;

    // The whole decision: a fully timed track in order is left alone unless
    // forced, and then spread evenly between its first and last time without
    // asking; otherwise ask decides. False when ask declined; the points are
    // then unchanged.
    bool Run(bool force, const Ask& ask);

    // Fills the times as mode says. With discard, recorded times that stand
    // between the kept ones are dropped first (all interior times, or in
    // SomeTimes those between its first and last time), and the first kept
    // time too when it is not before the last.
    void Apply(TimeCase mode, bool discard, const Choice& choice);

    // Every point loses its time.
    void ClearTimes();

    // How many points got a time so far; none means nothing changed.
    int GetRegeneratedCount() const { return m_regenerated; }

private:
    int FirstTimed() const;
    int LastTimed() const;
    bool HasTime(int index) const;
    const Time& TimeAt(int index) const;
    // The distance from point index to the next one, km, never below 1 m,
    // so that points on the same spot still get different times.
    double Step(int index) const;
    void DiscardBetween(int first, int last);
    void Regenerate(int index, const Time& time);
    void FillForward(int anchor, int last, double speedKmh);
    void FillBackward(int anchor, int first, double speedKmh);
    // Each run without time between two timed points ends at the second.
    void FillGaps();
    void Interpolate(int from, int to);

    TrackDataI& m_points;
    int m_regenerated = 0;
};
