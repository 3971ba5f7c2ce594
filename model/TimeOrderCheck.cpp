#include "TimeOrderCheck.h"

#include "TrackData.h"

#include <algorithm>

namespace {

bool HasTime(const TrackPoint& point)
{
    return !point.GetTime().IsNull();
}

// Both times known and a before b.
bool Earlier(const TrackPoint& a, const TrackPoint& b)
{
    return HasTime(a) && HasTime(b) && a.GetTime() < b.GetTime();
}

} // namespace

void TimeOrderCheck::Run(TrackData& points)
{
    if (IsInOrder(points))
        return;
    // The neighbour rules judge each pair on raw neighbours, some of which
    // they have just marked themselves, so they can leave valid points out
    // of order (10, 20, 5, 25, 8 keeps 10, 20, 8; a point without time hides
    // the step from 10 to 5 behind it). The global pass settles those.
    if (LocalPass(points) && IsInOrder(points))
        return;
    GlobalPass(points);
}

bool TimeOrderCheck::IsInOrder(const TrackData& points)
{
    const TrackPoint* last = nullptr;
    for (const TrackPoint& point : points.GetPoints()) {
        if (!point.IsValid())
            continue;
        if (!HasTime(point) || (last != nullptr && !(last->GetTime() < point.GetTime())))
            return false;
        last = &point;
    }
    return true;
}

bool TimeOrderCheck::LocalPass(TrackData& points)
{
    std::vector<TrackPoint>& all = points.GetPoints();
    const size_t count = all.size();
    if (count == 0)
        return true;
    if (!HasTime(all.back()))
        all.back().GetStatus().SetFilterReason(ReasonNoTime);

    bool needGlobal = false;
    const TrackPoint* remembered = nullptr;
    for (size_t i = 0; i + 1 < count; ++i) {
        TrackPoint& point = all[i];
        if (!HasTime(point)) {
            point.GetStatus().SetFilterReason(ReasonNoTime);
            continue;
        }
        // The last time before a gap without times must stay below the
        // first time after it.
        if (remembered != nullptr && !Earlier(*remembered, point))
            return false;
        TrackPoint& next = all[i + 1];
        if (!HasTime(next)) {
            remembered = &point;
            continue;
        }
        const Time& t = point.GetTime();
        const Time& t2 = next.GetTime();
        if (t < t2)
            continue;
        if (t == t2) {
            point.GetStatus().SetFilterReason(ReasonWrongTime);
        } else if (i > 0 && Earlier(all[i - 1], next)) {
            // The point sticks out above both neighbours.
            point.GetStatus().SetFilterReason(ReasonWrongTime);
        } else if (i + 2 < count && HasTime(all[i + 2]) && !(t < all[i + 2].GetTime())) {
            // More than one point is out of order.
            needGlobal = true;
        } else {
            next.GetStatus().SetFilterReason(ReasonWrongTime);
        }
    }
    return !needGlobal;
}

void TimeOrderCheck::GlobalPass(TrackData& points)
{
    const std::vector<bool> kept = LongestIncreasing(points);
    std::vector<TrackPoint>& all = points.GetPoints();
    for (size_t i = 0; i < all.size(); ++i) {
        TrackPointStatus& status = all[i].GetStatus();
        const bool hasTime = HasTime(all[i]);
        const int reason = status.GetFilterReason();
        if (!status.IsValid() && (reason == ReasonWrongTime || (reason == ReasonNoTime && hasTime)))
            status.SetValid();
        if (!hasTime)
            status.SetFilterReason(ReasonNoTime);
        else if (!kept[i])
            status.SetFilterReason(ReasonWrongTime);
    }
}

std::vector<bool> TimeOrderCheck::LongestIncreasing(const TrackData& points)
{
    // Patience method: tails[k] is the point ending the increasing run of
    // length k + 1 with the smallest last time seen so far; each point links
    // to the tail it extended.
    const std::vector<TrackPoint>& all = points.GetPoints();
    std::vector<int> tails;
    std::vector<int> previous(all.size(), -1);
    const auto timeOf = [&all](int index) { return all[static_cast<size_t>(index)].GetTime(); };
    for (int i = 0; i < static_cast<int>(all.size()); ++i) {
        if (!HasTime(all[static_cast<size_t>(i)]))
            continue;
        const Time time = timeOf(i);
        const auto place = std::lower_bound(tails.begin(), tails.end(), time,
                                            [&timeOf](int tail, const Time& t) { return timeOf(tail) < t; });
        if (place != tails.begin())
            previous[static_cast<size_t>(i)] = *(place - 1);
        if (place == tails.end())
            tails.push_back(i);
        else
            *place = i;
    }
    std::vector<bool> kept(all.size(), false);
    for (int k = tails.empty() ? -1 : tails.back(); k >= 0; k = previous[static_cast<size_t>(k)])
        kept[static_cast<size_t>(k)] = true;
    return kept;
}
