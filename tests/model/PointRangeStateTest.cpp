#include "OpenTracksTestBench.h"

#include "TrackI.h"

#include <algorithm>

using Tids = std::vector<int>;

namespace {

const Time kStart(2024, 5, 1, 10, 0, 0);

} // namespace

// One file: segment A (6 points), then segment B (4 points).
class PointRangeStateTest : public OpenTracksTest
{
protected:
    void SetUp() override
    {
        SourceTree source;
        source.Segment(source.file, MakePoints(6, kStart));
        source.Segment(source.file, MakePoints(4, kStart + TimeSpan::FromSeconds(100), 10.0, 11.0));
        file = Open(source);
        a = Segments(file).at(0);
        b = Segments(file).at(1);
        seen.clear();
    }

    int RangeAnnouncements() const
    {
        const Tids kinds = Kinds();
        return static_cast<int>(std::count(kinds.begin(), kinds.end(), GEventKind::PointRangeChanged));
    }

    PointRange Range() const { return State().GetPointRange(); }

    int file = -1;
    int a = -1;
    int b = -1;
};

TEST_F(PointRangeStateTest, ARangeIsStoredLowEndFirstAndAnnouncedOncePerChange)
{
    EXPECT_TRUE(Range().IsEmpty());

    EXPECT_EQ(holder.SetPointRange(a, 4, 1), (PointRange{a, 1, 4}));
    EXPECT_EQ(Range(), (PointRange{a, 1, 4}));
    EXPECT_EQ(Kinds(), Tids{GEventKind::PointRangeChanged});

    // The same range again is no change.
    holder.SetPointRange(a, 1, 4);
    EXPECT_EQ(RangeAnnouncements(), 1);

    holder.ClearPointRange();
    holder.ClearPointRange();
    EXPECT_TRUE(Range().IsEmpty());
    EXPECT_EQ(RangeAnnouncements(), 2);
}

TEST_F(PointRangeStateTest, ARangeInAFilesNumberingLandsOnTheSegmentOfItsLowEndAndStopsAtItsEnd)
{
    // File points 7..8 are B's 1..2.
    EXPECT_EQ(holder.SetPointRange(file, 7, 8), (PointRange{b, 1, 2}));
    // From A's point 3 to B's point 2: cut at A's last point.
    EXPECT_EQ(holder.SetPointRange(file, 8, 3), (PointRange{a, 3, 5}));
}

TEST_F(PointRangeStateTest, EndsOutsideThePointsClearTheRange)
{
    holder.SetPointRange(a, 0, 2);
    EXPECT_TRUE(holder.SetPointRange(a, 2, 6).IsEmpty());
    EXPECT_TRUE(Range().IsEmpty());
    holder.SetPointRange(a, 0, 2);
    EXPECT_TRUE(holder.SetPointRange(a, -1, 2).IsEmpty());
    EXPECT_TRUE(holder.SetPointRange(12345, 0, 1).IsEmpty());
    EXPECT_EQ(RangeAnnouncements(), 4);
}

TEST_F(PointRangeStateTest, TwoMarksOnOneSegmentAtDifferentPointsMakeTheRangeBetweenThem)
{
    holder.MarkPoint(a, 4);
    EXPECT_TRUE(Range().IsEmpty());
    // The same point twice is no stretch.
    holder.MarkPoint(a, 4);
    EXPECT_TRUE(Range().IsEmpty());
    holder.MarkPoint(a, 2);
    EXPECT_EQ(Range(), (PointRange{a, 2, 4}));
    // Marks on two segments leave the range as it was.
    holder.MarkPoint(b, 1);
    EXPECT_EQ(Range(), (PointRange{a, 2, 4}));
    // Only the last two marks count: b 1 and b 3.
    holder.MarkPoint(b, 3);
    EXPECT_EQ(Range(), (PointRange{b, 1, 3}));
    EXPECT_EQ(RangeAnnouncements(), 2);
}

TEST_F(PointRangeStateTest, MarksGivenInAFilesNumberingCountOnTheirSegment)
{
    holder.MarkPoint(file, 9);
    holder.MarkPoint(b, 0);
    EXPECT_EQ(Range(), (PointRange{b, 0, 3}));
}

TEST_F(PointRangeStateTest, ClearingTheRangeForgetsTheMarks)
{
    holder.MarkPoint(a, 1);
    holder.MarkPoint(a, 3);
    holder.ClearPointRange();
    holder.MarkPoint(a, 5);
    EXPECT_TRUE(Range().IsEmpty());
    holder.MarkPoint(a, 4);
    EXPECT_EQ(Range(), (PointRange{a, 4, 5}));
}

TEST_F(PointRangeStateTest, SplittingTheRangesSegmentClearsItOnceAfterTheTreeChange)
{
    holder.SetPointRange(a, 1, 4);
    seen.clear();
    model.SplitSegment(a, 2);
    EXPECT_TRUE(Range().IsEmpty());
    const Tids kinds = Kinds();
    ASSERT_FALSE(kinds.empty());
    EXPECT_EQ(kinds.front(), GEventKind::TreeChanged);
    EXPECT_EQ(RangeAnnouncements(), 1);
}

TEST_F(PointRangeStateTest, ATreeChangeElsewhereKeepsTheRange)
{
    holder.SetPointRange(b, 0, 2);
    SourceTree other(QStringLiteral("ride"));
    other.Segment(other.file, MakePoints(3, kStart));
    const int second = Open(other);
    model.SplitSegment(Segments(second).front(), 0);
    EXPECT_EQ(Range(), (PointRange{b, 0, 2}));
    EXPECT_EQ(RangeAnnouncements(), 1);
}

TEST_F(PointRangeStateTest, ClosingTheFileClearsTheRangeAndTheMarks)
{
    holder.MarkPoint(a, 1);
    holder.MarkPoint(a, 3);
    holder.MarkPoint(b, 2);
    model.Remove({file});
    EXPECT_TRUE(Range().IsEmpty());
    EXPECT_EQ(RangeAnnouncements(), 2);

    SourceTree again;
    again.Segment(again.file, MakePoints(4, kStart));
    const int reopened = Segments(Open(again)).front();
    // The old mark on b is gone with b: one new mark makes no range.
    holder.MarkPoint(reopened, 1);
    EXPECT_TRUE(Range().IsEmpty());
}

TEST_F(PointRangeStateTest, APointInsertedBeforeOrInsideTheRangeMovesItsEnds)
{
    holder.SetPointRange(a, 2, 4);
    model.GetTrack(a)->InsertPoints(3, {MakePoints(1, kStart).front()});
    events.NotifyPair(GEventKind::PointAdded, a, 3);
    EXPECT_EQ(Range(), (PointRange{a, 2, 5}));
    model.GetTrack(a)->InsertPoints(0, {MakePoints(1, kStart).front()});
    events.NotifyPair(GEventKind::PointAdded, a, 0);
    EXPECT_EQ(Range(), (PointRange{a, 3, 6}));
    // After the range: nothing moves.
    model.GetTrack(a)->InsertPoints(8, {MakePoints(1, kStart).front()});
    events.NotifyPair(GEventKind::PointAdded, a, 8);
    EXPECT_EQ(Range(), (PointRange{a, 3, 6}));
}

TEST_F(PointRangeStateTest, ARangeBeyondTheSegmentAfterPointsWentIsCleared)
{
    holder.SetPointRange(a, 3, 5);
    model.GetTrack(a)->DeletePoint(0);
    events.Notify(GEventKind::PointsChanged);
    EXPECT_TRUE(Range().IsEmpty());
}
