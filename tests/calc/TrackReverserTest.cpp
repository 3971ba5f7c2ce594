#include "TrackReverser.h"

#include "GEventKind.h"
#include "RestructureTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace restructuretest;

namespace {

class TrackReverserTest : public OpenTracksTest
{
protected:
    TrackReverser reverser{model, holder};
};

TrackPoint At(double lon, const Time& time)
{
    return TrackPoint(TVector3<double>(lon, 47.0, 300.0), time);
}

} // namespace

TEST_F(TrackReverserTest, TimesAreMirroredSoTheTrackStillRunsForward)
{
    SourceTree source;
    const int segment = source.Segment(source.file, {At(1.0, Time(2024, 5, 1, 10, 0)), At(2.0, Time(2024, 5, 1, 10, 1)),
                                                     At(3.0, Time(2024, 5, 1, 10, 5))});
    (void)segment;
    const int file = Open(source);
    reverser.Reverse({Segments(file).front()});
    const std::vector<TrackPoint> points = AllPoints(model, file);
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[0].GetTime(), Time(2024, 5, 1, 10, 0));
    EXPECT_EQ(points[1].GetTime(), Time(2024, 5, 1, 10, 4));
    EXPECT_EQ(points[2].GetTime(), Time(2024, 5, 1, 10, 5));
    EXPECT_EQ(points[0].GetLon(), 3.0);
    EXPECT_EQ(points[1].GetLon(), 2.0);
    EXPECT_EQ(points[2].GetLon(), 1.0);
    EXPECT_TRUE(model.GetFileAttr(file)->modified);
}

TEST_F(TrackReverserTest, FileReversesItsChildrenAtEveryLevel)
{
    // file: s0, folder (s1, s2), s3 with times running on across them.
    SourceTree source;
    const std::vector<TrackPoint> all = TimedRun(40);
    source.Segment(source.file, {all.begin(), all.begin() + 5});
    const int folder = source.Folder(source.file);
    source.Segment(folder, {all.begin() + 5, all.begin() + 15});
    source.Segment(folder, {all.begin() + 15, all.begin() + 30});
    source.Segment(source.file, {all.begin() + 30, all.end()});
    const int file = Open(source);
    const std::vector<int> before = Segments(file);
    const std::vector<int> children = Reader()->GetChildren(file);
    seen.clear();

    reverser.Reverse({file});
    EXPECT_EQ(Segments(file), (std::vector<int>{before[3], before[2], before[1], before[0]}));
    EXPECT_EQ(Reader()->GetChildren(file), (std::vector<int>{children[2], children[1], children[0]}));
    EXPECT_EQ(SegmentSizes(model, file), (std::vector<int>{10, 15, 10, 5}));
    // The whole file is the old one backwards, over the same period.
    const std::vector<TrackPoint> points = AllPoints(model, file);
    ASSERT_EQ(points.size(), all.size());
    const Time first = all.front().GetTime();
    const Time last = all.back().GetTime();
    for (size_t i = 0; i < points.size(); ++i) {
        const TrackPoint& old = all[all.size() - 1 - i];
        EXPECT_EQ(points[i].Get3D(), old.Get3D()) << i;
        EXPECT_EQ(points[i].GetTime(), first + (last - old.GetTime())) << i;
    }
    EXPECT_TRUE(std::is_sorted(points.begin(), points.end(),
                               [](const TrackPoint& a, const TrackPoint& b) { return a.GetTime() < b.GetTime(); }));
    ASSERT_EQ(Seen(GEventKind::TreeChanged).size(), 1u);
    const SeenEvent event = Seen(GEventKind::TreeChanged).front();
    EXPECT_TRUE(event.added.empty());
    EXPECT_TRUE(event.removed.empty());
    EXPECT_EQ(event.changed.front(), file);
    EXPECT_EQ(event.changed.size(), 6u);
    ExpectCompositesAgree(file);
}

TEST_F(TrackReverserTest, ReversingTwiceGivesTheOriginal)
{
    SourceTree source;
    std::vector<TrackPoint> all = TimedRun(21);
    AppendRun(all, 12, Minutes(30));
    all[7].SetTime(Time());
    const int folder = source.Folder(source.file);
    source.Segment(folder, {all.begin(), all.begin() + 21});
    source.Segment(source.file, {all.begin() + 21, all.end()});
    const int file = Open(source);
    const std::vector<TrackPoint> before = AllPoints(model, file);
    const std::vector<int> order = Segments(file);
    reverser.Reverse({file});
    EXPECT_NE(AllPoints(model, file), before);
    reverser.Reverse({file});
    EXPECT_EQ(AllPoints(model, file), before);
    EXPECT_EQ(Segments(file), order);
}

TEST_F(TrackReverserTest, PointsWithoutTimeKeepNoneAndTheSpanComesFromTimedPoints)
{
    SourceTree source;
    source.Segment(source.file, {At(1.0, Time()), At(2.0, Time(2024, 5, 1, 10, 0)), At(3.0, Time(2024, 5, 1, 10, 2)),
                                 At(4.0, Time(2024, 5, 1, 10, 10)), At(5.0, Time())});
    const int file = Open(source);
    reverser.Reverse({file});
    const std::vector<TrackPoint> points = AllPoints(model, file);
    ASSERT_EQ(points.size(), 5u);
    EXPECT_TRUE(points[0].GetTime().IsNull());
    EXPECT_EQ(points[1].GetTime(), Time(2024, 5, 1, 10, 0));
    EXPECT_EQ(points[2].GetTime(), Time(2024, 5, 1, 10, 8));
    EXPECT_EQ(points[3].GetTime(), Time(2024, 5, 1, 10, 10));
    EXPECT_TRUE(points[4].GetTime().IsNull());
    EXPECT_EQ(points[0].GetLon(), 5.0);
}

TEST_F(TrackReverserTest, ItemsBeneathAnotherItemAreReversedOnce)
{
    SourceTree source;
    const std::vector<TrackPoint> all = TimedRun(10);
    source.Segment(source.file, {all.begin(), all.begin() + 4});
    source.Segment(source.file, {all.begin() + 4, all.end()});
    const int file = Open(source);
    const int firstSegment = Segments(file).front();
    reverser.Reverse({firstSegment, file});
    const std::vector<TrackPoint> points = AllPoints(model, file);
    EXPECT_EQ(points.front().GetLon(), all.back().GetLon());
    EXPECT_EQ(points.back().GetLon(), all.front().GetLon());
}

TEST_F(TrackReverserTest, SegmentsReverseWithinTheirOwnSpan)
{
    // Two selected segments are two items: each mirrors over its own times
    // and they keep their places.
    SourceTree source;
    std::vector<TrackPoint> all = TimedRun(6);
    AppendRun(all, 6, Minutes(20));
    const int a = source.Segment(source.file, {all.begin(), all.begin() + 6});
    const int b = source.Segment(source.file, {all.begin() + 6, all.end()});
    (void)a;
    (void)b;
    const int file = Open(source);
    const std::vector<int> order = Segments(file);
    reverser.Reverse(order);
    EXPECT_EQ(Segments(file), order);
    const std::vector<TrackPoint> points = AllPoints(model, file);
    EXPECT_EQ(points[0].GetLon(), all[5].GetLon());
    EXPECT_EQ(points[0].GetTime(), all[0].GetTime());
    EXPECT_EQ(points[6].GetLon(), all[11].GetLon());
    EXPECT_EQ(points[6].GetTime(), all[6].GetTime());
}

TEST_F(TrackReverserTest, CurrentPointMovesToItsMirroredIndex)
{
    SourceTree source;
    source.Segment(source.file, TimedRun(10));
    const int file = Open(source);
    const int segment = Segments(file).front();
    holder.SetSelection({file});
    holder.SetCurrentPoint(segment, 2);
    const double lon = AllPoints(model, file)[2].GetLon();
    reverser.Reverse({file});
    EXPECT_EQ(State().GetCurrentPoint(), (TrackPosition{segment, 7}));
    EXPECT_EQ(AllPoints(model, file)[7].GetLon(), lon);
}

TEST_F(TrackReverserTest, StatusesTravelWithTheirPoints)
{
    SourceTree source;
    source.Segment(source.file, TimedRun(8));
    const int file = Open(source);
    const TrackPtr track = model.GetTrack(Segments(file).front());
    track->GetPointStatus(1)->SetFilterReason(7);
    track->Refresh(false);
    reverser.Reverse({file});
    const std::vector<TrackPoint> points = AllPoints(model, file);
    EXPECT_EQ(points[6].GetStatus().GetFilterReason(), 7);
    EXPECT_FALSE(points[6].IsValid());
    EXPECT_EQ(track->GetPtNav().GetValidCount(), 7);
}

TEST_F(TrackReverserTest, NothingSelectedChangesNothing)
{
    SourceTree source;
    source.Segment(source.file, TimedRun(8));
    const int file = Open(source);
    model.SetModified(file, false);
    seen.clear();
    reverser.Reverse({});
    reverser.Reverse({12345});
    EXPECT_TRUE(seen.empty());
    EXPECT_FALSE(model.GetFileAttr(file)->modified);
}
