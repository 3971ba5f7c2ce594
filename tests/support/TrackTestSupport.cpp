#include "TrackTestSupport.h"

#include "CalcDataGeneralI.h"
#include "TrackI.h"
#include "Track.h"
#include "TrackPointMethods.h"
#include "TrackPtNavI.h"
#include "TrackX.h"

#include <gtest/gtest.h>

namespace tracktest {

Time BaseTime()
{
    return Time(2023, 6, 1, 8, 0, 0);
}

TrackPoint PointAt(double lon, double seconds, double elevation)
{
    TrackPoint point({lon, 0.0, elevation}, Time());
    if (!std::isnan(seconds))
        point.SetTime(BaseTime() + TimeSpan::FromSeconds(seconds));
    return point;
}

TrackDataPtr TrackWithTimes(std::initializer_list<double> seconds)
{
    std::vector<TrackPoint> points;
    for (const double s : seconds)
        points.push_back(PointAt(static_cast<double>(points.size()) / 1000.0, s));
    return MakeData(std::move(points));
}

TrackDataPtr MakeData(std::vector<TrackPoint> points)
{
    return std::make_shared<TrackData>(std::move(points));
}

void Filter(TrackData& data, int index, int reason)
{
    data.GetTrackPoint(index).GetStatus().SetFilterReason(reason);
}

std::vector<int> Reasons(const TrackData& data)
{
    std::vector<int> reasons;
    for (const TrackPoint& point : data.GetPoints())
        reasons.push_back(point.IsValid() ? 0 : point.GetStatus().GetFilterReason());
    return reasons;
}

std::vector<int> ValidIndices(const TrackPtNavI& navigator)
{
    std::vector<int> out{-99};
    navigator.GetValidIndices(out);
    return out;
}

std::vector<int> FilteredIndices(const TrackPtNavI& navigator)
{
    std::vector<int> out{-99};
    navigator.GetFilteredIndices(out);
    return out;
}

std::vector<CalcTrackParams> ReferenceRecords(const std::vector<TrackPoint>& points)
{
    const int n = static_cast<int>(points.size());
    std::vector<CalcTrackParams> records(points.size());
    double sum = 0;
    for (int i = 0; i < n; ++i) {
        const TrackPoint& cur = points[static_cast<size_t>(i)];
        int prev = std::max(i - 1, 0);
        int next = std::min(i + 1, n - 1);
        bool atStart = i == 0;
        bool atEnd = i == n - 1;
        if (cur.IsValid()) {
            int before = i - 1;
            while (before >= 0 && !points[static_cast<size_t>(before)].IsValid())
                --before;
            int after = i + 1;
            while (after < n && !points[static_cast<size_t>(after)].IsValid())
                ++after;
            atStart = before < 0;
            atEnd = after >= n;
            if (!atStart)
                prev = before;
            if (!atEnd)
                next = after;
        }
        const TrackPoint& a = points[static_cast<size_t>(prev)];
        const TrackPoint& c = points[static_cast<size_t>(next)];
        CalcTrackParams& r = records[static_cast<size_t>(i)];
        r.Dist = TrackPointMethods::GetRoughDist(a, cur) * 1000.0;
        const double rise = cur.GetElevation() - a.GetElevation();
        r.Dist3D = std::sqrt(r.Dist * r.Dist + rise * rise);
        r.Speed = atStart ? 0.0f : static_cast<float>(TrackPointMethods::GetSpeed(a, cur));
        r.Heading = static_cast<float>(TrackPointMethods::GetHeading(a, cur));
        if (!atStart && !atEnd) {
            const TVector2<double> v = TrackPointMethods::GetAccelV(a, cur, c);
            r.Accel = static_cast<float>(TrackPointMethods::GetAccel(a, cur, c));
            r.AccelAbs = static_cast<float>(std::sqrt(v.x * v.x + v.y * v.y));
            r.AccelTang = static_cast<float>(TrackPointMethods::GetAccelTang(a, cur, c));
            r.AccelNorm = static_cast<float>(TrackPointMethods::GetAccelNorm(a, cur, c));
        }
        if (cur.IsValid()) {
            sum += r.Dist;
            r.DistFromStart = sum;
        }
    }
    return records;
}

std::vector<TrackPoint> PointsOf(const TrackI& track)
{
    std::vector<TrackPoint> points;
    for (int i = 0; i < track.GetPointCount(); ++i) {
        TrackPoint point;
        EXPECT_TRUE(track.GetPoint(i, point)) << i;
        points.push_back(point);
    }
    return points;
}

void ExpectConsistent(const TrackI& track, const std::vector<TrackPoint>& points, bool withDistances)
{
    const TrackPtNavI& navigator = track.GetPtNav();
    ASSERT_EQ(navigator.GetCount(), static_cast<int>(points.size()));
    ASSERT_EQ(track.GetPointCount(), static_cast<int>(points.size()));
    std::vector<int> valid;
    std::vector<int> filtered;
    for (int i = 0; i < static_cast<int>(points.size()); ++i)
        (points[static_cast<size_t>(i)].IsValid() ? valid : filtered).push_back(i);
    EXPECT_EQ(ValidIndices(navigator), valid);
    EXPECT_EQ(FilteredIndices(navigator), filtered);
    EXPECT_EQ(navigator.GetValidCount(), static_cast<int>(valid.size()));
    EXPECT_EQ(navigator.GetFilteredCount(), static_cast<int>(filtered.size()));
    EXPECT_EQ(navigator.GetFirstValid(), valid.empty() ? -1 : valid.front());
    EXPECT_EQ(navigator.GetLastValid(), valid.empty() ? -1 : valid.back());

    const CalcDataGeneralI& calc = track.GetCalcData();
    const std::vector<CalcTrackParams> expected = ReferenceRecords(points);
    PointBounds validBounds;
    PointBounds filteredBounds;
    float maxSpeed = 0;
    float maxAccel = 0;
    for (size_t i = 0; i < points.size(); ++i) {
        TrackPoint point;
        ASSERT_TRUE(track.GetPoint(static_cast<int>(i), point));
        EXPECT_EQ(point, points[i]) << "point " << i;
        const CalcTrackParams got = calc.GetPointParams(static_cast<int>(i));
        const CalcTrackParams& want = expected[i];
        EXPECT_EQ(got.Dist, want.Dist) << "point " << i;
        EXPECT_EQ(got.Dist3D, want.Dist3D) << "point " << i;
        EXPECT_EQ(got.Speed, want.Speed) << "point " << i;
        EXPECT_EQ(got.Heading, want.Heading) << "point " << i;
        EXPECT_EQ(got.Accel, want.Accel) << "point " << i;
        EXPECT_EQ(got.AccelAbs, want.AccelAbs) << "point " << i;
        EXPECT_EQ(got.AccelTang, want.AccelTang) << "point " << i;
        EXPECT_EQ(got.AccelNorm, want.AccelNorm) << "point " << i;
        if (withDistances && points[i].IsValid()) {
            EXPECT_EQ(got.DistFromStart, want.DistFromStart) << "point " << i;
        }
        (points[i].IsValid() ? validBounds : filteredBounds).Add(points[i].Get3D());
        if (points[i].IsValid()) {
            maxSpeed = std::max(maxSpeed, want.Speed);
            maxAccel = std::max(maxAccel, want.AccelAbs);
        }
    }
    EXPECT_EQ(calc.GetPointParams(static_cast<int>(points.size())), CalcTrackParams());
    if (withDistances) {
        EXPECT_EQ(calc.GetValidBounds(), validBounds);
        EXPECT_EQ(calc.GetFilteredBounds(), filteredBounds);
        EXPECT_EQ(calc.GetTotalDistance(), valid.empty() ? 0.0 : expected[static_cast<size_t>(valid.back())].DistFromStart);
        EXPECT_EQ(calc.GetMaxSpeed(), maxSpeed);
        EXPECT_EQ(calc.GetMaxAccel(), maxAccel);
    } else {
        // Between full passes the aggregates only widen.
        EXPECT_GE(calc.GetMaxSpeed(), maxSpeed);
        EXPECT_GE(calc.GetMaxAccel(), maxAccel);
    }
    // The minimum starts from the default record and magnitudes are never negative.
    EXPECT_EQ(calc.GetMinAccel(), 0.0);
}

void ExpectCompositeAgrees(const TrackX& composite, bool withDistances)
{
    std::vector<int> valid;
    std::vector<int> filtered;
    int start = 0;
    double distance = 0;
    for (const std::shared_ptr<Track>& part : composite.GetParts()) {
        if (part->GetParentTid() == composite.GetTid()) {
            EXPECT_EQ(part->GetParentOffset(), start) << "segment " << part->GetTid();
        }
        for (const int i : ValidIndices(part->GetPtNav()))
            valid.push_back(start + i);
        for (const int i : FilteredIndices(part->GetPtNav()))
            filtered.push_back(start + i);
        for (int i = 0; i < part->GetPointCount(); ++i) {
            const int index = start + i;
            TrackPoint mine;
            TrackPoint theirs;
            ASSERT_TRUE(composite.GetPoint(index, mine)) << index;
            ASSERT_TRUE(part->GetPoint(i, theirs)) << index;
            EXPECT_EQ(mine, theirs) << index;
            EXPECT_EQ(composite.GetTrackData().GetTrackPoint(index), theirs) << index;
            EXPECT_EQ(composite.GetSegmentTid(index), part->GetTid()) << index;
            EXPECT_EQ(composite.ConvertIndex(index, part->GetTid()), i) << index;
            EXPECT_EQ(composite.ConvertIndex(index, composite.GetTid()), index) << index;
            CalcTrackParams mineParams = composite.GetCalcData().GetPointParams(index);
            CalcTrackParams theirParams = part->GetCalcData().GetPointParams(i);
            if (withDistances) {
                EXPECT_EQ(mineParams.DistFromStart, theirParams.DistFromStart + distance) << index;
            }
            mineParams.DistFromStart = theirParams.DistFromStart = 0;
            EXPECT_EQ(mineParams, theirParams) << index;
        }
        start += part->GetPointCount();
        distance += part->GetCalcData().GetTotalDistance();
    }
    EXPECT_EQ(composite.GetPointCount(), start);
    EXPECT_EQ(composite.GetTrackData().GetPointCount(), start);
    EXPECT_EQ(ValidIndices(composite.GetPtNav()), valid);
    EXPECT_EQ(FilteredIndices(composite.GetPtNav()), filtered);
    EXPECT_EQ(composite.GetSegmentTid(start), -1);
    TrackPoint point;
    EXPECT_FALSE(composite.GetPoint(start, point));
    EXPECT_FALSE(composite.GetPoint(-1, point));
    if (withDistances) {
        EXPECT_EQ(composite.GetCalcData().GetTotalDistance(), distance);
    }
}

} // namespace tracktest
