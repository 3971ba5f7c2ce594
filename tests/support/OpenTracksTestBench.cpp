#include "OpenTracksTestBench.h"

#include "TrackTreeAlg.h"

SourceTree::SourceTree(const QString& name)
    : path(QStringLiteral("/data/") + name + QStringLiteral(".gpx"))
{
    file = tree.GetCreator()->AddFile(name, path, TrackFileGpx);
}

int SourceTree::Folder(int parent, const QString& name)
{
    return tree.GetCreator()->AddFolder(parent, name);
}

int SourceTree::Segment(int parent, const std::vector<TrackPoint>& points)
{
    const int tid = tree.GetCreator()->AddSegment(parent, QString());
    data->Add(tid, std::make_shared<TrackData>(points));
    return tid;
}

int OpenSource(OpenTracksModel& model, const SourceTree& source)
{
    return model.AddOpenedFile(*source.tree.GetReader(), source.file, *source.data, source.path, TrackFileGpx);
}

std::vector<int> SegmentsOf(const OpenTracksModel& model, int tid)
{
    std::vector<int> segments;
    TrackTreeAlg(model.GetReader().get()).GetSubsegmentIds(tid, segments);
    return segments;
}

std::vector<int> SegmentSizes(const OpenTracksModel& model, int tid)
{
    std::vector<int> sizes;
    for (const int segment : SegmentsOf(model, tid))
        sizes.push_back(model.GetTrack(segment)->GetPointCount());
    return sizes;
}

std::vector<TrackPoint> AllPoints(const OpenTracksModel& model, int tid)
{
    std::vector<TrackPoint> points;
    for (const int segment : SegmentsOf(model, tid)) {
        const TrackDataI& data = std::as_const(*model.GetTrack(segment)).GetTrackData();
        for (int i = 0; i < data.GetPointCount(); ++i)
            points.push_back(data.GetTrackPoint(i));
    }
    return points;
}

std::vector<TrackPoint> MakePoints(int count, const Time& start, double stepSeconds, double lon)
{
    std::vector<TrackPoint> points;
    for (int i = 0; i < count; ++i)
        points.emplace_back(TVector3<double>(lon + i * 0.001, 47.0, 500.0 + i),
                            start + TimeSpan::FromSeconds(i * stepSeconds));
    return points;
}

OpenTracksTest::OpenTracksTest()
    : m_recorder(events.Subscribe(GEventFilter::All(), [this] { Record(); }, GEventGroup::Views))
{
}

void OpenTracksTest::Record()
{
    SeenEvent event;
    event.kind = events.GetCurrentEvent().kind;
    if (const TrackTreeChangesPtr changes = events.GetTreeChanges()) {
        event.added = changes->GetAdded();
        event.removed = changes->GetRemoved();
        event.changed = changes->GetChanged();
        for (const int tid : event.added)
            namesSeen.push_back(Reader()->GetNode(tid)->GetName());
    }
    seen.push_back(event);
}

int OpenTracksTest::Open(SourceTree& source)
{
    return OpenSource(model, source);
}

std::vector<int> OpenTracksTest::Kinds() const
{
    std::vector<int> kinds;
    for (const SeenEvent& event : seen)
        kinds.push_back(event.kind);
    return kinds;
}

std::vector<SeenEvent> OpenTracksTest::Seen(int kind) const
{
    std::vector<SeenEvent> result;
    for (const SeenEvent& event : seen) {
        if (event.kind == kind)
            result.push_back(event);
    }
    return result;
}

void OpenTracksTest::ExpectCompositesAgree(int fileTid) const
{
    std::vector<int> nodes;
    TrackTreeAlg(Reader().get()).GetDescendantsIds(fileTid, nodes);
    nodes.insert(nodes.begin(), fileTid);
    for (const int tid : nodes) {
        if (Reader()->GetNode(tid)->GetKind() == TrackInfo::KindSegment)
            continue;
        SCOPED_TRACE(testing::Message() << "composite " << tid);
        const TrackPtr composite = model.GetTrack(tid);
        ASSERT_TRUE(composite);
        const std::vector<TrackPoint> expected = PointsOf(tid);
        ASSERT_EQ(composite->GetPointCount(), static_cast<int>(expected.size()));
        int valid = 0;
        int index = 0;
        for (const int segment : Segments(tid)) {
            const TrackPtr part = model.GetTrack(segment);
            for (int local = 0; local < part->GetPointCount(); ++local, ++index) {
                TrackPoint point;
                ASSERT_TRUE(composite->GetPoint(index, point));
                EXPECT_EQ(point, expected[static_cast<size_t>(index)]);
                EXPECT_EQ(composite->GetSegmentTid(index), segment);
                EXPECT_EQ(composite->ConvertIndex(index, segment), local);
                valid += point.IsValid() ? 1 : 0;
            }
        }
        EXPECT_EQ(composite->GetPtNav().GetValidCount(), valid);
    }
}
