#include "FilterManager.h"
#include "GEventKind.h"
#include "IncreaseFrequency.h"
#include "LoadManager.h"
#include "OpenTracksTestBench.h"
#include "ParameterFilterImpl.h"
#include "PointEdits.h"
#include "PointRangeEdits.h"
#include "SegmentBreaks.h"
#include "SpikeFilter.h"
#include "StringIds.h"
#include "TestSupport.h"
#include "TimeShift.h"
#include "Track.h"
#include "TrackRestructure.h"
#include "TrackReverser.h"
#include "TrackTreeAlg.h"
#include "UndoHistory.h"
#include "UndoScope.h"

#include <QDirIterator>

#include <functional>
#include <random>

namespace {

// Everything a user could see of the open files: per file in order, every
// node in tree order with its kind, name and colour, and every point with
// its status and time.
struct OpenImage
{
    struct Node
    {
        int kind;
        QString name;
        RgbStruct colour;
        size_t children;
        std::vector<TrackPoint> points;
        bool operator==(const Node&) const = default;
    };
    std::vector<std::vector<Node>> files;
    std::vector<bool> modified;
    bool operator==(const OpenImage&) const = default;
};

class UndoRoundTripTest : public OpenTracksTest
{
protected:
    UndoRoundTripTest() { model.SetUndoHistory(&history); }
    ~UndoRoundTripTest() override { model.SetUndoHistory(nullptr); }

    OpenImage Image() const
    {
        OpenImage image;
        for (const int file : model.GetFileTids()) {
            std::vector<OpenImage::Node> nodes;
            AddNodes(file, nodes);
            image.files.push_back(std::move(nodes));
            image.modified.push_back(model.GetFileAttr(file)->modified);
        }
        return image;
    }

    void AddNodes(int tid, std::vector<OpenImage::Node>& out) const
    {
        const TrackInfo::Node& node = *Reader()->GetNode(tid);
        OpenImage::Node image{node.GetKind(), node.GetName(), {}, Reader()->GetChildren(tid).size(), {}};
        if (node.GetKind() == TrackInfo::KindSegment) {
            image.colour = static_cast<const TrackInfo::Segment&>(node).GetColour();
            image.points = std::static_pointer_cast<Track>(model.GetTrack(tid))->GetTrackDataPtr()->GetPoints();
        }
        out.push_back(std::move(image));
        for (const int child : Reader()->GetChildren(tid))
            AddNodes(child, out);
    }

    int OpenFixture(const QString& relative)
    {
        LoadedTrackFile loaded = LoadManager().Load(FixturePath(relative));
        EXPECT_EQ(loaded.status, TrackLoaderI::Success) << relative.toStdString();
        return model.AddOpenedFile(*loaded.tree.GetReader(), loaded.fileTid, *loaded.data, FixturePath(relative),
                                   loaded.type);
    }

    // A file of count points in segments of varied lengths, with a few
    // spikes and points without time.
    int OpenGenerated(int count, unsigned seed)
    {
        std::mt19937 random(seed);
        SourceTree source(QStringLiteral("generated"));
        int made = 0;
        while (made < count) {
            const int length = std::min(count - made, 20 + static_cast<int>(random() % 200));
            std::vector<TrackPoint> points = MakePoints(length, BaseTime() + TimeSpan::FromSeconds(made * 10.0), 5.0,
                                                        10.0 + made * 0.0005);
            for (TrackPoint& point : points) {
                if (random() % 40 == 0)
                    point.Set2D({point.GetLon(), point.GetLat() + 0.05});
                if (random() % 97 == 0)
                    point.SetTime(Time());
            }
            const int parent = random() % 3 == 0 ? source.Folder(source.file) : source.file;
            source.Segment(parent, points);
            made += length;
        }
        return Open(source);
    }

    static Time BaseTime() { return Time(2024, 6, 1, 8, 0, 0); }

    // A segment of an open file at random; -1 when none.
    int AnySegment(std::mt19937& random) const
    {
        std::vector<int> segments;
        TrackTreeAlg(Reader().get()).GetSubsegmentIds(model.GetFileTids(), segments);
        return segments.empty() ? -1 : segments[random() % segments.size()];
    }

    int AnyFile(std::mt19937& random) const
    {
        const std::vector<int>& files = model.GetFileTids();
        return files[random() % files.size()];
    }

    TrackPosition AnyPoint(std::mt19937& random) const
    {
        const int segment = AnySegment(random);
        const int count = segment < 0 ? 0 : model.GetTrack(segment)->GetPointCount();
        return count == 0 ? TrackPosition{} : TrackPosition{segment, static_cast<int>(random() % count)};
    }

    // One operation of the program picked at random, recorded as a step.
    void RandomEdit(std::mt19937& random)
    {
        using Depth = FileSnapshot::Depth;
        PointEdits points(model, holder, events);
        PointRangeEdits ranges(model, holder, events);
        switch (random() % 19) {
        case 0: {
            const UndoScope step(model, IDS_UNDO_FILTER_VALUE, Depth::Statuses);
            auto rules = std::make_shared<ParameterFilterImpl>();
            rules->Add(ParameterFilterImpl::KindHighSpeed, 7, 2.0 + random() % 20);
            const Filter::Function filter = [rules](const TrackI& track) { return rules->Apply(track); };
            FilterManager::ApplyFilter(filter, model.GetTrack(AnySegment(random)));
            break;
        }
        case 1: {
            const UndoScope step(model, IDS_UNDO_FILTER_SPIKES, Depth::Statuses);
            SpikeFilter().Apply(*model.GetTrack(AnySegment(random)));
            break;
        }
        case 2: {
            const UndoScope step(model, IDS_UNDO_DELETE_FILTERED);
            model.GetTrack(AnyFile(random))->DeleteFiltered();
            break;
        }
        case 3: {
            const UndoScope step(model, IDS_UNDO_RESTORE_FILTERED, Depth::Statuses);
            model.GetTrack(AnyFile(random))->RestoreFiltered();
            break;
        }
        case 4:
            points.RemovePoint(AnyPoint(random));
            break;
        case 5:
            points.RestorePoint(AnyPoint(random));
            break;
        case 6: {
            const TrackPosition at = AnyPoint(random);
            if (at.tid >= 0)
                points.MovePoint(at, {0.001 * (random() % 1000), 45.0});
            break;
        }
        case 7: {
            const TrackPosition at = AnyPoint(random);
            if (at.tid >= 0 && at.index + 1 < model.GetTrack(at.tid)->GetPointCount())
                points.InsertPoint(at.tid, at.index, at.index + 1, {10.0, 45.0});
            break;
        }
        case 8:
            points.AddBreak(AnyPoint(random));
            break;
        case 9:
            points.RemoveBreak(AnyPoint(random));
            break;
        case 10: {
            const UndoScope step(model, IDS_UNDO_RESTRUCTURE);
            TrackRestructure(model).RestructureFile(AnyFile(random), RestructureParams{30, 2, random() % 2 == 0});
            break;
        }
        case 11: {
            const UndoScope step(model, IDS_UNDO_REVERSE);
            TrackReverser(model, holder).Reverse({AnyFile(random)});
            break;
        }
        case 12: {
            const UndoScope step(model, IDS_UNDO_TIME_SHIFT);
            const TrackPtr track = model.GetTrack(AnySegment(random));
            TimeShift::Apply(track->GetTrackData(), TimeSpan::FromSeconds(3600.0));
            track->Refresh(false);
            break;
        }
        case 13: {
            const UndoScope step(model, IDS_UNDO_INCREASE_FREQUENCY);
            const auto segment = std::static_pointer_cast<Track>(model.GetTrack(AnySegment(random)));
            if (segment->GetPointCount() < 400)
                IncreaseFrequency::Apply(*segment, TimeSpan::FromSeconds(2.0), 0.0);
            break;
        }
        case 14: {
            const TrackPosition at = AnyPoint(random);
            const int count = at.tid < 0 ? 0 : model.GetTrack(at.tid)->GetPointCount();
            const PointRange range{at.tid, at.index, std::min(count - 1, at.index + static_cast<int>(random() % 30))};
            const UndoScope step(model, random() % 2 ? IDS_UNDO_RANGE_CROP : IDS_UNDO_RANGE_DELETE);
            if (at.tid >= 0 && random() % 2)
                ranges.Crop(range);
            else if (at.tid >= 0)
                ranges.Remove(range);
            break;
        }
        case 15: {
            const UndoScope step(model, IDS_UNDO_MERGE);
            if (model.GetFileTids().size() < 5)
                TrackRestructure(model).Merge({AnyFile(random)}, RestructureParams{}, QStringLiteral("merged"));
            break;
        }
        case 16: {
            const TrackPosition at = AnyPoint(random);
            const UndoScope step(model, IDS_UNDO_RANGE_NEW_SEGMENT);
            if (at.tid >= 0)
                ranges.NewSegment({at.tid, at.index, at.index}, QStringLiteral("piece"));
            break;
        }
        case 17: {
            const UndoScope step(model, IDS_UNDO_JOIN);
            const int segment = AnySegment(random);
            const int next = TrackTreeAlg(Reader().get()).GetAdjacentSegment(segment, 1);
            if (next >= 0)
                SegmentBreaks(model).Join({segment, next});
            break;
        }
        default: {
            const UndoScope step(model, IDS_UNDO_RENAME);
            const int segment = AnySegment(random);
            model.GetEditor()->SetName(segment, QStringLiteral("renamed %1").arg(random() % 100));
            holder.SetSegmentColour(segment, RgbStruct::FromColorref(random() % 0xffffff), true);
            break;
        }
        }
    }

    UndoHistory history{model, events};
};

} // namespace

TEST_F(UndoRoundTripTest, LongRandomEditingUndoesToTheStartAndRedoesToTheEnd)
{
    OpenFixture(QStringLiteral("gpx/gpsbabel/segmented_tracks.gpx"));
    OpenFixture(QStringLiteral("gpx/gpsbabel/vitovtt-sample.gpx"));
    OpenGenerated(3000, 7);
    const OpenImage start = Image();
    std::mt19937 random(20240601);
    int steps = 0;
    for (int i = 0; i < 400; ++i) {
        RandomEdit(random);
        steps = static_cast<int>(history.GetStepCount());
    }
    ASSERT_GT(steps, 150);
    const OpenImage end = Image();
    ASSERT_NE(end, start);

    while (history.CanUndo())
        history.Undo();
    EXPECT_TRUE(Image() == start);
    ExpectCompositesAgree(model.GetFileTids()[0]);

    while (history.CanRedo())
        history.Redo();
    EXPECT_TRUE(Image() == end);
    for (const int file : model.GetFileTids())
        ExpectCompositesAgree(file);
}

TEST_F(UndoRoundTripTest, EditsInsideAnEditMakeOneStep)
{
    const int file = OpenGenerated(500, 3);
    const OpenImage start = Image();
    {
        const UndoScope outer(model, IDS_UNDO_TIME_RESET);
        PointEdits points(model, holder, events);
        points.RemovePoint({Segments(file)[0], 3});
        points.MovePoint({Segments(file)[0], 5}, {11.0, 46.0});
    }
    EXPECT_EQ(history.GetStepCount(), 1u);
    EXPECT_EQ(history.GetUndoName(), IDS_UNDO_TIME_RESET);
    history.Undo();
    EXPECT_TRUE(Image() == start);
    EXPECT_EQ(history.GetRedoName(), IDS_UNDO_TIME_RESET);
}
