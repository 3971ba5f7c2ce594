#include "TrackReverser.h"

#include "GEventNotifyI.h"
#include "OpenTracksModel.h"
#include "Track.h"
#include "TrackTreeAlg.h"
#include "TrackTreeEventDataImpl.h"
#include "TracksStateHolderImpl.h"

#include <algorithm>
#include <iterator>
#include <set>

namespace {

std::vector<TrackPoint>& PointsOf(const TrackPtr& track)
{
    return std::dynamic_pointer_cast<Track>(track)->GetTrackDataPtr()->GetPoints();
}

} // namespace

TrackReverser::TrackReverser(OpenTracksModel& model, TracksStateHolderImpl& holder, GEventNotifyI& events)
    : m_model(model)
    , m_holder(holder)
    , m_events(events)
{
}

void TrackReverser::Reverse(const std::vector<int>& items)
{
    const TrackTreeReaderPtr reader = m_model.GetReader();
    const TrackTreeAlg tree(reader.get());
    const std::vector<int> adults = tree.GetAdults(items);
    if (adults.empty())
        return;
    TrackPosition current = m_holder.GetState().GetCurrentPoint();
    std::set<int> changed;
    for (const int item : adults) {
        for (const int segment : ReversePoints(item)) {
            if (segment == current.tid)
                current.index = m_model.GetTrack(segment)->GetPointCount() - 1 - current.index;
        }
        ReverseChildren(item);
        std::vector<int> subtree;
        tree.GetDescendantsIds(item, subtree);
        changed.insert(subtree.begin(), subtree.end());
        std::vector<int> parentage;
        tree.GetParentage(item, parentage);
        changed.insert(parentage.begin(), parentage.end());
    }

    auto record = std::make_shared<TrackTreeEventDataImpl>();
    std::vector<int> ordered;
    for (const int file : tree.GetParentFileIds(adults)) {
        RebuildComposite(file);
        m_model.SetModified(file, true);
        std::vector<int> subtree;
        tree.GetDescendantsIds(file, subtree);
        subtree.insert(subtree.begin(), file);
        std::copy_if(subtree.begin(), subtree.end(), std::back_inserter(ordered),
                     [&changed](int tid) { return changed.count(tid) != 0; });
    }
    record->RecordChanged(ordered);
    m_events.NotifyTreeChanged(record);
    if (current != m_holder.GetState().GetCurrentPoint())
        m_holder.SetCurrentPoint(current.tid, current.index);
}

std::vector<int> TrackReverser::ReversePoints(int item)
{
    std::vector<int> segments;
    TrackTreeAlg(m_model.GetReader().get()).GetSubsegmentIds(item, segments);
    // The first and the last time of the item as it runs now.
    Time first;
    Time last;
    for (const int segment : segments) {
        for (const TrackPoint& point : PointsOf(m_model.GetTrack(segment))) {
            if (point.GetTime().IsNull())
                continue;
            if (first.IsNull())
                first = point.GetTime();
            last = point.GetTime();
        }
    }
    for (const int segment : segments) {
        const TrackPtr track = m_model.GetTrack(segment);
        std::vector<TrackPoint>& points = PointsOf(track);
        std::reverse(points.begin(), points.end());
        for (TrackPoint& point : points) {
            if (!point.GetTime().IsNull())
                point.SetTime(first + (last - point.GetTime()));
        }
        track->Refresh(false);
    }
    return segments;
}

void TrackReverser::ReverseChildren(int tid)
{
    const TrackTreeEditorPtr editor = m_model.GetEditor();
    const std::vector<int> children = m_model.GetReader()->GetChildren(tid);
    // Each child in turn to the front: the last one ends up first.
    for (const int child : children) {
        editor->Move(child, tid, 0);
        ReverseChildren(child);
    }
}

void TrackReverser::RebuildComposite(int tid)
{
    const TrackTreeReaderPtr reader = m_model.GetReader();
    const TrackPtr composite = m_model.GetTrack(tid);
    composite->ClearParts();
    for (const int child : reader->GetChildren(tid)) {
        if (reader->GetNode(child)->GetKind() != TrackInfo::KindSegment)
            RebuildComposite(child);
        composite->AddPart(m_model.GetTrack(child));
    }
}
