#include "TrackRestructure.h"

#include "GEventKind.h"
#include "RestructureTestSupport.h"
#include "TrackTreeAlg.h"

#include <gtest/gtest.h>

using namespace restructuretest;

namespace {

class TrackRestructureTest : public OpenTracksTest
{
protected:
    // One file holding the runs as one segment each, all in one folder.
    int OpenFile(const std::vector<std::vector<TrackPoint>>& segments, const QString& name = QStringLiteral("day"))
    {
        SourceTree source(name);
        const int folder = source.Folder(source.file);
        for (const std::vector<TrackPoint>& points : segments)
            source.Segment(folder, points);
        return Open(source);
    }

    void FilterPoint(int segment, int index, int reason)
    {
        const TrackPtr track = model.GetTrack(segment);
        track->GetPointStatus(index)->SetFilterReason(reason);
        track->Refresh(false);
    }

    TrackRestructure restructure{model};
};

} // namespace

TEST_F(TrackRestructureTest, GapsBecomeFoldersAndSegments)
{
    // 20 points, 6-minute gap, 20 points, 61-minute gap, 20 points.
    std::vector<TrackPoint> points = TimedRun(20);
    AppendRun(points, 20, Minutes(6));
    AppendRun(points, 20, Minutes(61));
    const int file = OpenFile({points});
    FilterPoint(Segments(file).front(), 3, 7);
    FilterPoint(Segments(file).front(), 45, 9);
    const std::vector<TrackPoint> before = AllPoints(model, file);
    seen.clear();

    ASSERT_TRUE(restructure.RestructureFile(file, {}));
    const std::vector<int> folders = Reader()->GetChildren(file);
    ASSERT_EQ(ChildKinds(model, file), (std::vector<int>{TrackInfo::KindFolder, TrackInfo::KindFolder}));
    EXPECT_EQ(SegmentSizes(model, folders[0]), (std::vector<int>{20, 20}));
    EXPECT_EQ(SegmentSizes(model, folders[1]), (std::vector<int>{20}));
    // Every point in order, statuses included.
    EXPECT_EQ(AllPoints(model, file), before);
    EXPECT_EQ(AllPoints(model, file)[45].GetStatus().GetFilterReason(), 9);
    EXPECT_EQ(Reader()->GetNode(file)->GetName(), QStringLiteral("day"));
    EXPECT_TRUE(model.GetFileAttr(file)->modified);
    // One tree change; the tracks state follows it on its own.
    EXPECT_EQ(Seen(GEventKind::TreeChanged).size(), 1u);
    ExpectCompositesAgree(file);
}

TEST_F(TrackRestructureTest, SegmentsWithoutGapsBecomeOne)
{
    const std::vector<TrackPoint> all = TimedRun(15);
    const int file = OpenFile({{all.begin(), all.begin() + 5}, {all.begin() + 5, all.begin() + 10},
                               {all.begin() + 10, all.end()}});
    ASSERT_TRUE(restructure.RestructureFile(file, {}));
    EXPECT_EQ(SegmentSizes(model, file), (std::vector<int>{15}));
    EXPECT_EQ(ChildKinds(model, file), (std::vector<int>{TrackInfo::KindFolder}));
}

TEST_F(TrackRestructureTest, KeptBreaksStayEvenForThreePoints)
{
    std::vector<TrackPoint> all = TimedRun(43);
    const std::vector<TrackPoint> a(all.begin(), all.begin() + 20);
    const std::vector<TrackPoint> b(all.begin() + 20, all.begin() + 23);
    const std::vector<TrackPoint> c(all.begin() + 23, all.end());
    const int file = OpenFile({a, b, c});
    ASSERT_TRUE(restructure.RestructureFile(file, {60, 5, true}));
    EXPECT_EQ(SegmentSizes(model, file), (std::vector<int>{20, 3, 20}));
    ASSERT_TRUE(restructure.RestructureFile(file, {60, 5, false}));
    EXPECT_EQ(SegmentSizes(model, file), (std::vector<int>{43}));
}

TEST_F(TrackRestructureTest, SegmentsComeFromEverySegmentInTreeOrder)
{
    // Segments directly under the file and inside folders, in tree order.
    SourceTree source;
    std::vector<TrackPoint> all = TimedRun(30);
    AppendRun(all, 30, Minutes(10));
    source.Segment(source.file, {all.begin(), all.begin() + 10});
    const int folder = source.Folder(source.file);
    source.Segment(folder, {all.begin() + 10, all.begin() + 45});
    source.Segment(source.file, {all.begin() + 45, all.end()});
    const int file = Open(source);
    ASSERT_TRUE(restructure.RestructureFile(file, {}));
    EXPECT_EQ(SegmentSizes(model, file), (std::vector<int>{30, 30}));
    EXPECT_EQ(AllPoints(model, file), all);
}

TEST_F(TrackRestructureTest, FileWithoutSegmentFails)
{
    SourceTree source;
    source.Folder(source.file);
    const int file = Open(source);
    seen.clear();
    EXPECT_FALSE(restructure.RestructureFile(file, {}));
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(ChildKinds(model, file), (std::vector<int>{TrackInfo::KindFolder}));
}

TEST_F(TrackRestructureTest, OnlyFilesAreRestructured)
{
    const int file = OpenFile({TimedRun(20)});
    const int segment = Segments(file).front();
    EXPECT_FALSE(restructure.RestructureFile(segment, {}));
    EXPECT_FALSE(restructure.RestructureFile(9999, {}));
    EXPECT_EQ(Segments(file), std::vector<int>{segment});
}

TEST_F(TrackRestructureTest, FileWithEmptySegmentsStaysAsItIs)
{
    const int file = OpenFile({{}, {}});
    const std::vector<int> segments = Segments(file);
    seen.clear();
    EXPECT_TRUE(restructure.RestructureFile(file, {}));
    EXPECT_EQ(Segments(file), segments);
    EXPECT_TRUE(seen.empty());
}

TEST_F(TrackRestructureTest, MergeMakesANewFileAndLeavesTheSources)
{
    std::vector<TrackPoint> morning = TimedRun(20);
    AppendRun(morning, 20, Minutes(7));
    std::vector<TrackPoint> evening = TimedRun(30);
    for (TrackPoint& point : evening)
        point.SetTime(point.GetTime() + Minutes(600));
    const int first = OpenFile({morning}, QStringLiteral("first"));
    const int second = OpenFile({evening, TimedRun(4)}, QStringLiteral("second"));
    model.SetModified(first, false);
    model.SetModified(second, false);
    const std::vector<TrackPoint> firstBefore = AllPoints(model, first);
    const int eveningSegment = Segments(second).front();
    FilterPoint(eveningSegment, 2, 11);
    const std::vector<TrackPoint> eveningBefore = AllPoints(model, eveningSegment);

    const int merged = restructure.Merge({first, eveningSegment}, {}, QStringLiteral("merged"));
    ASSERT_GE(merged, 0);
    EXPECT_EQ(model.GetFileTids(), (std::vector<int>{first, second, merged}));
    EXPECT_EQ(Reader()->GetNode(merged)->GetName(), QStringLiteral("merged"));
    // The 7-minute gap cuts a segment, the ten hours a folder.
    const std::vector<int> folders = Reader()->GetChildren(merged);
    ASSERT_EQ(folders.size(), 2u);
    EXPECT_EQ(SegmentSizes(model, folders[0]), (std::vector<int>{20, 20}));
    EXPECT_EQ(SegmentSizes(model, folders[1]), (std::vector<int>{30}));
    std::vector<TrackPoint> expected = firstBefore;
    expected.insert(expected.end(), eveningBefore.begin(), eveningBefore.end());
    EXPECT_EQ(AllPoints(model, merged), expected);
    EXPECT_TRUE(model.GetFileAttr(merged)->modified);
    EXPECT_TRUE(model.GetFileAttr(merged)->path.isEmpty());
    // The sources are untouched.
    EXPECT_EQ(AllPoints(model, first), firstBefore);
    EXPECT_EQ(SegmentSizes(model, second), (std::vector<int>{30, 4}));
    EXPECT_FALSE(model.GetFileAttr(first)->modified);
    EXPECT_FALSE(model.GetFileAttr(second)->modified);
    ExpectCompositesAgree(merged);
}

TEST_F(TrackRestructureTest, MergeTakesTheItemsInTreeOrderNotSelectionOrder)
{
    const int first = OpenFile({TimedRun(20)}, QStringLiteral("first"));
    const int second = OpenFile({TimedRun(25)}, QStringLiteral("second"));
    const int merged = restructure.Merge({second, first}, {}, QStringLiteral("m"));
    std::vector<TrackPoint> expected = AllPoints(model, first);
    const std::vector<TrackPoint> tail = AllPoints(model, second);
    expected.insert(expected.end(), tail.begin(), tail.end());
    EXPECT_EQ(AllPoints(model, merged), expected);
}

TEST_F(TrackRestructureTest, MergeOfNothingMakesNoFile)
{
    const int file = OpenFile({{}});
    seen.clear();
    EXPECT_EQ(restructure.Merge({file}, {}, QStringLiteral("m")), -1);
    EXPECT_EQ(restructure.Merge({}, {}, QStringLiteral("m")), -1);
    EXPECT_EQ(model.GetFileTids(), std::vector<int>{file});
    EXPECT_TRUE(seen.empty());
}
