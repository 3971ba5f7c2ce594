#include "OpenTracksTestBench.h"

#include "TrackI.h"

using Tids = std::vector<int>;

namespace {
const Time kStart(2024, 5, 1, 10, 0, 0);
} // namespace

// One file: folder F with segments A (5 points) and B (4 points), then
// segment C (3 points) directly in the file.
class TracksStateTest : public OpenTracksTest
{
protected:
    void SetUp() override
    {
        SourceTree source;
        const int folder = source.Folder(source.file, QStringLiteral("F"));
        source.Segment(folder, MakePoints(5, kStart));
        source.Segment(folder, MakePoints(4, kStart + TimeSpan::FromSeconds(100)));
        source.Segment(source.file, MakePoints(3, kStart + TimeSpan::FromSeconds(200)));
        file = Open(source);
        f = Reader()->GetChildren(file).at(0);
        a = Reader()->GetChildren(f).at(0);
        b = Reader()->GetChildren(f).at(1);
        c = Reader()->GetChildren(file).at(1);
        seen.clear();
    }

    Tids SelectedItems() const
    {
        Tids items{99};
        State().GetSelectedItems(items);
        return items;
    }

    int file = -1;
    int f = -1;
    int a = -1;
    int b = -1;
    int c = -1;
};

TEST_F(TracksStateTest, CurrentSegmentFollowsTheCurrentPointOrTheOnlySelectedSegment)
{
    EXPECT_EQ(State().GetCurrentSegment(), -1);
    EXPECT_EQ(State().GetCurrentPoint(), TrackPosition());

    holder.SetSelection({b});
    EXPECT_EQ(State().GetCurrentSegment(), b);
    holder.SetSelection({f});
    EXPECT_EQ(State().GetSelectedCount(), 2);
    EXPECT_EQ(State().GetCurrentSegment(), -1);
    holder.SetCurrentPoint(c, 2);
    EXPECT_EQ(State().GetCurrentSegment(), c);
}

TEST_F(TracksStateTest, SelectingAnItemSelectsEverySegmentBeneathAndAnnouncesOnce)
{
    holder.SetSelection({f, c});

    EXPECT_EQ(SelectedItems(), (Tids{f, c}));
    EXPECT_EQ(State().GetSelectedCount(), 3);
    EXPECT_TRUE(State().IsSelected(a));
    EXPECT_TRUE(State().IsSelected(b));
    EXPECT_TRUE(State().IsSelected(c));
    EXPECT_FALSE(State().IsSelected(f));
    EXPECT_TRUE(State().IsSelectedItem(f));
    EXPECT_FALSE(State().IsSelectedItem(a));
    EXPECT_EQ(Kinds(), Tids{GEventKind::SelectionChanged});

    holder.SetSelection({c, a, 12345});
    EXPECT_EQ(SelectedItems(), (Tids{c, a}));
    EXPECT_FALSE(State().IsSelected(b));
    EXPECT_EQ(Kinds(), (Tids{GEventKind::SelectionChanged, GEventKind::SelectionChanged}));
}

TEST_F(TracksStateTest, TheCurrentPointGivenInAFilesNumberingLandsOnItsSegment)
{
    // File numbering: A 0..4, B 5..8, C 9..11.
    holder.SetCurrentPoint(file, 6);
    EXPECT_EQ(State().GetCurrentPoint(), (TrackPosition{b, 1}));
    holder.SetCurrentPoint(f, 4);
    EXPECT_EQ(State().GetCurrentPoint(), (TrackPosition{a, 4}));
    holder.SetCurrentPoint(file, 11);
    EXPECT_EQ(State().GetCurrentPoint(), (TrackPosition{c, 2}));
    EXPECT_EQ(Kinds(), Tids(3, GEventKind::CurrentPointChanged));

    holder.SetCurrentPoint(file, 12);
    EXPECT_EQ(State().GetCurrentPoint(), TrackPosition());
    holder.SetCurrentPoint(a, 5);
    EXPECT_EQ(State().GetCurrentPoint(), TrackPosition());
}

TEST_F(TracksStateTest, ASegmentThatBecomesCurrentAgainGetsItsPointBack)
{
    holder.SetSelection({a});
    holder.SetCurrentPoint(a, 3);
    holder.SetSelection({c});
    // C never had a current point.
    EXPECT_EQ(State().GetCurrentPoint(), TrackPosition());
    holder.SetCurrentPoint(c, 1);
    holder.SetSelection({a, c});
    // The current point lies beneath the selection, so it stays.
    EXPECT_EQ(State().GetCurrentPoint(), (TrackPosition{c, 1}));
    holder.SetSelection({f});
    EXPECT_EQ(State().GetCurrentPoint(), (TrackPosition{a, 3}));
}

TEST_F(TracksStateTest, CheckStatesOfFilesAndFoldersFollowTheirSegments)
{
    EXPECT_EQ(State().GetCheckState(file), TracksStateI::Checked);

    holder.SetCheckState({a}, false);
    EXPECT_EQ(State().GetCheckState(a), TracksStateI::Unchecked);
    EXPECT_EQ(State().GetCheckState(f), TracksStateI::PartlyChecked);
    EXPECT_EQ(State().GetCheckState(file), TracksStateI::PartlyChecked);
    EXPECT_EQ(Kinds(), Tids{GEventKind::CheckStateChanged});

    holder.SetCheckState({b}, false);
    EXPECT_EQ(State().GetCheckState(f), TracksStateI::Unchecked);
    EXPECT_EQ(State().GetCheckState(file), TracksStateI::PartlyChecked);

    holder.SetCheckState({file}, false);
    EXPECT_EQ(State().GetCheckState(c), TracksStateI::Unchecked);
    EXPECT_EQ(State().GetCheckState(file), TracksStateI::Unchecked);

    holder.SetCheckState({f}, true);
    EXPECT_EQ(State().GetCheckState(a), TracksStateI::Checked);
    EXPECT_EQ(State().GetCheckState(f), TracksStateI::Checked);
    EXPECT_EQ(State().GetCheckState(file), TracksStateI::PartlyChecked);
    EXPECT_EQ(Kinds(), Tids(4, GEventKind::CheckStateChanged));
}

TEST_F(TracksStateTest, ClosingTheFileOfTheCurrentPointClearsItAndAnnouncesTheSelection)
{
    SourceTree other;
    other.Segment(other.file, MakePoints(2, kStart));
    const int otherFile = Open(other);
    holder.SetSelection({f, otherFile});
    holder.SetCurrentPoint(b, 2);
    holder.SetCheckState({a}, false);
    seen.clear();

    model.Remove({file});

    EXPECT_EQ(State().GetCurrentPoint(), TrackPosition());
    EXPECT_EQ(State().GetCurrentSegment(), Segments(otherFile).at(0));
    EXPECT_EQ(SelectedItems(), Tids{otherFile});
    EXPECT_FALSE(State().IsSelected(a));
    // The unchecked segment left no state behind.
    EXPECT_EQ(State().GetCheckState(a), TracksStateI::Checked);
    EXPECT_EQ(Kinds(), (Tids{GEventKind::TreeChanged, GEventKind::SelectionChanged}));
}

TEST_F(TracksStateTest, ClosingAnotherFileLeavesTheCurrentPointAlone)
{
    SourceTree other;
    other.Segment(other.file, MakePoints(2, kStart));
    const int otherFile = Open(other);
    holder.SetCurrentPoint(b, 2);

    model.Remove({otherFile});

    EXPECT_EQ(State().GetCurrentPoint(), (TrackPosition{b, 2}));
}

TEST_F(TracksStateTest, DropRemovedForgetsTheNodesEverywhereAndAnnouncesOnce)
{
    holder.SetSelection({a, c});
    holder.SetCurrentPoint(a, 1);
    holder.SetCheckState({a}, false);
    holder.SetCarried(a, true);
    holder.SetHoveredSegment(a);
    seen.clear();

    holder.DropRemoved({a, 777});

    EXPECT_EQ(State().GetCurrentPoint(), TrackPosition());
    EXPECT_EQ(SelectedItems(), Tids{c});
    EXPECT_EQ(State().GetSelectedCount(), 1);
    EXPECT_FALSE(State().IsCarried(a));
    EXPECT_EQ(State().GetHoveredSegment(), -1);
    EXPECT_EQ(State().GetCheckState(a), TracksStateI::Checked);
    // The folder is recomputed from what is left.
    EXPECT_EQ(State().GetCheckState(f), TracksStateI::Checked);
    EXPECT_EQ(Kinds(), Tids{GEventKind::SelectionChanged});
}

TEST_F(TracksStateTest, CloningCarriesTheCheckStateAndTheCarriedMarkOver)
{
    holder.SetCheckState({a}, false);
    seen.clear();
    holder.CloneParams(a, c);
    EXPECT_EQ(State().GetCheckState(c), TracksStateI::Unchecked);
    EXPECT_EQ(State().GetCheckState(file), TracksStateI::PartlyChecked);

    // A partly checked source leaves the target as it is.
    holder.CloneParams(f, c);
    EXPECT_EQ(State().GetCheckState(c), TracksStateI::Unchecked);

    holder.CloneParams(b, c);
    EXPECT_EQ(State().GetCheckState(c), TracksStateI::Checked);

    EXPECT_FALSE(State().IsCarried(b));
    holder.SetCarried(a, true);
    holder.CloneParams(a, b);
    EXPECT_TRUE(State().IsCarried(b));
    EXPECT_EQ(State().GetCheckState(b), TracksStateI::Unchecked);
    EXPECT_TRUE(seen.empty());
}

TEST_F(TracksStateTest, SegmentColoursAreStoredOnTheTreeAndAnnouncedOnlyWhenAsked)
{
    const RgbStruct red(255, 0, 0);
    holder.SetSegmentColour(f, red, true);
    for (const int tid : {a, b}) {
        const auto& segment = dynamic_cast<const TrackInfo::Segment&>(*Reader()->GetNode(tid));
        EXPECT_EQ(segment.GetColour(), red);
    }
    EXPECT_NE(dynamic_cast<const TrackInfo::Segment&>(*Reader()->GetNode(c)).GetColour(), red);
    EXPECT_EQ(Kinds(), Tids{GEventKind::DisplayAttrChanged});

    holder.SetSegmentColour(c, red, false);
    EXPECT_EQ(dynamic_cast<const TrackInfo::Segment&>(*Reader()->GetNode(c)).GetColour(), red);
    EXPECT_EQ(seen.size(), 1u);
}
