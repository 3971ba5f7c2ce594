#include "NeighbourTest.h"

#include "TimeCurve.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double MinReferenceKm = 1e-9;
constexpr double FullRatio = 3.0;
constexpr double ScorePerRatio = 500.0;
constexpr double ShortcutFactor = 1.1;
constexpr int ShortcutCap = 150;
constexpr int MaxScore = 1000;

} // namespace

int NeighbourTest::Evaluate(const std::vector<LocalRecord>& records, int i, const NeighbourPattern& pattern)
{
    const int first = i - pattern.outerBefore;
    const int last = i + pattern.outerAfter;
    if (first < 0 || last >= static_cast<int>(records.size()))
        return NoValue;
    const LocalRecord& x = records[static_cast<size_t>(i)];
    const LocalRecord& p = records[static_cast<size_t>(i - pattern.before)];
    const LocalRecord& n = records[static_cast<size_t>(i + pattern.after)];

    double expectedLon = 0;
    double expectedLat = 0;
    TimeCurve(records[static_cast<size_t>(first)], p, n, records[static_cast<size_t>(last)])
        .Evaluate(x.seconds, expectedLon, expectedLat);

    // This runs millions of times per track: one cosine serves the whole
    // neighbourhood.
    const double cosLat = std::cos(x.lat * std::numbers::pi / 180.0);
    const auto distance = [cosLat](double lonA, double latA, double lonB, double latB) {
        return LocalRecord::DistanceKm(lonA, latA, lonB, latB, cosLat);
    };
    const double ref = distance(expectedLon, expectedLat, n.lon, n.lat) + distance(expectedLon, expectedLat, p.lon, p.lat);
    if (ref < MinReferenceKm)
        return DegenerateScore;
    const double detour = distance(p.lon, p.lat, x.lon, x.lat) + distance(x.lon, x.lat, n.lon, n.lat);
    const double offPath = distance(expectedLon, expectedLat, x.lon, x.lat);
    const double r = (detour + 0.5 * offPath) / ref;

    int score = 0;
    if (r >= FullRatio)
        score = MaxScore;
    else if (r >= 1.0)
        score = static_cast<int>((r - 1.0) * ScorePerRatio);
    else
        score = static_cast<int>(std::min(-100.0 * std::log(r), static_cast<double>(MaxScore)));
    if (ShortcutFactor * detour < distance(p.lon, p.lat, n.lon, n.lat))
        score = std::min(score, ShortcutCap);
    return score;
}
