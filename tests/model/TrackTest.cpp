#include "AppTick.h"
#include "CalcDataGeneralI.h"
#include "TimeOrderCheck.h"
#include "Track.h"
#include "TrackPointEx.h"
#include "TrackPtNavI.h"
#include "TrackTestSupport.h"

#include <gtest/gtest.h>

using namespace tracktest;

namespace {

std::vector<double> Lons(const TrackI& track)
{
    std::vector<double> lons;
    for (const TrackPoint& point : PointsOf(track))
        lons.push_back(point.GetLon());
    return lons;
}

void Tick(int count = 2)
{
    for (int i = 0; i < count; ++i)
        AppTick::GetInstance().Raise();
}

} // namespace

TEST(Track, EmptyTrackRefusesEveryIndex)
{
    Track track;
    EXPECT_EQ(track.GetTid(), -1);
    EXPECT_EQ(track.GetPointCount(), 0);
    TrackPoint point;
    TrackPointEx pointEx;
    double x = 0, y = 0, z = 0;
    EXPECT_FALSE(track.GetPoint(0, point));
    EXPECT_FALSE(track.GetPoint(-1, point));
    EXPECT_FALSE(track.GetPointEx(0, pointEx));
    EXPECT_FALSE(track.GetPosition(0, x, y, z));
    EXPECT_EQ(track.GetPointStatus(0), nullptr);
    track.DeletePoint(0);
    track.SetPoint(0, PointAt(1, 1));
    track.DeleteFiltered();
    track.RestoreFiltered();
    track.Refresh(true);
    EXPECT_EQ(track.GetPointCount(), 0);
    EXPECT_EQ(track.GetPtNav().GetNext(-1, 0), -1);
    EXPECT_EQ(track.GetCalcData().GetTotalDistance(), 0.0);
    track.InsertPoints(5, {PointAt(0, 0), PointAt(0.001, 10)});
    ExpectConsistent(track, {PointAt(0, 0), PointAt(0.001, 10)}, true);
}

TEST(Track, ReadsPointsWithinTheArrayOnly)
{
    const Track track(TrackWithTimes({0, 10, 20}), 4, 2);
    EXPECT_EQ(track.GetTid(), 4);
    EXPECT_EQ(track.GetParentTid(), 2);
    TrackPoint point;
    EXPECT_TRUE(track.GetPoint(2, point));
    EXPECT_EQ(point.GetLon(), 0.002);
    EXPECT_FALSE(track.GetPoint(3, point));
    EXPECT_FALSE(track.GetPoint(-1, point));
    double x = 0, y = 0, z = 0;
    EXPECT_TRUE(track.GetPosition(1, x, y, z));
    EXPECT_EQ(x, 0.001);
    TrackPointEx pointEx;
    EXPECT_TRUE(track.GetPointEx(2, pointEx));
    EXPECT_EQ(pointEx.GetCalcParams(), track.GetCalcData().GetPointParams(2));
    EXPECT_EQ(static_cast<const TrackPoint&>(pointEx), point);
    EXPECT_FALSE(track.GetPointEx(3, pointEx));
}

TEST(Track, SegmentIsItsOwnSegmentAndConvertsNothing)
{
    Track track(TrackWithTimes({0, 10}), 7, 3);
    EXPECT_EQ(track.GetSegmentTid(0), 7);
    EXPECT_EQ(track.GetSegmentTid(99), 7);
    EXPECT_EQ(track.ConvertIndex(0, 3), -1);
    track.AddPart(std::make_shared<Track>(TrackWithTimes({0}), 8, 7));
    EXPECT_EQ(track.GetPointCount(), 2);
    track.SetParentOffset(12);
    EXPECT_EQ(track.GetParentOffset(), 12);
}

TEST(Track, CopiesShareThePoints)
{
    TrackDataPtr data = TrackWithTimes({0, 10, 20});
    Track track(data, 1, -1);
    Track copy = track;
    copy.DeletePoint(0);
    EXPECT_EQ(track.GetPointCount(), 2);
    EXPECT_EQ(&track.GetTrackData(), data.get());
    EXPECT_EQ(track.GetTrackDataPtr(), data);
}

TEST(Track, RefreshChecksTimesAndRebuilds)
{
    Track track(TrackWithTimes({10, 50, 60, 20, 30, 40, 70}), 1, -1);
    EXPECT_EQ(track.GetPtNav().GetFilteredCount(), 0);
    track.Refresh(false);
    EXPECT_EQ(track.GetPtNav().GetFilteredCount(), 0);
    track.Refresh(true);
    EXPECT_EQ(FilteredIndices(track.GetPtNav()), (std::vector<int>{1, 2}));
    EXPECT_EQ(track.GetPointStatus(1)->GetFilterReason(), TimeOrderCheck::ReasonWrongTime);
    ExpectConsistent(track, PointsOf(track), true);
}

TEST(Track, StatusWrittenInPlaceShowsAfterRefresh)
{
    Track track(TrackWithTimes({0, 10, 20, 30}), 1, -1);
    track.GetPointStatus(2)->SetFilterReason(6);
    // Not yet told.
    EXPECT_EQ(track.GetPtNav().GetFilteredCount(), 0);
    track.Refresh(false);
    EXPECT_EQ(FilteredIndices(track.GetPtNav()), (std::vector<int>{2}));
    EXPECT_EQ(track.GetPointStatus(2)->GetFilterReason(), 6);
    ExpectConsistent(track, PointsOf(track), true);
}

TEST(Track, SetPointFollowsValidityAndNeighbours)
{
    Track track(TrackWithTimes({0, 10, 20, 30, 40, 50}), 1, -1);
    TrackPoint point;
    track.GetPoint(3, point);
    point.GetStatus().SetFilterReason(7);
    point.Set2D({0.0031, 0.0004});
    track.SetPoint(3, point);
    EXPECT_EQ(FilteredIndices(track.GetPtNav()), (std::vector<int>{3}));
    EXPECT_EQ(track.GetPtNav().GetNext(2, 1), 4);
    // Points 2 and 4 now face each other; the rest waits for the tick.
    ExpectConsistent(track, PointsOf(track), false);
    Tick();
    ExpectConsistent(track, PointsOf(track), true);

    point.GetStatus().SetValid();
    track.SetPoint(3, point);
    EXPECT_TRUE(FilteredIndices(track.GetPtNav()).empty());
    ExpectConsistent(track, PointsOf(track), false);
    track.SetPoint(6, point);
    EXPECT_EQ(track.GetPointCount(), 6);
}

TEST(Track, DeletePointJoinsTheNeighbours)
{
    TrackDataPtr data = TrackWithTimes({0, 10, 20, 30, 40, 50});
    Filter(*data, 1);
    Track track(data, 1, -1);
    track.DeletePoint(2);
    EXPECT_EQ(Lons(track), (std::vector<double>{0, 0.001, 0.003, 0.004, 0.005}));
    EXPECT_EQ(FilteredIndices(track.GetPtNav()), (std::vector<int>{1}));
    ExpectConsistent(track, PointsOf(track), false);
    // The last and the first point.
    track.DeletePoint(4);
    track.DeletePoint(0);
    ExpectConsistent(track, PointsOf(track), false);
    Tick();
    ExpectConsistent(track, PointsOf(track), true);
    track.DeletePoint(3);
    track.DeletePoint(-1);
    EXPECT_EQ(track.GetPointCount(), 3);
}

TEST(Track, InsertPointsBeforeTheIndex)
{
    Track track(TrackWithTimes({0, 10, 20}), 1, -1);
    track.InsertPoints(1, {PointAt(0.0005, 5)});
    EXPECT_EQ(Lons(track), (std::vector<double>{0, 0.0005, 0.001, 0.002}));
    track.InsertPoints(-3, {PointAt(-0.001, -10)});
    track.InsertPoints(99, {PointAt(0.003, 30), PointAt(0.004, 40)});
    EXPECT_EQ(Lons(track), (std::vector<double>{-0.001, 0, 0.0005, 0.001, 0.002, 0.003, 0.004}));
    // Inserting recalculates everything at once.
    ExpectConsistent(track, PointsOf(track), true);
}

TEST(Track, DeleteFilteredRenumbers)
{
    TrackDataPtr data = TrackWithTimes({0, 10, 20, 30, 40, 50});
    Filter(*data, 1);
    Filter(*data, 3);
    Track track(data, 1, -1);
    track.DeleteFiltered();
    EXPECT_EQ(Lons(track), (std::vector<double>{0, 0.002, 0.004, 0.005}));
    EXPECT_EQ(ValidIndices(track.GetPtNav()), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_TRUE(FilteredIndices(track.GetPtNav()).empty());
    ExpectConsistent(track, PointsOf(track), true);
}

TEST(Track, RestoreFilteredWithoutFilteredPointsDoesNothing)
{
    // Times out of order, all valid, never checked: restoring must not run
    // the check, nor recalculate.
    Track track(TrackWithTimes({0, 30, 10, 20}), 1, -1);
    TrackPoint point;
    track.GetPoint(3, point);
    point.Set2D({0.01, 0});
    track.SetPoint(3, point);
    const double pending = track.GetCalcData().GetTotalDistance();
    track.RestoreFiltered();
    EXPECT_EQ(track.GetPtNav().GetFilteredCount(), 0);
    EXPECT_EQ(track.GetCalcData().GetTotalDistance(), pending);
}

TEST(Track, RestoreFilteredRevalidatesThenChecksTimes)
{
    TrackDataPtr data = TrackWithTimes({0, 10, 5, 30, 40});
    Filter(*data, 1, 7);
    Filter(*data, 3, 10);
    Track track(data, 1, -1);
    track.RestoreFiltered();
    // 10, 5, 30: the 10 sticks out above both neighbours.
    EXPECT_EQ(Reasons(*data), (std::vector<int>{0, TimeOrderCheck::ReasonWrongTime, 0, 0, 0}));
    ExpectConsistent(track, PointsOf(track), true);
}
