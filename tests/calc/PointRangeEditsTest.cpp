#include "PointRangeEdits.h"

#include "GEventKind.h"
#include "OpenTracksTestBench.h"
#include "PointEdits.h"
#include "TrackI.h"

#include <gtest/gtest.h>

using Points = std::vector<TrackPoint>;
using Tids = std::vector<int>;

namespace {

const Time kStart(2024, 5, 1, 10, 0, 0);
// A reason of a filter, unlike the user's removal.
constexpr int kSpikeReason = 3;

// One file: segment A of 10 points, of which 2 and 7 are filtered by a
// filter, and segment B of 4 points.
class PointRangeEditsTest : public OpenTracksTest
{
protected:
    void SetUp() override
    {
        Points points = MakePoints(10, kStart);
        points[2].GetStatus().SetFilterReason(kSpikeReason);
        points[7].GetStatus().SetFilterReason(kSpikeReason);
        SourceTree source;
        source.Segment(source.file, points);
        source.Segment(source.file, MakePoints(4, kStart + TimeSpan::FromSeconds(200), 10.0, 11.0));
        file = Open(source);
        a = Segments(file).at(0);
        b = Segments(file).at(1);
        model.SetModified(file, false);
        before = PointsOf(a);
        otherBefore = PointsOf(b);
        seen.clear();
    }

    int file = -1;
    int a = -1;
    int b = -1;
    Points before;
    Points otherBefore;
    PointRangeEdits edits{model, holder, events};
};

} // namespace

TEST_F(PointRangeEditsTest, ANewSegmentHoldsExactlyTheRangesPointsRightAfterItsSource)
{
    const int added = edits.NewSegment({a, 1, 5}, QStringLiteral("Selection"));
    ASSERT_GE(added, 0);
    EXPECT_EQ(Segments(file), (Tids{a, added, b}));
    EXPECT_EQ(Reader()->GetNode(added)->GetName(), QStringLiteral("Selection"));
    // Point 2 comes along filtered, with its reason.
    EXPECT_EQ(PointsOf(added), Points(before.begin() + 1, before.begin() + 6));
    EXPECT_EQ(model.GetTrack(added)->GetPtNav().GetValidCount(), 4);
    EXPECT_EQ(PointsOf(a), before);
    EXPECT_EQ(PointsOf(b), otherBefore);
    EXPECT_TRUE(model.GetFileAttr(file)->modified);
    EXPECT_EQ(Kinds(), (Tids{GEventKind::TreeChanged}));
    ASSERT_EQ(Seen(GEventKind::TreeChanged).size(), 1u);
    EXPECT_EQ(Seen(GEventKind::TreeChanged).front().added, Tids{added});
    ExpectCompositesAgree(file);
}

TEST_F(PointRangeEditsTest, ANewSegmentInAFolderStaysInTheFolder)
{
    SourceTree source(QStringLiteral("ride"));
    const int folder = source.Folder(source.file, QStringLiteral("F"));
    source.Segment(folder, MakePoints(3, kStart));
    source.Segment(folder, MakePoints(3, kStart + TimeSpan::FromSeconds(100)));
    const int second = Open(source);
    const Tids segments = Segments(second);
    const int added = edits.NewSegment({segments[0], 0, 1}, QStringLiteral("Selection"));
    EXPECT_EQ(Reader()->GetParent(added), Reader()->GetParent(segments[0]));
    EXPECT_EQ(Segments(second), (Tids{segments[0], added, segments[1]}));
    ExpectCompositesAgree(second);
}

TEST_F(PointRangeEditsTest, CropKeepsOnlyTheRangesPointsWithTheirStatusesAndTheRangeOnThem)
{
    holder.SetCurrentPoint(a, 8);
    seen.clear();
    ASSERT_TRUE(edits.Crop({a, 2, 6}));
    EXPECT_EQ(PointsOf(a), Points(before.begin() + 2, before.begin() + 7));
    EXPECT_FALSE(PointsOf(a).front().IsValid());
    EXPECT_EQ(PointsOf(b), otherBefore);
    // The current point was after the range: it moves to the range's end.
    EXPECT_EQ(State().GetCurrentPoint(), (TrackPosition{a, 4}));
    EXPECT_EQ(State().GetPointRange(), (PointRange{a, 0, 4}));
    EXPECT_TRUE(model.GetFileAttr(file)->modified);
    EXPECT_EQ(Kinds(),
              (Tids{GEventKind::CurrentPointChanged, GEventKind::PointRangeChanged, GEventKind::PointsChanged}));
    ExpectCompositesAgree(file);
}

TEST_F(PointRangeEditsTest, CropKeepsTheCurrentPointInsideTheRange)
{
    holder.SetCurrentPoint(a, 4);
    edits.Crop({a, 3, 9});
    EXPECT_EQ(State().GetCurrentPoint(), (TrackPosition{a, 1}));
    EXPECT_EQ(PointsOf(a), Points(before.begin() + 3, before.end()));
}

TEST_F(PointRangeEditsTest, CropToTheWholeSegmentOrToARangeThatDoesNotFitChangesNothing)
{
    EXPECT_FALSE(edits.Crop({a, 0, 9}));
    EXPECT_FALSE(edits.Crop({a, 4, 10}));
    EXPECT_FALSE(edits.Crop({a, 5, 4}));
    EXPECT_FALSE(edits.Crop({file, 0, 3}));
    EXPECT_EQ(edits.NewSegment({a, 8, 12}, QStringLiteral("x")), -1);
    EXPECT_EQ(edits.Remove({b, -1, 2}), 0);
    EXPECT_EQ(PointsOf(a), before);
    EXPECT_FALSE(model.GetFileAttr(file)->modified);
    EXPECT_TRUE(Kinds().empty());
}

TEST_F(PointRangeEditsTest, RemoveMarksTheValidPointsAsRemovedByTheUserAndLeavesTheRestAlone)
{
    EXPECT_EQ(edits.Remove({a, 1, 7}), 5);
    const Points after = PointsOf(a);
    ASSERT_EQ(after.size(), before.size());
    for (int i = 0; i < 10; ++i) {
        const int reason = after[static_cast<size_t>(i)].GetStatus().GetFilterReason();
        if (i == 2 || i == 7)
            EXPECT_EQ(reason, kSpikeReason) << i;
        else if (i >= 1 && i <= 6)
            EXPECT_EQ(reason, PointEdits::RemovedByUserReason) << i;
        else
            EXPECT_EQ(after[static_cast<size_t>(i)], before[static_cast<size_t>(i)]) << i;
    }
    EXPECT_EQ(model.GetTrack(a)->GetPtNav().GetValidCount(), 3);
    EXPECT_EQ(PointsOf(b), otherBefore);
    EXPECT_TRUE(model.GetFileAttr(file)->modified);
    EXPECT_EQ(Kinds(), (Tids{GEventKind::PointsChanged}));

    // A second time finds nothing left to remove.
    EXPECT_EQ(edits.Remove({a, 1, 7}), 0);
    EXPECT_EQ(Kinds().size(), 1u);
}

TEST_F(PointRangeEditsTest, RemovedPointsComeBackWithTheOtherFilteredOnes)
{
    edits.Remove({a, 0, 4});
    model.GetTrack(a)->RestoreFiltered();
    EXPECT_EQ(model.GetTrack(a)->GetPtNav().GetValidCount(), 10);
}

TEST_F(PointRangeEditsTest, AFileOfTheRangeHoldsOneSegmentOfItsPoints)
{
    const int added = edits.AddAsFile({a, 3, 8}, QStringLiteral("part"));
    ASSERT_GE(added, 0);
    EXPECT_EQ(model.GetFileTids(), (Tids{file, added}));
    EXPECT_EQ(Reader()->GetNode(added)->GetName(), QStringLiteral("part"));
    ASSERT_EQ(Segments(added).size(), 1u);
    EXPECT_EQ(PointsOf(added), Points(before.begin() + 3, before.begin() + 9));
    EXPECT_TRUE(model.GetFileAttr(added)->path.isEmpty());
    EXPECT_EQ(PointsOf(a), before);
}

TEST_F(PointRangeEditsTest, TheDefaultNameComesFromTheValidPointsOfTheRange)
{
    // Points 2 and 7 are filtered: the span runs from point 3 to point 6.
    EXPECT_EQ(edits.GetDefaultName({a, 2, 7}),
              NamerImpl::MakeName({kStart + TimeSpan::FromSeconds(30), kStart + TimeSpan::FromSeconds(60)}));
}
