#include "TracksStateHolderImpl.h"

#include "GEventManagerImpl.h"
#include "OpenTracksModel.h"
#include "TrackTreeAlg.h"

#include <algorithm>
#include <set>

TracksStateHolderImpl::TracksStateHolderImpl(OpenTracksModel& model, GEventManagerImpl& events)
    : m_model(model)
    , m_events(events)
    , m_subscription(events.Subscribe(
          GEventFilter{GEventKind::TreeChanged, GEventKind::PointsChanged, GEventKind::PointAdded},
          [this] { OnEvent(); }, GEventGroup::State))
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

TrackPosition TracksStateHolderImpl::ToSegment(int tid, int index) const
{
    const TrackPtr track = m_model.GetTrack(tid);
    if (!track || index < 0 || index >= track->GetPointCount())
        return {};
    const TrackPositionConverter converter(*m_model.GetReader(),
                                           [this](int other) { return m_model.GetTrack(other).get(); });
    return converter.Convert({tid, index}, track->GetSegmentTid(index));
}

void TracksStateHolderImpl::SetCurrentPoint(int tid, int index)
{
    m_state.SetCurrentPoint(ToSegment(tid, index));
    m_events.Notify(GEventKind::CurrentPointChanged);
}

PointRange TracksStateHolderImpl::SetPointRange(int tid, int first, int last)
{
    const TrackPosition low = ToSegment(tid, std::min(first, last));
    TrackPosition high = ToSegment(tid, std::max(first, last));
    PointRange range;
    if (low.tid >= 0 && high.tid >= 0) {
        if (high.tid != low.tid)
            high = {low.tid, m_model.GetTrack(low.tid)->GetPointCount() - 1};
        range = {low.tid, low.index, high.index};
    }
    StoreRange(range);
    return range;
}

void TracksStateHolderImpl::ClearPointRange()
{
    // The next Ctrl+click starts a new pair.
    m_state.ClearMarks();
    StoreRange({});
}

void TracksStateHolderImpl::StoreRange(const PointRange& range)
{
    if (range == m_state.GetPointRange())
        return;
    m_state.SetPointRange(range);
    m_events.Notify(GEventKind::PointRangeChanged);
}

void TracksStateHolderImpl::MarkPoint(int tid, int index)
{
    const TrackPosition point = ToSegment(tid, index);
    if (point.tid < 0)
        return;
    const PointRange range = m_state.AddMark(point);
    if (!range.IsEmpty())
        StoreRange(range);
}

void TracksStateHolderImpl::SetCheckState(const std::vector<int>& tids, bool checked)
{
    m_state.SetChecked(tids, checked, *m_model.GetReader());
    m_events.Notify(GEventKind::CheckStateChanged);
}

void TracksStateHolderImpl::DropRemoved(const std::vector<int>& tids)
{
    const bool hadRange = !m_state.GetPointRange().IsEmpty();
    m_state.Drop(tids);
    if (hadRange && m_state.GetPointRange().IsEmpty())
        m_events.Notify(GEventKind::PointRangeChanged);
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

void TracksStateHolderImpl::OnEvent()
{
    const int kind = m_events.GetCurrentEvent().kind;
    if (kind == GEventKind::TreeChanged)
        OnTreeChanged();
    else
        FollowPoints(kind);
}

void TracksStateHolderImpl::FollowPoints(int kind)
{
    PointRange range = m_state.GetPointRange();
    if (range.IsEmpty())
        return;
    if (kind == GEventKind::PointAdded) {
        const auto [tid, index] = m_events.GetPair();
        if (tid == range.tid && index <= range.last) {
            range.first += index <= range.first ? 1 : 0;
            ++range.last;
        }
    }
    const TrackPtr track = m_model.GetTrack(range.tid);
    StoreRange(track && range.last < track->GetPointCount() ? range : PointRange());
}

void TracksStateHolderImpl::OnTreeChanged()
{
    const TrackTreeChangesPtr changes = m_events.GetTreeChanges();
    // Restructuring renumbers the points of a changed segment.
    const std::vector<int> changed = changes->GetChanged();
    m_state.DropMarksOn(changed);
    if (std::find(changed.begin(), changed.end(), m_state.GetPointRange().tid) != changed.end())
        ClearPointRange();
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
