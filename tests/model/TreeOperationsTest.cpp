#include "OpenTracksTestBench.h"

#include "Track.h"
#include "TrackI.h"
#include "TrackPointStatus.h"

using Tids = std::vector<int>;

namespace {
const Time kStart(2024, 5, 1, 10, 0, 0);

void Filter(std::vector<TrackPoint>& points, int index, int reason)
{
    points[static_cast<size_t>(index)].GetStatus().SetFilterReason(reason);
}
} // namespace

// One file: folder F1 with segments A (10 points, two of them filtered) and
// B (4 points), then folder F2 with segment C (3 points).
class TreeOperationsTest : public OpenTracksTest
{
protected:
    void SetUp() override
    {
        SourceTree source;
        const int f1 = source.Folder(source.file, QStringLiteral("F1"));
        std::vector<TrackPoint> aPoints = MakePoints(10, kStart);
        Filter(aPoints, 2, 5);
        Filter(aPoints, 7, 6);
        source.Segment(f1, aPoints);
        source.Segment(f1, MakePoints(4, kStart + TimeSpan::FromSeconds(200), 10.0, 11.0));
        const int f2 = source.Folder(source.file, QStringLiteral("F2"));
        source.Segment(f2, MakePoints(3, kStart + TimeSpan::FromSeconds(400), 10.0, 12.0));
        file = Open(source);
        folder1 = Reader()->GetChildren(file).at(0);
        folder2 = Reader()->GetChildren(file).at(1);
        a = Reader()->GetChildren(folder1).at(0);
        b = Reader()->GetChildren(folder1).at(1);
        c = Reader()->GetChildren(folder2).at(0);
        original = PointsOf(file);
        seen.clear();
    }

    int file = -1;
    int folder1 = -1;
    int folder2 = -1;
    int a = -1;
    int b = -1;
    int c = -1;
    std::vector<TrackPoint> original;
};

TEST_F(TreeOperationsTest, SplittingMovesThePointsAfterTheCutIntoANewSegmentRightAfter)
{
    const int added = model.SplitSegment(a, 4);

    ASSERT_GT(added, 0);
    EXPECT_EQ(Reader()->GetChildren(folder1), (Tids{a, added, b}));
    EXPECT_EQ(model.GetTrack(a)->GetPointCount(), 5);
    EXPECT_EQ(model.GetTrack(added)->GetPointCount(), 5);
    EXPECT_EQ(model.GetTrack(added)->GetParentTid(), folder1);
    // Every point in order with its status; the filtered 8th point moved along.
    EXPECT_EQ(PointsOf(file), original);
    EXPECT_EQ(model.GetTrack(added)->GetPtNav().GetFilteredCount(), 1);
    EXPECT_EQ(model.GetTrack(a)->GetPtNav().GetFilteredCount(), 1);
    ExpectCompositesAgree(file);
    EXPECT_TRUE(model.GetFileAttr(file)->modified);

    ASSERT_EQ(Kinds(), Tids{GEventKind::TreeChanged});
    EXPECT_EQ(seen[0].added, Tids{added});
    EXPECT_TRUE(seen[0].removed.empty());
    EXPECT_EQ(seen[0].changed, (Tids{file, folder1, a}));
    // The new segment got its own colour.
    EXPECT_TRUE(dynamic_cast<const TrackInfo::Segment&>(*Reader()->GetNode(added)).GetColour().IsSet());
}

TEST_F(TreeOperationsTest, SplittingNeedsPointsOnBothSidesOfTheCut)
{
    EXPECT_EQ(model.SplitSegment(a, 9), -1);
    EXPECT_EQ(model.SplitSegment(a, -1), -1);
    EXPECT_EQ(model.SplitSegment(folder1, 2), -1);
    EXPECT_EQ(model.SplitSegment(4242, 2), -1);
    EXPECT_TRUE(seen.empty());
    EXPECT_FALSE(model.GetFileAttr(file)->modified);
    EXPECT_EQ(PointsOf(file), original);
}

TEST_F(TreeOperationsTest, SplitThenJoinGivesTheOriginalSegmentBack)
{
    const std::vector<TrackPoint> aBefore = PointsOf(a);
    const int added = model.SplitSegment(a, 6);
    seen.clear();

    ASSERT_TRUE(model.JoinSegments(a, added));

    EXPECT_EQ(PointsOf(a), aBefore);
    EXPECT_EQ(Reader()->GetChildren(folder1), (Tids{a, b}));
    EXPECT_FALSE(model.GetTrack(added));
    EXPECT_EQ(PointsOf(file), original);
    ExpectCompositesAgree(file);
    ASSERT_EQ(Kinds(), (Tids{GEventKind::TreeChanged, GEventKind::SelectionChanged}));
    EXPECT_TRUE(seen[0].added.empty());
    EXPECT_EQ(seen[0].removed, Tids{added});
    EXPECT_EQ(seen[0].changed, (Tids{file, folder1, a}));
}

TEST_F(TreeOperationsTest, JoiningAcrossFoldersRemovesTheFolderLeftEmpty)
{
    ASSERT_TRUE(model.JoinSegments(b, c));

    EXPECT_EQ(Reader()->GetChildren(file), Tids{folder1});
    EXPECT_EQ(Reader()->GetNode(folder2), nullptr);
    EXPECT_FALSE(model.GetTrack(folder2));
    EXPECT_EQ(model.GetTrack(b)->GetPointCount(), 7);
    EXPECT_EQ(PointsOf(file), original);
    ExpectCompositesAgree(file);
    ASSERT_EQ(Seen(GEventKind::TreeChanged).size(), 1u);
    EXPECT_EQ(seen[0].removed, (Tids{folder2, c}));
    EXPECT_EQ(seen[0].changed, (Tids{file, folder1, b}));
    EXPECT_TRUE(model.GetFileAttr(file)->modified);
}

TEST_F(TreeOperationsTest, OnlyASegmentAndTheOneRightAfterItJoin)
{
    EXPECT_FALSE(model.JoinSegments(a, c));
    EXPECT_FALSE(model.JoinSegments(b, a));
    EXPECT_FALSE(model.JoinSegments(a, a));
    EXPECT_FALSE(model.JoinSegments(folder1, b));
    EXPECT_FALSE(model.JoinSegments(c, -1));
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(PointsOf(file), original);
    EXPECT_FALSE(model.GetFileAttr(file)->modified);
}

TEST_F(TreeOperationsTest, ReplacingAFilesTreeKeepsTheFileAndPutsTheNewNodesInPlace)
{
    holder.SetSelection({file});
    holder.SetCheckState({file}, false);
    // The same points cut differently: 8 + 9 in one folder.
    SourceTree rebuilt;
    const int folder = rebuilt.Folder(rebuilt.file);
    rebuilt.Segment(folder, std::vector<TrackPoint>(original.begin(), original.begin() + 8));
    rebuilt.Segment(folder, std::vector<TrackPoint>(original.begin() + 8, original.end()));
    seen.clear();

    ASSERT_TRUE(model.ReplaceFileTree(file, *rebuilt.tree.GetReader(), rebuilt.file, *rebuilt.data));

    EXPECT_EQ(model.GetFileTids(), Tids{file});
    EXPECT_EQ(Reader()->GetNode(file)->GetName(), QStringLiteral("walk"));
    const Tids children = Reader()->GetChildren(file);
    ASSERT_EQ(children.size(), 1u);
    const Tids segments = Segments(file);
    ASSERT_EQ(segments.size(), 2u);
    EXPECT_EQ(PointsOf(file), original);
    ExpectCompositesAgree(file);
    EXPECT_TRUE(model.GetFileAttr(file)->modified);
    for (const int old : {folder1, folder2, a, b, c})
        EXPECT_FALSE(model.GetTrack(old)) << old;

    ASSERT_EQ(Seen(GEventKind::TreeChanged).size(), 1u);
    EXPECT_EQ(seen[0].removed, (Tids{folder1, a, b, folder2, c}));
    EXPECT_EQ(seen[0].added, (Tids{children[0], segments[0], segments[1]}));
    EXPECT_EQ(seen[0].changed, Tids{file});
    // The file stays selected and hidden, now with its new segments.
    EXPECT_EQ(State().GetSelectedCount(), 2);
    EXPECT_TRUE(State().IsSelected(segments[1]));
    EXPECT_EQ(State().GetCheckState(segments[0]), TracksStateI::Unchecked);
    EXPECT_EQ(State().GetCheckState(file), TracksStateI::Unchecked);
    // The new folder came without a name.
    EXPECT_FALSE(Reader()->GetNode(children[0])->GetName().isEmpty());
}

TEST_F(TreeOperationsTest, ReplacingNeedsAnOpenFile)
{
    SourceTree rebuilt;
    rebuilt.Segment(rebuilt.file, MakePoints(2, kStart));
    EXPECT_FALSE(model.ReplaceFileTree(folder1, *rebuilt.tree.GetReader(), rebuilt.file, *rebuilt.data));
    EXPECT_FALSE(model.ReplaceFileTree(file, *rebuilt.tree.GetReader(), 999, *rebuilt.data));
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(PointsOf(file), original);
}

TEST_F(TreeOperationsTest, ANewFileKeepsItsPointsAsTheyAreAndCountsAsUnsaved)
{
    // Out of order on purpose: a merge of overlapping files is not re-checked.
    std::vector<TrackPoint> merged = original;
    merged.insert(merged.end(), original.begin(), original.begin() + 3);
    SourceTree built{QString()};
    const int folder = built.Folder(built.file);
    built.Segment(folder, merged);

    const int added = model.AddNewFile(*built.tree.GetReader(), built.file, *built.data);

    ASSERT_GT(added, 0);
    EXPECT_EQ(PointsOf(added), merged);
    ExpectCompositesAgree(added);
    const TrackFileAttrPtr attr = model.GetFileAttr(added);
    EXPECT_TRUE(attr->path.isEmpty());
    EXPECT_TRUE(attr->modified);
    // Named after its valid points: the last three are the first three
    // again, and the third of them is filtered.
    EXPECT_EQ(Reader()->GetNode(added)->GetName(),
              NamerImpl::MakeName(TimePeriod(original[0].GetTime(), original[1].GetTime())));
    ASSERT_EQ(Kinds(), Tids{GEventKind::TreeChanged});
    EXPECT_EQ(seen[0].added.size(), 3u);
    EXPECT_EQ(seen[0].added.front(), added);
    EXPECT_FALSE(model.GetFileAttr(file)->modified);
}

TEST_F(TreeOperationsTest, ACurrentPointCutOffBySplittingStaysOnItsSegment)
{
    holder.SetCurrentPoint(a, 8);
    model.SplitSegment(a, 4);
    EXPECT_EQ(State().GetCurrentPoint(), (TrackPosition{a, 4}));
}

TEST_F(TreeOperationsTest, AChangeMadeThroughTheFileAfterASplitReachesTheNewSegment)
{
    const int added = model.SplitSegment(a, 4);
    // File numbering: A 0..4, new 5..9.
    TrackPoint point = original[6];
    point.GetStatus().SetFilterReason(9);
    model.GetTrack(file)->SetPoint(6, point);

    TrackPoint inPart;
    ASSERT_TRUE(model.GetTrack(added)->GetPoint(1, inPart));
    EXPECT_EQ(inPart, point);
    ExpectCompositesAgree(file);
}

namespace {
RgbStruct ColourOf(const TrackTreeReaderPtr& reader, int tid)
{
    return dynamic_cast<const TrackInfo::Segment&>(*reader->GetNode(tid)).GetColour();
}

std::vector<TrackPoint> Join(std::initializer_list<std::vector<TrackPoint>> parts)
{
    std::vector<TrackPoint> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}
} // namespace

TEST_F(TreeOperationsTest, MovingASegmentBeforeItsSiblingKeepsPointsColoursAndTids)
{
    const std::vector<TrackPoint> aPoints = PointsOf(a);
    const std::vector<TrackPoint> bPoints = PointsOf(b);
    const std::vector<TrackPoint> cPoints = PointsOf(c);
    const RgbStruct aColour = ColourOf(Reader(), a);
    const RgbStruct bColour = ColourOf(Reader(), b);
    ASSERT_FALSE(model.GetFileAttr(file)->modified);

    EXPECT_TRUE(model.MoveSiblings({b}, a));

    EXPECT_EQ(Reader()->GetChildren(folder1), (Tids{b, a}));
    EXPECT_EQ(Segments(file), (Tids{b, a, c}));
    EXPECT_EQ(PointsOf(a), aPoints);
    EXPECT_EQ(PointsOf(b), bPoints);
    // The file's composite runs through its segments in their new order.
    EXPECT_EQ(PointsOf(file), Join({bPoints, aPoints, cPoints}));
    EXPECT_EQ(model.GetTrack(file)->GetPointCount(), 17);
    EXPECT_EQ(model.GetTrack(file)->GetTrackData().GetTrackPoint(0), bPoints.front());
    EXPECT_EQ(model.GetTrack(file)->GetTrackData().GetTrackPoint(4), aPoints.front());
    EXPECT_EQ(model.GetTrack(a)->GetPtNav().GetFilteredCount(), 2);
    EXPECT_EQ(ColourOf(Reader(), a), aColour);
    EXPECT_EQ(ColourOf(Reader(), b), bColour);
    ExpectCompositesAgree(file);
    EXPECT_TRUE(model.GetFileAttr(file)->modified);

    ASSERT_EQ(Kinds(), Tids{GEventKind::TreeChanged});
    EXPECT_TRUE(seen[0].added.empty());
    EXPECT_TRUE(seen[0].removed.empty());
    EXPECT_EQ(seen[0].changed, (Tids{file, folder1, b}));
}

TEST_F(TreeOperationsTest, MovingFoldersToTheEndReordersTheFilesPoints)
{
    const std::vector<TrackPoint> f1Points = PointsOf(folder1);
    const std::vector<TrackPoint> f2Points = PointsOf(folder2);

    EXPECT_TRUE(model.MoveSiblings({folder1}, -1));

    EXPECT_EQ(Reader()->GetChildren(file), (Tids{folder2, folder1}));
    EXPECT_EQ(Segments(file), (Tids{c, a, b}));
    EXPECT_EQ(PointsOf(file), Join({f2Points, f1Points}));
    ExpectCompositesAgree(file);
    EXPECT_TRUE(model.GetFileAttr(file)->modified);
    ASSERT_EQ(Kinds(), Tids{GEventKind::TreeChanged});
    EXPECT_EQ(seen[0].changed, (Tids{file, folder1}));
}

TEST_F(TreeOperationsTest, MovingAFolderAndASegmentOfOneParentTogether)
{
    // Folder G with segment P, segments Q and R beside it.
    SourceTree source(QStringLiteral("mixed"));
    const int g = source.Folder(source.file, QStringLiteral("G"));
    source.Segment(g, MakePoints(2, kStart, 10.0, 20.0));
    source.Segment(source.file, MakePoints(3, kStart, 10.0, 21.0));
    source.Segment(source.file, MakePoints(4, kStart, 10.0, 22.0));
    const int mixed = Open(source);
    const Tids top = Reader()->GetChildren(mixed);
    ASSERT_EQ(top.size(), 3u);
    const int p = Reader()->GetChildren(top[0]).at(0);
    const std::vector<TrackPoint> pPoints = PointsOf(p);
    const std::vector<TrackPoint> qPoints = PointsOf(top[1]);
    const std::vector<TrackPoint> rPoints = PointsOf(top[2]);
    seen.clear();

    // Handed in any order, the moved ones keep their own order.
    EXPECT_TRUE(model.MoveSiblings({top[2], top[0]}, -1));

    EXPECT_EQ(Reader()->GetChildren(mixed), (Tids{top[1], top[0], top[2]}));
    EXPECT_EQ(Segments(mixed), (Tids{top[1], p, top[2]}));
    EXPECT_EQ(PointsOf(mixed), Join({qPoints, pPoints, rPoints}));
    ExpectCompositesAgree(mixed);
    EXPECT_TRUE(model.GetFileAttr(mixed)->modified);
    // The other file was not touched.
    EXPECT_FALSE(model.GetFileAttr(file)->modified);
}

TEST_F(TreeOperationsTest, MovesAcrossParentsAreRefusedAndChangeNothing)
{
    SourceTree source(QStringLiteral("other"));
    source.Segment(source.file, MakePoints(2, kStart));
    const int other = Open(source);
    seen.clear();

    // Segments of two folders.
    EXPECT_FALSE(model.CanMoveSiblings({a, c}, -1));
    EXPECT_FALSE(model.MoveSiblings({a, c}, -1));
    // Into another folder.
    EXPECT_FALSE(model.CanMoveSiblings({a}, c));
    EXPECT_FALSE(model.MoveSiblings({a}, c));
    // A folder among files, a file among folders.
    EXPECT_FALSE(model.MoveSiblings({folder1}, other));
    EXPECT_FALSE(model.MoveSiblings({other}, folder1));
    // A file together with a folder, a tid twice, nothing, an unknown tid.
    EXPECT_FALSE(model.MoveSiblings({file, folder1}, -1));
    EXPECT_FALSE(model.MoveSiblings({b, b}, a));
    EXPECT_FALSE(model.MoveSiblings({}, a));
    EXPECT_FALSE(model.MoveSiblings({9999}, -1));

    EXPECT_EQ(Reader()->GetChildren(folder1), (Tids{a, b}));
    EXPECT_EQ(Reader()->GetChildren(folder2), (Tids{c}));
    EXPECT_EQ(model.GetFileTids(), (Tids{file, other}));
    EXPECT_FALSE(model.GetFileAttr(file)->modified);
    EXPECT_TRUE(seen.empty());
    // Siblings are fine.
    EXPECT_TRUE(model.CanMoveSiblings({b}, a));
    EXPECT_TRUE(model.CanMoveSiblings({file}, other));
}

TEST_F(TreeOperationsTest, PlacingItemsWhereTheyAreChangesAndAnnouncesNothing)
{
    // Just before itself, just before the next one, or at the end when last.
    EXPECT_FALSE(model.MoveSiblings({a}, a));
    EXPECT_FALSE(model.MoveSiblings({a}, b));
    EXPECT_FALSE(model.MoveSiblings({b}, -1));
    EXPECT_FALSE(model.MoveSiblings({a, b}, a));
    EXPECT_TRUE(seen.empty());
    EXPECT_FALSE(model.GetFileAttr(file)->modified);
    // Before a moved item is the gap where that item was: with A, A2, B,
    // A and B before A go together ahead of A2.
    const int a2 = model.SplitSegment(a, 4);
    ASSERT_EQ(Reader()->GetChildren(folder1), (Tids{a, a2, b}));
    EXPECT_TRUE(model.MoveSiblings({a, b}, a));
    EXPECT_EQ(Reader()->GetChildren(folder1), (Tids{a, b, a2}));
    ExpectCompositesAgree(file);
}

TEST_F(TreeOperationsTest, ReorderingFilesMarksNoFileModified)
{
    SourceTree secondSource(QStringLiteral("second"));
    secondSource.Segment(secondSource.file, MakePoints(2, kStart));
    const int second = Open(secondSource);
    SourceTree thirdSource(QStringLiteral("third"));
    thirdSource.Segment(thirdSource.file, MakePoints(2, kStart));
    const int third = Open(thirdSource);
    seen.clear();
    const std::vector<TrackPoint> filePoints = PointsOf(file);

    EXPECT_TRUE(model.MoveSiblings({third, second}, file));

    EXPECT_EQ(model.GetFileTids(), (Tids{second, third, file}));
    EXPECT_EQ(PointsOf(file), filePoints);
    EXPECT_EQ(Reader()->GetChildren(file), (Tids{folder1, folder2}));
    for (const int tid : {file, second, third})
        EXPECT_FALSE(model.GetFileAttr(tid)->modified) << tid;
    ASSERT_EQ(Kinds(), Tids{GEventKind::TreeChanged});
    EXPECT_EQ(seen[0].changed, (Tids{second, third}));
}
