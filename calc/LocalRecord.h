#pragma once

#include <cmath>
#include <numbers>

// One entry of the working state of the local-inconsistency and stop
// analyses: a valid point of the track, or a synthetic record placed
// between two of them (index -1), which is never written back.
struct LocalRecord
{
    static constexpr double KmPerDegree = 111.11111111111111;

    double lon = 0;
    double lat = 0;
    // From the first point of the run; NaN when the point has no time.
    double seconds = 0;
    // Per mille, 0 to 1000.
    int score = 0;
    int index = -1;

    bool IsSynthetic() const { return index < 0; }

    // Kilometres on a flat approximation, the longitude difference scaled
    // by the cosine of the mean latitude: exact enough over the few hundred
    // metres these analyses look at, and much cheaper than a geodesic.
    static double DistanceKm(double lonA, double latA, double lonB, double latB)
    {
        return DistanceKm(lonA, latA, lonB, latB, std::cos((latA + latB) * 0.5 * std::numbers::pi / 180.0));
    }
    // With the cosine given: one for all distances within a small
    // neighbourhood, where the latitudes differ by far less than a degree.
    static double DistanceKm(double lonA, double latA, double lonB, double latB, double cosLat)
    {
        const double dx = (lonB - lonA) * cosLat;
        const double dy = latB - latA;
        return KmPerDegree * std::sqrt(dx * dx + dy * dy);
    }
    static double DistanceKm(const LocalRecord& a, const LocalRecord& b)
    {
        return DistanceKm(a.lon, a.lat, b.lon, b.lat);
    }
};
