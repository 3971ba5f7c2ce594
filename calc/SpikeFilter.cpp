#include "SpikeFilter.h"

#include "TrackData.h"
#include "TrackI.h"
#include "TrackPointMethods.h"
#include "TrackPtNavI.h"

#include <algorithm>
#include <vector>

namespace {

// Kilometres.
constexpr double kLongLeg = 10.0;
constexpr double kLongSpikeReturn = 1.0;
constexpr double kMinStep = 0.001;
// Hours: beyond such a gap the neighbours say nothing about the point.
constexpr double kMaxGap = 0.5;
// km/h; the sharpest plausible turn grows from 8° at standstill to 90° here.
constexpr double kTopSpeed = 200.0;
constexpr double kSlowestAngle = 8.0;
constexpr double kAngleRange = 82.0;

// The angle between two headings, 0..180°.
double HeadingDifference(double a, double b)
{
    const double difference = std::abs(a - b);
    return std::min(difference, 360.0 - difference);
}

// How much longer the way from a to c is through b than straight (km).
double Detour(const TrackPoint& a, const TrackPoint& b, const TrackPoint& c)
{
    return TrackPointMethods::GetRoughDist(a, b) + TrackPointMethods::GetRoughDist(b, c)
        - TrackPointMethods::GetRoughDist(a, c);
}

} // namespace

int SpikeFilter::TestTriple(const TrackPoint& p0, const TrackPoint& p1, const TrackPoint& p2,
                            const TrackPoint* before, const TrackPoint* after)
{
    const double dA = TrackPointMethods::GetRoughDist(p0, p1);
    const double dB = TrackPointMethods::GetRoughDist(p1, p2);
    const double dC = TrackPointMethods::GetRoughDist(p2, p0);
    int reason = 0;
    if (dA > kLongLeg && dB > kLongLeg && dC < kLongSpikeReturn)
        reason = ReasonLongSpike;
    if (dA < kMinStep)
        return reason;
    // Without times there is no speed to judge the turn by.
    if (p0.GetTime().IsNull() || p1.GetTime().IsNull() || p2.GetTime().IsNull())
        return reason;
    const double hoursA = (p1.GetTime() - p0.GetTime()).GetInHours();
    const double hoursB = (p2.GetTime() - p1.GetTime()).GetInHours();
    if (hoursA > kMaxGap || hoursB > kMaxGap)
        return reason;
    const double turn = HeadingDifference(TrackPointMethods::GetHeading(p1, p0), TrackPointMethods::GetHeading(p1, p2));
    const double hours = hoursA + hoursB;
    const double speed = hours > 0 ? std::min((dA + dB) / hours, kTopSpeed) : kTopSpeed;
    const double threshold = speed / kTopSpeed * kAngleRange + kSlowestAngle;
    if (turn >= threshold)
        return reason;
    // The track turns back sharply at p1, but p1 need not be the point that
    // left it: next to a spike the good point has one short leg and one
    // long one and turns back just as sharply. The point that left the
    // track is the one whose leaving makes the longest detour; flagging p1
    // instead would flag the good point, step back and flag the one before
    // it, and so on.
    const double detour = dA + dB - dC;
    if ((before && Detour(*before, p0, p1) > detour) || (after && Detour(p1, p2, *after) > detour))
        return reason;
    return ReasonSpike;
}

int SpikeFilter::Apply(TrackI& track) const
{
    std::vector<int> valid;
    track.GetPtNav().GetValidIndices(valid);
    if (valid.size() < 3)
        return 0;
    const TrackDataI& points = track.GetTrackData();
    const auto point = [&points](int index) -> const TrackPoint& { return points.GetTrackPoint(index); };

    // The surviving points up to the middle of the triple; the next valid
    // point comes from `next`. Taking the middle out leaves the previous
    // triple to be judged again with the new neighbour, as stepping back
    // one place in the list would.
    std::vector<int> kept = {valid[0], valid[1]};
    kept.reserve(valid.size());
    std::vector<std::pair<int, int>> marked;
    for (size_t next = 2; next < valid.size();) {
        const int middle = kept.back();
        const TrackPoint* before = kept.size() >= 3 ? &point(kept[kept.size() - 3]) : nullptr;
        const TrackPoint* after = next + 1 < valid.size() ? &point(valid[next + 1]) : nullptr;
        const int reason = TestTriple(point(kept[kept.size() - 2]), point(middle), point(valid[next]), before, after);
        if (reason != 0) {
            marked.emplace_back(middle, reason);
            kept.pop_back();
            if (kept.size() >= 2)
                continue;
        }
        kept.push_back(valid[next]);
        ++next;
    }
    for (const auto& [index, reason] : marked)
        track.GetPointStatus(index)->SetFilterReason(reason);
    if (!marked.empty())
        track.Refresh(false);
    return static_cast<int>(marked.size());
}
