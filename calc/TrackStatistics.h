#pragma once

#include <optional>

class TrackMainI;

// What the statistics count as moving and as climbing; the user's choice is
// kept by StatisticsOptions.
struct StatisticsParams
{
    // A leg between two kept points whose speed is above this counts as
    // moving, km/h: slower than anyone walks on purpose, faster than the
    // drift of a receiver lying still.
    double movingSpeedKmh = 2.0;
    // Elevation changes smaller than this do not count as climbs, metres.
    // On recorded activities 1 to 2 m came closest to the totals their
    // devices stored; 2 m also keeps GPS-only heights calmer.
    double climbHysteresisMetres = 2.0;
};

// The figures of a segment, of a range of its points, or summed over several
// segments. Filtered points are left out of every figure but the counts; a
// figure the points cannot give (no times, no elevations, no heart rate) is
// empty. Distances are metres, times seconds, speeds km/h.
struct TrackStatistics
{
    int points = 0;
    int filtered = 0;
    // Along the kept points.
    double distance = 0;
    // From the first to the last kept point with a time, summed over the
    // segments, so the gaps between segments do not count.
    std::optional<double> duration;
    std::optional<double> movingTime;
    // The distance of the legs that count as moving.
    double movingDistance = 0;
    // The largest speed of a leg, as the point list shows it for the point
    // at the leg's end.
    std::optional<double> maxSpeed;
    std::optional<double> ascent;
    std::optional<double> descent;
    std::optional<double> minElevation;
    std::optional<double> maxElevation;
    std::optional<int> maxHeartRate;
    std::optional<int> maxCadence;
    // Sums and counts of the points that carry the value, for the averages.
    double heartRateSum = 0;
    int heartRateCount = 0;
    double cadenceSum = 0;
    int cadenceCount = 0;

    // Distance over duration; empty without a duration above zero.
    std::optional<double> GetAverageSpeed() const;
    // Moving distance over moving time; empty without moving time.
    std::optional<double> GetAverageMovingSpeed() const;
    // Over the kept points that carry a value.
    std::optional<double> GetAverageHeartRate() const;
    std::optional<double> GetAverageCadence() const;

    // Sums another segment's figures into these: counts, distances and
    // times add up, extremes take the extreme, averages weigh by points.
    void Add(const TrackStatistics& other);

    // The points first..last of one segment (last -1: to the end; indices
    // are clamped to the points). The first kept point of the range starts
    // it: the leg that leads to it from outside does not count.
    static TrackStatistics OfRange(const TrackMainI& segment, int first, int last, const StatisticsParams& params);
};
