#include "OpenTracksTestBench.h"
#include "StringIds.h"
#include "Track.h"
#include "TrackTree.h"
#include "UndoHistory.h"
#include "UndoScope.h"

#include <QCoreApplication>

namespace {

class UndoHistoryTest : public OpenTracksTest
{
protected:
    UndoHistoryTest() { model.SetUndoHistory(&history); }
    ~UndoHistoryTest() override { model.SetUndoHistory(nullptr); }

    int OpenWalk(const QString& name, int points = 50)
    {
        SourceTree source(name);
        source.Segment(source.file, MakePoints(points, Time(2024, 3, 1, 9, 0, 0)));
        source.Segment(source.Folder(source.file), MakePoints(points, Time(2024, 3, 1, 11, 0, 0)));
        return Open(source);
    }

    // A point of the file's first segment filtered, as one step.
    void FilterPoint(int file, int index)
    {
        const UndoScope step(model, IDS_UNDO_REMOVE_POINT, FileSnapshot::Depth::Statuses);
        const TrackPtr segment = model.GetTrack(Segments(file)[0]);
        segment->GetPointStatus(index)->SetFilterReason(12);
        segment->Refresh(false);
        model.SetModified(file, true);
    }

    void MovePoint(int file, int index, double lon)
    {
        const UndoScope step(model, IDS_UNDO_MOVE_POINT);
        const TrackPtr segment = model.GetTrack(Segments(file)[0]);
        TrackPoint point;
        segment->GetPoint(index, point);
        point.Set2D({lon, point.GetLat()});
        segment->SetPoint(index, point);
        model.SetModified(file, true);
    }

    bool IsModified(int file) const { return model.GetFileAttr(file)->modified; }
    bool IsValid(int file, int index) const
    {
        return model.GetTrack(Segments(file)[0])->GetPointStatus(index)->IsValid();
    }
    double Lon(int file, int index) const
    {
        TrackPoint point;
        model.GetTrack(Segments(file)[0])->GetPoint(index, point);
        return point.GetLon();
    }

    UndoHistory history{model, events};
};

} // namespace

TEST_F(UndoHistoryTest, ModifiedFlagFollowsTheStepsAndTheSavedState)
{
    const int file = OpenWalk(QStringLiteral("walk"));
    ASSERT_FALSE(IsModified(file));
    FilterPoint(file, 3);
    FilterPoint(file, 4);
    EXPECT_TRUE(IsModified(file));
    history.Undo();
    EXPECT_TRUE(IsModified(file));
    history.Undo();
    EXPECT_FALSE(IsModified(file)) << "back where it was opened";
    EXPECT_TRUE(IsValid(file, 3));
    history.Redo();
    EXPECT_TRUE(IsModified(file));
    EXPECT_FALSE(IsValid(file, 3));

    // Saved after the first step: that state is the clean one now.
    model.SetModified(file, false);
    history.MarkSaved(file);
    history.Undo();
    EXPECT_TRUE(IsModified(file));
    history.Redo();
    EXPECT_FALSE(IsModified(file));
    history.Redo();
    EXPECT_TRUE(IsModified(file));

    // A new edit after undoing drops the steps ahead; the saved state can
    // no longer be reached by redoing.
    history.Undo();
    history.Undo();
    EXPECT_TRUE(IsModified(file));
    FilterPoint(file, 9);
    EXPECT_FALSE(history.CanRedo());
    history.Undo();
    EXPECT_TRUE(IsModified(file)) << "the disk holds the state after the dropped first step";
}

TEST_F(UndoHistoryTest, AFileNeverSavedStaysModifiedWhenItsStepsAreUndone)
{
    SourceTree source(QStringLiteral("merged"));
    source.Segment(source.file, MakePoints(20, Time(2024, 3, 1, 9, 0, 0)));
    const int file = model.AddNewFile(*source.tree.GetReader(), source.file, *source.data);
    ASSERT_TRUE(IsModified(file));
    FilterPoint(file, 2);
    history.Undo();
    EXPECT_TRUE(IsModified(file));
}

TEST_F(UndoHistoryTest, ClosingAFileDropsItsStepsAndKeepsTheOthers)
{
    const int first = OpenWalk(QStringLiteral("first"));
    const int second = OpenWalk(QStringLiteral("second"));
    FilterPoint(first, 1);
    MovePoint(second, 2, 12.5);
    FilterPoint(first, 3);
    ASSERT_EQ(history.GetStepCount(), 3u);
    model.Remove({first});
    EXPECT_EQ(history.GetStepCount(), 1u);
    EXPECT_EQ(history.GetUndoName(), IDS_UNDO_MOVE_POINT);
    history.Undo();
    EXPECT_NE(Lon(second, 2), 12.5);
    EXPECT_FALSE(IsModified(second));
    EXPECT_FALSE(history.CanUndo());
}

TEST_F(UndoHistoryTest, TheBoundDropsTheOldestStepsFirst)
{
    const int file = OpenWalk(QStringLiteral("walk"), 2000);
    // Each step keeps a stretch of the whole segment: every time changes.
    const auto shiftAll = [this, file](int seconds) {
        const UndoScope step(model, IDS_UNDO_TIME_SHIFT);
        const auto segment = std::static_pointer_cast<Track>(model.GetTrack(Segments(file)[0]));
        for (TrackPoint& point : segment->GetTrackDataPtr()->GetPoints())
            point.SetTime(point.GetTime() + TimeSpan::FromSeconds(seconds));
        segment->Refresh(false);
    };
    shiftAll(1);
    const size_t oneStep = history.GetBytes();
    ASSERT_GT(oneStep, 2000 * sizeof(TrackPoint));
    history.SetLimit(oneStep * 3 + oneStep / 2);
    shiftAll(10);
    shiftAll(100);
    const std::vector<TrackPoint> afterThree = PointsOf(file);
    for (int i = 0; i < 3; ++i)
        shiftAll(1000);
    EXPECT_EQ(history.GetStepCount(), 3u);
    EXPECT_LE(history.GetBytes(), history.GetLimit());
    while (history.CanUndo())
        history.Undo();
    EXPECT_TRUE(PointsOf(file) == afterThree) << "the first three steps went, the last three stay";
    EXPECT_TRUE(IsModified(file));

    // Lowering the bound evicts at once; the steps that were undone go with
    // the oldest, as they can no longer follow it.
    history.SetLimit(oneStep / 2);
    EXPECT_EQ(history.GetStepCount(), 0u);
    EXPECT_EQ(history.GetBytes(), 0u);
}

TEST_F(UndoHistoryTest, AFilterStepKeepsLittleMorePerChangedPointThanItsStatus)
{
    const int file = OpenWalk(QStringLiteral("walk"), 20000);
    {
        const UndoScope step(model, IDS_UNDO_FILTER_VALUE, FileSnapshot::Depth::Statuses);
        const TrackPtr segment = model.GetTrack(Segments(file)[0]);
        for (int i = 0; i < segment->GetPointCount(); i += 2)
            segment->GetPointStatus(i)->SetFilterReason(7);
        segment->Refresh(false);
    }
    EXPECT_LE(history.GetBytes(), 10000u * 16u);
    EXPECT_GE(history.GetBytes(), 10000u * 12u);
}

TEST_F(UndoHistoryTest, AFileAddedByAnEditClosesOnUndoAndComesBackWithItsLaterSteps)
{
    const int source = OpenWalk(QStringLiteral("walk"));
    int merged = -1;
    {
        const UndoScope step(model, IDS_UNDO_MERGE);
        SourceTree copy(QStringLiteral("merged"));
        copy.Segment(copy.file, PointsOf(source));
        merged = model.AddNewFile(*copy.tree.GetReader(), copy.file, *copy.data);
    }
    MovePoint(merged, 5, 13.25);
    const std::vector<TrackPoint> edited = PointsOf(merged);
    history.Undo();
    history.Undo();
    EXPECT_EQ(model.GetFileTids(), std::vector<int>{source});
    history.Redo();
    ASSERT_EQ(model.GetFileTids().size(), 2u);
    const int back = model.GetFileTids()[1];
    EXPECT_TRUE(IsModified(back));
    EXPECT_EQ(model.GetFileAttr(back)->path, QString());
    history.Redo();
    EXPECT_EQ(PointsOf(back), edited);
    EXPECT_EQ(Lon(back, 5), 13.25);
}

TEST_F(UndoHistoryTest, AnEditMadeOutsideTheHistoryCutsTheStepsThatCouldNoLongerApply)
{
    const int file = OpenWalk(QStringLiteral("walk"));
    const int other = OpenWalk(QStringLiteral("other"));
    MovePoint(other, 1, 14.0);
    MovePoint(file, 8, 14.0);
    // Not recorded: the step of the file would put its point at a wrong place.
    model.GetTrack(Segments(file)[0])->DeletePoint(0);
    EXPECT_EQ(history.GetUndoName(), IDS_UNDO_MOVE_POINT);
    history.Undo();
    EXPECT_EQ(Lon(file, 7), 14.0) << "the file's step was dropped, not swapped";
    EXPECT_NE(Lon(other, 1), 14.0) << "the other file's step was undone";
    EXPECT_FALSE(history.CanUndo());
}

TEST_F(UndoHistoryTest, AColourStepLeavesTheModifiedFlagAlone)
{
    const int file = OpenWalk(QStringLiteral("walk"));
    const int segment = Segments(file)[0];
    const RgbStruct before = static_cast<const TrackInfo::Segment*>(Reader()->GetNode(segment))->GetColour();
    {
        UndoScope step(model, IDS_UNDO_COLOUR);
        step.MarkDisplayOnly();
        holder.SetSegmentColour(segment, RgbStruct::FromColorref(0x123456), true);
    }
    EXPECT_FALSE(IsModified(file));
    history.Undo();
    EXPECT_EQ(static_cast<const TrackInfo::Segment*>(Reader()->GetNode(segment))->GetColour(), before);
    EXPECT_FALSE(IsModified(file));
    history.Redo();
    EXPECT_EQ(static_cast<const TrackInfo::Segment*>(Reader()->GetNode(segment))->GetColour(),
              RgbStruct::FromColorref(0x123456));
}

// The cleaning report asks whether its step still holds in the files: an
// undone step does not, even after a new edit dropped it and the bound
// then made older steps permanent.
TEST_F(UndoHistoryTest, AStepHoldsWhileAppliedAndForEverOnceOverTheBound)
{
    const int file = OpenWalk(QStringLiteral("walk"));
    EXPECT_EQ(history.GetAppliedSerial(), 0u);
    FilterPoint(file, 3);
    const uint64_t first = history.GetAppliedSerial();
    MovePoint(file, 5, 0.5);
    const uint64_t undone = history.GetAppliedSerial();
    EXPECT_GT(undone, first);
    EXPECT_TRUE(history.IsApplied(first));
    EXPECT_TRUE(history.IsApplied(undone));

    history.Undo();
    EXPECT_EQ(history.GetAppliedSerial(), first);
    EXPECT_FALSE(history.IsApplied(undone));
    history.Redo();
    EXPECT_TRUE(history.IsApplied(undone));
    history.Undo();

    MovePoint(file, 6, 0.6); // drops the undone step
    const uint64_t last = history.GetAppliedSerial();
    EXPECT_FALSE(history.IsApplied(undone));
    history.SetLimit(1); // every step goes over the bound, applied as it is
    EXPECT_EQ(history.GetStepCount(), 0u);
    EXPECT_EQ(history.GetAppliedSerial(), last);
    EXPECT_TRUE(history.IsApplied(first));
    EXPECT_TRUE(history.IsApplied(last));
    EXPECT_FALSE(history.IsApplied(undone));
}
