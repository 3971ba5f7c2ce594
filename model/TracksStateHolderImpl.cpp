#include "TracksStateHolderImpl.h"

#include "GEventManagerImpl.h"
#include "OpenTracksModel.h"
#include "TrackTreeAlg.h"

#include <set>

TracksStateHolderImpl::TracksStateHolderImpl(OpenTracksModel& model, GEventManagerImpl& events)
    : m_model(model)
    , m_events(events)
    , m_subscription(events.Subscribe(GEventFilter{GEventKind::TreeChanged}, [this] { OnTreeChanged(); },
                                      GEventGroup::State))
{
}

void TracksStateHolderImpl::SetSelection(const std::vector<int>& tids)
{
    const TrackTreeReaderPtr reader = m_model.GetReader();
    m_state.Select(tids, *reader);
    if (!m_state.IsSelected(m_state.GetCurrentPoint().tid)) {
        std::vector<int> items;
        std::vector<int> segments;
        m_state.GetSelectedItems(items);
        TrackTreeAlg(reader.get()).GetSubsegmentIds(items, segments);
        TrackPosition moved;
        if (!segments.empty()) {
            const int segment = segments.front();
            const int index = m_state.GetLastIndex(segment);
            if (index >= 0 && index < m_model.GetTrack(segment)->GetPointCount())
                moved = {segment, index};
        }
        m_state.SetCurrentPoint(moved);
    }
    m_events.Notify(GEventKind::SelectionChanged);
}

void TracksStateHolderImpl::SetCurrentPoint(int tid, int index)
{
    TrackPosition point;
    const TrackPtr track = m_model.GetTrack(tid);
    if (track && index >= 0 && index < track->GetPointCount()) {
        const TrackPositionConverter converter(*m_model.GetReader(),
                                               [this](int other) { return m_model.GetTrack(other).get(); });
        point = converter.Convert({tid, index}, track->GetSegmentTid(index));
    }
    m_state.SetCurrentPoint(point);
    m_events.Notify(GEventKind::CurrentPointChanged);
}

void TracksStateHolderImpl::SetCheckState(const std::vector<int>& tids, bool checked)
{
    m_state.SetChecked(tids, checked, *m_model.GetReader());
    m_events.Notify(GEventKind::CheckStateChanged);
}

void TracksStateHolderImpl::DropRemoved(const std::vector<int>& tids)
{
    m_state.Drop(tids);
    FollowTree();
    m_events.Notify(GEventKind::SelectionChanged);
}

void TracksStateHolderImpl::AssignColours(const std::vector<int>& tids)
{
    const TrackTreeReaderPtr reader = m_model.GetReader();
    const TrackTreeEditorPtr editor = m_model.GetEditor();
    for (const int tid : tids) {
        const auto* segment = dynamic_cast<const TrackInfo::Segment*>(reader->GetNode(tid));
        if (segment != nullptr && !segment->GetColour().IsSet())
            editor->SetSegmentColour(tid, RgbStruct::FromColorref(m_colours.Next()));
    }
}

void TracksStateHolderImpl::SetSegmentColour(int tid, const RgbStruct& colour, bool announce)
{
    std::vector<int> segments;
    TrackTreeAlg(m_model.GetReader().get()).GetSubsegmentIds(tid, segments);
    const TrackTreeEditorPtr editor = m_model.GetEditor();
    for (const int segment : segments)
        editor->SetSegmentColour(segment, colour);
    if (announce)
        m_events.Notify(GEventKind::DisplayAttrChanged);
}

void TracksStateHolderImpl::CloneParams(int fromTid, int toTid)
{
    const int state = m_state.GetCheckState(fromTid);
    if (state != TracksStateI::PartlyChecked)
        m_state.SetChecked({toTid}, state == TracksStateI::Checked, *m_model.GetReader());
    if (m_state.IsCarried(fromTid))
        m_state.SetCarried(toTid, true);
}

void TracksStateHolderImpl::OnTreeChanged()
{
    const TrackTreeChangesPtr changes = m_events.GetTreeChanges();
    const std::vector<int> added = changes->GetAdded();
    InheritUnchecked(added);
    AssignColours(added);
    const std::vector<int> removed = changes->GetRemoved();
    if (removed.empty())
        FollowTree();
    else
        DropRemoved(removed);
}

void TracksStateHolderImpl::InheritUnchecked(const std::vector<int>& added)
{
    const TrackTreeReaderPtr reader = m_model.GetReader();
    const std::set<int> fresh(added.begin(), added.end());
    for (const int tid : added) {
        const TrackInfo::Node* node = reader->GetNode(tid);
        if (node == nullptr || node->GetKind() != TrackInfo::KindSegment)
            continue;
        int up = reader->GetParent(tid);
        while (fresh.count(up) != 0)
            up = reader->GetParent(up);
        if (up != -1 && m_state.GetCheckState(up) == TracksStateI::Unchecked)
            m_state.SetSegmentChecked(tid, false);
    }
}

void TracksStateHolderImpl::FollowTree()
{
    const TrackTreeReaderPtr reader = m_model.GetReader();
    m_state.ReselectSegments(*reader);
    // A segment that lost points (split) may have lost the current point.
    const TrackPosition current = m_state.GetCurrentPoint();
    if (current.tid >= 0) {
        const TrackPtr track = m_model.GetTrack(current.tid);
        const int count = track ? track->GetPointCount() : 0;
        if (current.index >= count)
            m_state.SetCurrentPoint(count > 0 ? TrackPosition{current.tid, count - 1} : TrackPosition());
    }
    m_state.UpdateCheckStates(*reader);
}
