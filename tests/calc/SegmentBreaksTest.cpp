#include "SegmentBreaks.h"

#include "GEventKind.h"
#include "RestructureTestSupport.h"

#include <gtest/gtest.h>

#include <random>

using namespace restructuretest;

namespace {

class SegmentBreaksTest : public OpenTracksTest
{
protected:
    // A file with one folder holding segments of the given sizes; the
    // points run on in time across them.
    int OpenFile(const std::vector<int>& sizes)
    {
        SourceTree source;
        const int folder = source.Folder(source.file);
        int total = 0;
        for (const int size : sizes)
            total += size;
        const std::vector<TrackPoint> all = TimedRun(total);
        auto begin = all.begin();
        for (const int size : sizes) {
            source.Segment(folder, {begin, begin + size});
            begin += size;
        }
        return Open(source);
    }

    SegmentBreaks breaks{model};
};

} // namespace

TEST_F(SegmentBreaksTest, AddBreakAtTheFifthOfTenPoints)
{
    const int file = OpenFile({10});
    const int segment = Segments(file).front();
    const std::vector<TrackPoint> before = AllPoints(model, file);
    seen.clear();
    const int added = breaks.AddBreak({segment, 4});
    ASSERT_GE(added, 0);
    EXPECT_EQ(Segments(file), (std::vector<int>{segment, added}));
    EXPECT_EQ(Reader()->GetParent(added), Reader()->GetParent(segment));
    EXPECT_EQ(SegmentSizes(model, file), (std::vector<int>{5, 5}));
    EXPECT_EQ(AllPoints(model, segment), std::vector<TrackPoint>(before.begin(), before.begin() + 5));
    EXPECT_EQ(AllPoints(model, added), std::vector<TrackPoint>(before.begin() + 5, before.end()));
    EXPECT_TRUE(model.GetFileAttr(file)->modified);
    EXPECT_EQ(Kinds(), (std::vector<int>{GEventKind::TreeChanged}));
    ExpectCompositesAgree(file);
}

TEST_F(SegmentBreaksTest, AddBreakAtEitherEndDoesNothing)
{
    const int file = OpenFile({10});
    const int segment = Segments(file).front();
    seen.clear();
    EXPECT_EQ(breaks.AddBreak({segment, 0}), -1);
    EXPECT_EQ(breaks.AddBreak({segment, 9}), -1);
    EXPECT_EQ(breaks.AddBreak({segment, 10}), -1);
    EXPECT_EQ(breaks.AddBreak({segment, -1}), -1);
    EXPECT_EQ(breaks.AddBreak({-1, -1}), -1);
    EXPECT_EQ(Segments(file), std::vector<int>{segment});
    EXPECT_TRUE(seen.empty());
}

TEST_F(SegmentBreaksTest, AddBreakTakesAPointOfAFileOrFolder)
{
    const int file = OpenFile({10, 10});
    const int second = Segments(file).at(1);
    // Point 14 of the file is point 4 of the second segment.
    const int added = breaks.AddBreak({file, 14});
    ASSERT_GE(added, 0);
    EXPECT_EQ(SegmentSizes(model, file), (std::vector<int>{10, 5, 5}));
    EXPECT_EQ(Segments(file).at(1), second);
    // The first point of the second segment is an end of a segment.
    EXPECT_EQ(breaks.AddBreak({file, 10}), -1);
}

TEST_F(SegmentBreaksTest, RemoveBreakAtFirstPointJoinsThePreviousSegment)
{
    const int file = OpenFile({6, 4, 5});
    const std::vector<int> segments = Segments(file);
    const std::vector<TrackPoint> before = AllPoints(model, file);
    const TrackPosition moved = breaks.RemoveBreak({segments[1], 0});
    EXPECT_EQ(moved, (TrackPosition{segments[0], 6}));
    EXPECT_EQ(Segments(file), (std::vector<int>{segments[0], segments[2]}));
    EXPECT_EQ(SegmentSizes(model, file), (std::vector<int>{10, 5}));
    EXPECT_EQ(AllPoints(model, file), before);
}

TEST_F(SegmentBreaksTest, RemoveBreakAtLastPointJoinsTheNextSegment)
{
    const int file = OpenFile({6, 4, 5});
    const std::vector<int> segments = Segments(file);
    const TrackPosition kept = breaks.RemoveBreak({segments[1], 3});
    EXPECT_EQ(kept, (TrackPosition{segments[1], 3}));
    EXPECT_EQ(Segments(file), (std::vector<int>{segments[0], segments[1]}));
    EXPECT_EQ(SegmentSizes(model, file), (std::vector<int>{6, 9}));
}

TEST_F(SegmentBreaksTest, RemoveBreakElsewhereOrAtTheFileEndsDoesNothing)
{
    const int file = OpenFile({6, 4});
    const std::vector<int> segments = Segments(file);
    seen.clear();
    EXPECT_EQ(breaks.RemoveBreak({segments[0], 2}), TrackPosition());
    // No segment before the first or after the last.
    EXPECT_EQ(breaks.RemoveBreak({segments[0], 0}), TrackPosition());
    EXPECT_EQ(breaks.RemoveBreak({segments[1], 3}), TrackPosition());
    EXPECT_EQ(SegmentSizes(model, file), (std::vector<int>{6, 4}));
    EXPECT_TRUE(seen.empty());
}

TEST_F(SegmentBreaksTest, RemoveBreakDoesNotReachIntoAnotherFile)
{
    const int first = OpenFile({5});
    const int second = OpenFile({5});
    EXPECT_EQ(breaks.RemoveBreak({Segments(first).front(), 4}), TrackPosition());
    EXPECT_EQ(breaks.RemoveBreak({Segments(second).front(), 0}), TrackPosition());
    EXPECT_EQ(model.GetFileTids().size(), 2u);
}

TEST_F(SegmentBreaksTest, JoinOfFirstAndThirdIsRefused)
{
    const int file = OpenFile({3, 4, 5});
    const std::vector<int> segments = Segments(file);
    seen.clear();
    EXPECT_FALSE(breaks.Join({segments[0], segments[2]}));
    EXPECT_EQ(Segments(file), segments);
    EXPECT_TRUE(seen.empty());
}

TEST_F(SegmentBreaksTest, JoinOfConsecutiveSegmentsKeepsTheFirst)
{
    const int file = OpenFile({3, 4, 5, 6});
    const std::vector<int> segments = Segments(file);
    const std::vector<TrackPoint> before = AllPoints(model, file);
    // Selection order does not matter, tree order does.
    EXPECT_TRUE(breaks.Join({segments[3], segments[1], segments[2]}));
    EXPECT_EQ(Segments(file), (std::vector<int>{segments[0], segments[1]}));
    EXPECT_EQ(SegmentSizes(model, file), (std::vector<int>{3, 15}));
    EXPECT_EQ(AllPoints(model, file), before);
    ExpectCompositesAgree(file);
}

TEST_F(SegmentBreaksTest, JoinAcrossFilesIsRefused)
{
    const int first = OpenFile({3});
    const int second = OpenFile({4});
    EXPECT_FALSE(breaks.Join({first, second}));
    EXPECT_EQ(Segments(first).size(), 1u);
    EXPECT_EQ(Segments(second).size(), 1u);
}

TEST_F(SegmentBreaksTest, JoinOfAFolderJoinsItsSegments)
{
    const int file = OpenFile({3, 4});
    const int folder = Reader()->GetChildren(file).front();
    EXPECT_TRUE(breaks.Join({folder}));
    EXPECT_EQ(SegmentSizes(model, file), (std::vector<int>{7}));
}

TEST_F(SegmentBreaksTest, JoinOfOneSegmentChangesNothing)
{
    const int file = OpenFile({3, 4});
    seen.clear();
    EXPECT_TRUE(breaks.Join({Segments(file).front()}));
    EXPECT_EQ(SegmentSizes(model, file), (std::vector<int>{3, 4}));
    EXPECT_TRUE(seen.empty());
}

TEST_F(SegmentBreaksTest, SplitThenJoinGivesTheOriginalSegment)
{
    std::mt19937 random(7);
    const int file = OpenFile({40});
    const int segment = Segments(file).front();
    const TrackPtr track = model.GetTrack(segment);
    for (const int index : {5, 17, 30})
        track->GetPointStatus(index)->SetFilterReason(index);
    track->Refresh(false);
    const std::vector<TrackPoint> original = AllPoints(model, segment);
    for (int round = 0; round < 20; ++round) {
        const int index = std::uniform_int_distribution<int>(1, 38)(random);
        const int added = breaks.AddBreak({segment, index});
        ASSERT_GE(added, 0) << index;
        EXPECT_EQ(model.GetTrack(segment)->GetPointCount(), index + 1);
        EXPECT_EQ(breaks.RemoveBreak({added, 0}), (TrackPosition{segment, index + 1}));
        EXPECT_EQ(Segments(file), std::vector<int>{segment});
        EXPECT_EQ(AllPoints(model, segment), original);
    }
}
