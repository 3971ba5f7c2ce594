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
// How much faster than its neighbours the mover would have had to go to
// visit a record before that record counts as off their path.
constexpr double PlausibleSpeedFactor = 1.5;

// 0 when the times do not move forward: such a leg shows no pace.
double LegSpeed(double km, const LocalRecord& from, const LocalRecord& to)
{
    const double seconds = to.seconds - from.seconds;
    return seconds > 0 ? km / seconds : 0.0;
}

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
    if (score <= ShortcutCap)
        return score;
    // A record that lies nearly on the straight way from P to N is on the
    // path whatever the clock says: irregular sampling or a change of pace
    // moves the expected position along the path, not the record off it.
    if (detour < ShortcutFactor * distance(p.lon, p.lat, n.lon, n.lat))
        return ShortcutCap;
    // Nor is a corner that the mover could take at the pace of its
    // neighbours: sparse samples of a hairpin or a tight loop leave the
    // curve behind, but an outlier needs a leap that the neighbours never
    // make. Without times the comparison fails and the score stands.
    const auto pathSpeed = [&records, &distance](int from, int to) {
        double km = 0;
        for (int k = from; k < to; ++k) {
            const LocalRecord& a = records[static_cast<size_t>(k)];
            const LocalRecord& b = records[static_cast<size_t>(k + 1)];
            km += distance(a.lon, a.lat, b.lon, b.lat);
        }
        return LegSpeed(km, records[static_cast<size_t>(from)], records[static_cast<size_t>(to)]);
    };
    const double neighbourSpeed = std::max(pathSpeed(first, i - pattern.before), pathSpeed(i + pattern.after, last));
    const double detourSeconds = n.seconds - p.seconds;
    if (detourSeconds > 0 && detour / detourSeconds <= PlausibleSpeedFactor * neighbourSpeed)
        return ShortcutCap;
    return score;
}
