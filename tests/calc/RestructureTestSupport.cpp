#include "RestructureTestSupport.h"

namespace restructuretest {

Time Base()
{
    return Time(2024, 5, 1, 10, 0, 0);
}

TimeSpan Minutes(double minutes)
{
    return TimeSpan(TimeSpan::Minutes, minutes);
}

void AppendRun(std::vector<TrackPoint>& points, int count, TimeSpan gap)
{
    for (int i = 0; i < count; ++i) {
        const Time time = points.empty() ? Base() : points.back().GetTime() + (i == 0 ? gap : TimeSpan::FromSeconds(10));
        const double lon = 10.0 + 0.0001 * static_cast<double>(points.size());
        points.emplace_back(TVector3<double>(lon, 47.0, 400.0), time);
    }
}

std::vector<TrackPoint> TimedRun(int count, TimeSpan gap)
{
    std::vector<TrackPoint> points;
    AppendRun(points, count, gap);
    return points;
}

std::vector<int> ChildKinds(const OpenTracksModel& model, int tid)
{
    std::vector<int> kinds;
    for (const int child : model.GetReader()->GetChildren(tid))
        kinds.push_back(model.GetReader()->GetNode(child)->GetKind());
    return kinds;
}

} // namespace restructuretest
