#include "AppTick.h"
#include "CalculatedData.h"
#include "Track.h"
#include "TrackPtNav.h"
#include "TrackTestSupport.h"

#include <numbers>

#include <gtest/gtest.h>

using namespace tracktest;

namespace {

// 0.001 degree along the equator: the equatorial radius times the angle.
const double kLeg = 0.001 * std::numbers::pi / 180.0 * 6378137.0;
// 10 s per leg.
const double kLegSpeed = kLeg / 10.0 * 3.6;

CalcTrackParams Params(const TrackI& track, int index)
{
    return track.GetCalcData().GetPointParams(index);
}

TrackPoint Moved(TrackPoint point, double lat)
{
    point.Set2D({point.GetLon(), lat});
    return point;
}

} // namespace

TEST(CalculatedData, OnePointHasNothingToMeasure)
{
    const Track track(TrackWithTimes({0}), 1, -1);
    const CalcTrackParams params = Params(track, 0);
    EXPECT_EQ(params, CalcTrackParams());
    EXPECT_EQ(track.GetCalcData().GetTotalDistance(), 0.0);
    const PointBounds bounds = track.GetCalcData().GetValidBounds();
    EXPECT_EQ(bounds.minX, 0.0);
    EXPECT_EQ(bounds.maxX, 0.0);
    EXPECT_TRUE(track.GetCalcData().GetFilteredBounds().IsEmpty());
}

TEST(CalculatedData, StraightTrackAtConstantSpeed)
{
    const Track track(TrackWithTimes({0, 10, 20, 30}), 1, -1);
    for (int i = 1; i < 4; ++i) {
        const CalcTrackParams params = Params(track, i);
        EXPECT_NEAR(params.Dist, kLeg, 1e-6) << i;
        EXPECT_NEAR(params.Dist3D, kLeg, 1e-6) << i;
        EXPECT_NEAR(params.Speed, kLegSpeed, 1e-4) << i;
        EXPECT_NEAR(params.Heading, 90.0, 1e-4) << i;
        EXPECT_NEAR(params.DistFromStart, kLeg * i, 1e-6) << i;
        EXPECT_NEAR(params.AccelAbs, 0.0, 1e-6) << i;
    }
    // The first point has no speed; the last keeps its speed but has no
    // acceleration, since nothing follows.
    EXPECT_EQ(Params(track, 0).Speed, 0.0f);
    EXPECT_NEAR(Params(track, 3).Speed, kLegSpeed, 1e-4);
    EXPECT_NEAR(track.GetCalcData().GetTotalDistance(), 3 * kLeg, 1e-6);
    EXPECT_NEAR(track.GetCalcData().GetMaxSpeed(), kLegSpeed, 1e-4);
}

TEST(CalculatedData, ElevationChangeCountsInDist3DOnly)
{
    std::vector<TrackPoint> points{PointAt(0, 0, 100), PointAt(0.001, 10, 130)};
    const Track track(MakeData(points), 1, -1);
    EXPECT_NEAR(Params(track, 1).Dist, kLeg, 1e-6);
    EXPECT_NEAR(Params(track, 1).Dist3D, std::hypot(kLeg, 30.0), 1e-6);
    EXPECT_EQ(track.GetCalcData().GetValidBounds().minZ, 100.0);
    EXPECT_EQ(track.GetCalcData().GetValidBounds().maxZ, 130.0);
}

TEST(CalculatedData, FirstValidPointAfterFilteredStart)
{
    TrackDataPtr data = TrackWithTimes({0, 10, 20, 30, 40});
    Filter(*data, 0);
    Filter(*data, 1);
    const Track track(data, 1, -1);
    const CalcTrackParams first = Params(track, 2);
    // Measured to the raw previous point, but it starts the valid track.
    EXPECT_NEAR(first.Dist, kLeg, 1e-6);
    EXPECT_EQ(first.Speed, 0.0f);
    EXPECT_EQ(first.Accel, 0.0f);
    EXPECT_EQ(first.AccelAbs, 0.0f);
    EXPECT_EQ(first.AccelTang, 0.0f);
    EXPECT_EQ(first.AccelNorm, 0.0f);
    EXPECT_NEAR(Params(track, 3).Speed, kLegSpeed, 1e-4);
    EXPECT_NEAR(Params(track, 4).DistFromStart, 3 * kLeg, 1e-6);
    const PointBounds filtered = track.GetCalcData().GetFilteredBounds();
    EXPECT_EQ(filtered.minX, 0.0);
    EXPECT_EQ(filtered.maxX, 0.001);
    EXPECT_EQ(track.GetCalcData().GetValidBounds().minX, 0.002);
}

TEST(CalculatedData, FilteredPointBetweenValidPoints)
{
    Track track(TrackWithTimes({0, 10, 20, 30, 40}), 1, -1);
    // Point 2 moves 0.001 degree north, is recalculated, then filtered.
    TrackPoint moved;
    track.GetPoint(2, moved);
    track.SetPoint(2, Moved(moved, 0.001));
    track.Refresh(false);
    const double oldDistance = Params(track, 2).DistFromStart;
    track.GetPointStatus(2)->SetFilterReason(7);
    track.Refresh(false);

    // The filtered point is measured against its raw neighbour 1 ...
    const double north = 0.001 * std::numbers::pi / 180.0 * 6335439.327;
    EXPECT_NEAR(Params(track, 2).Dist, std::hypot(kLeg, north), 0.5);
    // ... the valid point after it against the valid point 1.
    EXPECT_NEAR(Params(track, 3).Dist, 2 * kLeg, 1e-6);
    EXPECT_NEAR(Params(track, 3).Speed, 2 * kLeg / 20.0 * 3.6, 1e-4);
    // Its distance from start stays as it was; the valid ones skip it.
    EXPECT_EQ(Params(track, 2).DistFromStart, oldDistance);
    EXPECT_NEAR(Params(track, 4).DistFromStart, 4 * kLeg, 1e-6);
}

TEST(CalculatedData, AllFilteredHasNoDistance)
{
    TrackDataPtr data = TrackWithTimes({0, 10, 20});
    for (int i = 0; i < 3; ++i)
        Filter(*data, i);
    const Track track(data, 1, -1);
    EXPECT_EQ(track.GetCalcData().GetTotalDistance(), 0.0);
    EXPECT_EQ(track.GetCalcData().GetMaxSpeed(), 0.0);
    EXPECT_TRUE(track.GetCalcData().GetValidBounds().IsEmpty());
    EXPECT_FALSE(track.GetCalcData().GetFilteredBounds().IsEmpty());
}

TEST(CalculatedData, RecordOutsideThePointsIsDefault)
{
    const Track track(TrackWithTimes({0, 10, 20}), 1, -1);
    EXPECT_EQ(Params(track, 3), CalcTrackParams());
    EXPECT_EQ(Params(track, -1), CalcTrackParams());
    EXPECT_NE(Params(track, 2), CalcTrackParams());
}

TEST(CalculatedData, AggregatesCountValidPointsOnly)
{
    // Point 2 jumps far ahead in 10 s: a filtered spike.
    std::vector<TrackPoint> points{PointAt(0, 0), PointAt(0.001, 10), PointAt(0.5, 20), PointAt(0.002, 30),
                                   PointAt(0.003, 40)};
    points[2].GetStatus().SetFilterReason(10);
    const Track track(MakeData(points), 1, -1);
    EXPECT_GT(Params(track, 2).Speed, 1000.0f);
    // Point 3 is measured against point 1 (half speed), point 4 at full speed.
    EXPECT_NEAR(Params(track, 3).Speed, kLegSpeed / 2, 1e-4);
    EXPECT_NEAR(track.GetCalcData().GetMaxSpeed(), kLegSpeed, 1e-4);
}

TEST(CalculatedData, EmptiedTrackForgetsItsExtent)
{
    TrackDataPtr data = TrackWithTimes({0, 10, 20});
    Track track(data, 1, -1);
    for (int i = 0; i < 3; ++i)
        track.GetPointStatus(i)->SetFilterReason(7);
    track.DeleteFiltered();
    EXPECT_EQ(track.GetPointCount(), 0);
    EXPECT_TRUE(track.GetCalcData().GetValidBounds().IsEmpty());
    EXPECT_TRUE(track.GetCalcData().GetFilteredBounds().IsEmpty());
    EXPECT_EQ(track.GetCalcData().GetMaxSpeed(), 0.0);
    EXPECT_EQ(Params(track, 0), CalcTrackParams());
}

TEST(CalculatedData, BurstOfEditsRecalculatesOnceOnTheSecondTick)
{
    TrackDataPtr data = TrackWithTimes({0, 10, 20, 30, 40});
    Track track(data, 1, -1);
    const double before = Params(track, 4).DistFromStart;
    TrackPoint point;
    track.GetPoint(2, point);
    track.SetPoint(2, Moved(point, 0.001));
    track.SetPoint(2, Moved(point, 0.002));
    // The legs around the point are current at once ...
    EXPECT_GT(Params(track, 3).Dist, 2 * kLeg);
    // ... the distance from start only after the deferred pass.
    EXPECT_EQ(Params(track, 4).DistFromStart, before);
    AppTick::GetInstance().Raise();
    EXPECT_EQ(Params(track, 4).DistFromStart, before);
    AppTick::GetInstance().Raise();
    const double after = Params(track, 4).DistFromStart;
    EXPECT_NEAR(after, 2 * kLeg + 2 * std::hypot(kLeg, 0.002 * std::numbers::pi / 180.0 * 6335439.327), 1.0);

    // Nothing is left pending: a change the track was not told about stays
    // unseen however many ticks come.
    data->GetTrackPoint(0).Set2D({-0.01, 0.0});
    for (int i = 0; i < 4; ++i)
        AppTick::GetInstance().Raise();
    EXPECT_NEAR(Params(track, 1).Dist, kLeg, 1e-6);
    EXPECT_EQ(Params(track, 4).DistFromStart, after);
}

TEST(CalculatedData, SingleEditRecalculatesOnTheNextTick)
{
    Track track(TrackWithTimes({0, 10, 20, 30}), 1, -1);
    TrackPoint point;
    track.GetPoint(3, point);
    point.Set2D({0.004, 0.0});
    track.SetPoint(3, point);
    EXPECT_NEAR(track.GetCalcData().GetTotalDistance(), 3 * kLeg, 1e-6);
    AppTick::GetInstance().Raise();
    EXPECT_NEAR(track.GetCalcData().GetTotalDistance(), 4 * kLeg, 1e-6);
}

TEST(CalculatedData, AggregatesOnlyWidenUntilTheFullPass)
{
    Track track(TrackWithTimes({0, 10, 20, 30}), 1, -1);
    TrackPoint original;
    track.GetPoint(2, original);
    TrackPoint far = original;
    far.Set2D({0.05, 0.0});
    track.SetPoint(2, far);
    const double high = track.GetCalcData().GetMaxSpeed();
    EXPECT_GT(high, 10 * kLegSpeed);
    track.SetPoint(2, original);
    EXPECT_EQ(track.GetCalcData().GetMaxSpeed(), high);
    AppTick::GetInstance().Raise();
    AppTick::GetInstance().Raise();
    EXPECT_NEAR(track.GetCalcData().GetMaxSpeed(), kLegSpeed, 1e-4);
}

TEST(CalculatedData, PartialRangeLeavesTheRestAlone)
{
    TrackDataPtr data = TrackWithTimes({0, 10, 20, 30, 40});
    TrackPtNav navigator(*data);
    CalculatedData calc(navigator, data);
    // Move points 1 and 4 behind its back, then recalculate 1 only.
    data->GetTrackPoint(1).Set2D({0.0015, 0.0});
    data->GetTrackPoint(4).Set2D({0.005, 0.0});
    calc.Recalculate(1, 1);
    EXPECT_NEAR(calc.GetPointParams(1).Dist, 1.5 * kLeg, 1e-6);
    EXPECT_NEAR(calc.GetPointParams(2).Dist, kLeg, 1e-6);
    EXPECT_NEAR(calc.GetPointParams(4).Dist, kLeg, 1e-6);
    EXPECT_EQ(calc.GetValidBounds().maxX, 0.004);
    // Out-of-range ends mean the whole track.
    calc.Recalculate(-1, 99);
    EXPECT_NEAR(calc.GetPointParams(2).Dist, 0.5 * kLeg, 1e-6);
    EXPECT_NEAR(calc.GetPointParams(4).Dist, 2 * kLeg, 1e-6);
    EXPECT_EQ(calc.GetValidBounds().maxX, 0.005);
}

TEST(CalculatedData, RemovePointRecordIgnoresIndicesOutside)
{
    TrackDataPtr data = TrackWithTimes({0, 10, 20});
    TrackPtNav navigator(*data);
    CalculatedData calc(navigator, data);
    const CalcTrackParams last = calc.GetPointParams(2);
    calc.RemovePointRecord(-1);
    calc.RemovePointRecord(3);
    EXPECT_EQ(calc.GetPointParams(2), last);
    calc.RemovePointRecord(0);
    EXPECT_EQ(calc.GetPointParams(1), last);
    EXPECT_EQ(calc.GetPointParams(2), CalcTrackParams());
}

TEST(CalculatedData, ALongTrackCalculatedInTwoHalvesMatchesTheDefinition)
{
    // Long enough for two threads; the halves meet at count / 2, where a
    // run of filtered points makes both sides look across the seam.
    const int count = CalculatedData::ParallelPoints + 1001;
    const int seam = count / 2;
    std::vector<TrackPoint> points;
    points.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        // The fastest leg lies in the later half, so its aggregate must win.
        const double lon = 0.0001 * i + (i == count - 10 ? 0.01 : 0.0) + (i % 7 == 0 ? 0.00003 : 0.0);
        points.push_back(PointAt(lon, 2.0 * i, i % 13));
    }
    for (int i = seam - 2; i <= seam + 1; ++i)
        points[static_cast<size_t>(i)].GetStatus().SetFilterReason(3);
    for (int i = 11; i < count; i += 997)
        points[static_cast<size_t>(i)].GetStatus().SetFilterReason(5);
    const Track track(MakeData(points), 1, -1);
    ExpectConsistent(track, points, true);
    EXPECT_GT(track.GetCalcData().GetMaxSpeed(), 5 * track.GetCalcData().GetPointParams(seam / 2).Speed);
}
