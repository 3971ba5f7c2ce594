#pragma once

#include "ProfileQuantity.h"

#include <array>
#include <cstdint>
#include <vector>

class TrackI;

// What the profile charts against.
enum class ProfileAxis { Distance = 0, Elapsed = 1, TimeOfDay = 2 };

// The valid points of one segment laid out for charting: for every sample
// its point index, its distance from the start, its time, the values it
// carries (NaN where it carries none) and whether the line breaks before it.
// Filtered points are left out. Built once per change of the segment's
// points; everything the chart draws is read from here.
struct ProfileSeries
{
    // A step counts as a gap when it is this many times the typical
    // (median) step and at least the floor below.
    static constexpr double GapFactor = 10.0;
    static constexpr double MinGapSeconds = 60.0;
    static constexpr double MinGapMetres = 200.0;
    // Steepness is taken over at least this run, so elevation noise between
    // close points does not make it jump.
    static constexpr double SteepnessRunMetres = 20.0;

    int tid = -1;
    std::vector<int> indices;
    std::vector<double> metres;
    // Absolute UTC seconds; NaN for a point without time.
    std::vector<double> seconds;
    std::array<std::vector<float>, ProfileQuantity::Count> values;
    std::array<bool, ProfileQuantity::Count> carried{};
    // 1 where the step from the previous sample is a gap in time or distance.
    std::vector<uint8_t> breakBefore;
    bool hasTimes = false;

    static ProfileSeries Build(const TrackI& segment);

    int Size() const { return static_cast<int>(indices.size()); }
    // The x of every sample along the axis: metres for distance, absolute
    // seconds for both time axes.
    const std::vector<double>& X(ProfileAxis axis) const { return axis == ProfileAxis::Distance ? metres : seconds; }
    // The sample of a point index, or -1 when the point is not charted.
    int SampleOfPoint(int index) const;
};
