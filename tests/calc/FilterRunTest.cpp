#include "FilterRun.h"

#include "GEventKind.h"
#include "MessageBoxScript.h"
#include "OpenTracksTestBench.h"
#include "SpikeFilter.h"
#include "TrackTreeAlg.h"

#include <gtest/gtest.h>

namespace {

const Time kStart(2024, 5, 1, 10, 0, 0);

// Two files: the first with a folder of two segments and a segment of its
// own, the second with one segment.
class FilterRunTest : public OpenTracksTest
{
protected:
    FilterRunTest()
    {
        SourceTree first(QStringLiteral("first"));
        const int folder = first.Folder(first.file, QStringLiteral("Morning"));
        first.Segment(folder, MakePoints(5, kStart));
        first.Segment(folder, MakePoints(4, kStart + TimeSpan::FromSeconds(100)));
        first.Segment(first.file, MakePoints(3, kStart + TimeSpan::FromSeconds(200)));
        firstFile = Open(first);
        SourceTree second(QStringLiteral("second"));
        second.Segment(second.file, MakePoints(6, kStart));
        secondFile = Open(second);
        segments = Segments(firstFile);
        folderTid = Reader()->GetChildren(firstFile).front();
    }

    FilterRun Begin(FilterRun::Scope scope = FilterRun::Scope::Segments)
    {
        return FilterRun(model, State(), events, scope);
    }

    // Filters the points of a track at the given indices.
    static void Mark(TrackI& track, std::initializer_list<int> indices)
    {
        for (int index : indices)
            track.GetPointStatus(index)->SetFilterReason(12);
        track.Refresh(false);
    }

    int firstFile = -1;
    int secondFile = -1;
    int folderTid = -1;
    std::vector<int> segments;
};

} // namespace

TEST_F(FilterRunTest, SelectionIsExpandedIntoItsSegmentsInTreeOrder)
{
    holder.SetSelection({segments[2], folderTid});
    const FilterRun run = Begin();
    EXPECT_EQ(run.GetTids(), segments);
}

TEST_F(FilterRunTest, AdultsScopeKeepsTheTopMostItemsOnly)
{
    holder.SetSelection({segments[0], firstFile, secondFile});
    const FilterRun run = Begin(FilterRun::Scope::Adults);
    std::vector<int> tids = run.GetTids();
    std::sort(tids.begin(), tids.end());
    std::vector<int> expected = {firstFile, secondFile};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(tids, expected);
}

TEST_F(FilterRunTest, CountIsTheValidPointsLostOverAllTracks)
{
    holder.SetSelection({folderTid});
    // One point already filtered does not count again.
    Mark(*model.GetTrack(segments[0]), {4});
    FilterRun run = Begin();
    const int count = run.Run([this](const TrackPtr& track) {
        if (track->GetTid() == segments[0])
            Mark(*track, {1, 2, 4});
        else
            Mark(*track, {0});
    });
    EXPECT_EQ(count, 3);
    // Only the selected segments were touched.
    EXPECT_EQ(model.GetTrack(segments[2])->GetPtNav().GetValidCount(), 3);
}

TEST_F(FilterRunTest, EndMarksTheFilesShowsTheCountAndAnnouncesPointsChanged)
{
    holder.SetSelection({segments[1]});
    FilterRun run = Begin();
    seen.clear();
    MessageBoxScript boxes;
    run.End(17, true);
    EXPECT_TRUE(model.GetFileAttr(firstFile)->modified);
    EXPECT_FALSE(model.GetFileAttr(secondFile)->modified);
    ASSERT_EQ(boxes.GetShown().size(), 1u);
    const MessageBoxScript::Shown& shown = boxes.GetShown().front();
    EXPECT_EQ(shown.flags & MB_ICONMASK, MB_ICONINFORMATION);
    EXPECT_EQ(shown.flags & MB_TYPEMASK, MB_OK);
    EXPECT_TRUE(shown.text.startsWith(QStringLiteral("17 points removed.\nTime: "))) << shown.text.toStdString();
    EXPECT_TRUE(shown.text.endsWith(QStringLiteral(" ms.")));
    EXPECT_EQ(Kinds(), std::vector<int>{GEventKind::PointsChanged});
}

TEST_F(FilterRunTest, EndWithoutShowAnnouncesSilently)
{
    holder.SetSelection({secondFile});
    FilterRun run = Begin();
    seen.clear();
    MessageBoxScript boxes;
    run.End(0, false);
    EXPECT_TRUE(boxes.GetShown().empty());
    EXPECT_TRUE(model.GetFileAttr(secondFile)->modified);
    EXPECT_EQ(Kinds(), std::vector<int>{GEventKind::PointsChanged});
}

TEST(FilterRunMessage, JoinsCountTextTimeAndUnit)
{
    EXPECT_EQ(FilterRun::FormatMessage(0, 0), "0 points removed.\nTime: 0 ms.");
    EXPECT_EQ(FilterRun::FormatMessage(1234, 56), "1234 points removed.\nTime: 56 ms.");
}
