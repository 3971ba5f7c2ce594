#include "StopDerivedSets.h"

#include "Median.h"

#include <algorithm>

StopDerivedSets::StopDerivedSets(const std::vector<TrackPoint>& points, const std::vector<StopFinder::Stop>& stops)
    : m_points(points), m_stops(stops)
{
}

TrackPoint StopDerivedSets::MedianPoint(int first, int last, int timeOf) const
{
    std::vector<double> lons;
    std::vector<double> lats;
    std::vector<double> elevations;
    for (int i = first; i <= last; ++i) {
        const TrackPoint& point = m_points[static_cast<size_t>(i)];
        lons.push_back(point.GetLon());
        lats.push_back(point.GetLat());
        if (point.HasElevation())
            elevations.push_back(point.GetElevation());
    }
    TrackPoint median(TVector3<double>(Median(lons), Median(lats), 0.0), m_points[static_cast<size_t>(timeOf)].GetTime());
    if (elevations.empty())
        median.ClearElevation();
    else
        median.SetElevation(Median(elevations));
    return median;
}

TrackPoint StopDerivedSets::StopPoint(const StopFinder::Stop& stop) const
{
    return MedianPoint(stop.first, stop.last, stop.middle);
}

std::vector<std::pair<int, int>> StopDerivedSets::MovingRuns() const
{
    std::vector<std::pair<int, int>> runs;
    int next = 0;
    for (const StopFinder::Stop& stop : m_stops) {
        if (stop.first > next)
            runs.emplace_back(next, stop.first - 1);
        next = stop.last + 1;
    }
    const int count = static_cast<int>(m_points.size());
    if (next < count)
        runs.emplace_back(next, count - 1);
    return runs;
}

std::vector<TrackPoint> StopDerivedSets::Shadow(int halfWindow) const
{
    std::vector<TrackPoint> shadow;
    const std::vector<std::pair<int, int>> runs = MovingRuns();
    auto run = runs.begin();
    auto stop = m_stops.begin();
    // Stops and runs alternate; take whichever comes first.
    while (run != runs.end() || stop != m_stops.end()) {
        if (stop != m_stops.end() && (run == runs.end() || stop->first < run->first)) {
            shadow.push_back(StopPoint(*stop));
            ++stop;
            continue;
        }
        for (int i = run->first; i <= run->second; ++i)
            shadow.push_back(MedianPoint(std::max(run->first, i - halfWindow), std::min(run->second, i + halfWindow), i));
        ++run;
    }
    return shadow;
}

std::vector<TrackPoint> StopDerivedSets::Detailed() const
{
    std::vector<TrackPoint> detailed;
    for (const auto& [first, last] : MovingRuns())
        detailed.insert(detailed.end(), m_points.begin() + first, m_points.begin() + last + 1);
    return detailed;
}

std::vector<TrackPoint> StopDerivedSets::Rare() const
{
    std::vector<TrackPoint> rare;
    if (m_points.empty())
        return rare;
    if (m_stops.empty() || m_stops.front().first > 0)
        rare.push_back(m_points.front());
    for (const StopFinder::Stop& stop : m_stops)
        rare.push_back(StopPoint(stop));
    if (m_stops.empty() || m_stops.back().last < static_cast<int>(m_points.size()) - 1)
        rare.push_back(m_points.back());
    return rare;
}
