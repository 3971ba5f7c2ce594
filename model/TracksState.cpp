#include "TracksState.h"

#include "TrackTreeAlg.h"

#include <algorithm>

int TracksState::GetCheckState(int tid) const
{
    const auto it = m_checkStates.find(tid);
    return it == m_checkStates.end() ? Checked : it->second;
}

int TracksState::GetCurrentSegment() const
{
    if (m_currentPoint.tid > 0)
        return m_currentPoint.tid;
    return m_selectedSegments.size() == 1 ? *m_selectedSegments.begin() : -1;
}

bool TracksState::IsSelectedItem(int tid) const
{
    return std::find(m_selectedItems.begin(), m_selectedItems.end(), tid) != m_selectedItems.end();
}

void TracksState::Select(const std::vector<int>& items, const TrackTreeReaderI& tree)
{
    m_selectedItems.clear();
    for (const int tid : items) {
        if (tree.GetNode(tid) != nullptr && !IsSelectedItem(tid))
            m_selectedItems.push_back(tid);
    }
    ReselectSegments(tree);
}

void TracksState::ReselectSegments(const TrackTreeReaderI& tree)
{
    std::vector<int> segments;
    TrackTreeAlg(&tree).GetSubsegmentIds(m_selectedItems, segments);
    m_selectedSegments = std::set<int>(segments.begin(), segments.end());
}

void TracksState::SetChecked(const std::vector<int>& tids, bool checked, const TrackTreeReaderI& tree)
{
    std::vector<int> segments;
    TrackTreeAlg(&tree).GetSubsegmentIds(tids, segments);
    for (const int tid : segments)
        SetSegmentChecked(tid, checked);
    UpdateCheckStates(tree);
}

void TracksState::UpdateCheckStates(const TrackTreeReaderI& tree)
{
    for (const int file : tree.GetChildren(-1))
        UpdateCheckState(file, tree);
}

std::pair<int, int> TracksState::UpdateCheckState(int tid, const TrackTreeReaderI& tree)
{
    if (tree.GetNode(tid)->GetKind() == TrackInfo::KindSegment)
        return {GetCheckState(tid) == Checked ? 1 : 0, 1};
    int checked = 0;
    int total = 0;
    for (const int child : tree.GetChildren(tid)) {
        const auto [childChecked, childTotal] = UpdateCheckState(child, tree);
        checked += childChecked;
        total += childTotal;
    }
    m_checkStates[tid] = checked == total ? Checked : checked == 0 ? Unchecked : PartlyChecked;
    return {checked, total};
}

void TracksState::SetCurrentPoint(const TrackPosition& point)
{
    m_currentPoint = point;
    if (point.tid >= 0 && point.index >= 0)
        m_lastIndices[point.tid] = point.index;
}

int TracksState::GetLastIndex(int segmentTid) const
{
    const auto it = m_lastIndices.find(segmentTid);
    return it == m_lastIndices.end() ? -1 : it->second;
}

void TracksState::SetCarried(int tid, bool carried)
{
    if (carried)
        m_carried.insert(tid);
    else
        m_carried.erase(tid);
}

void TracksState::Drop(const std::vector<int>& tids)
{
    const std::set<int> dropped(tids.begin(), tids.end());
    for (const int tid : dropped) {
        m_checkStates.erase(tid);
        m_selectedSegments.erase(tid);
        m_lastIndices.erase(tid);
        m_carried.erase(tid);
    }
    std::erase_if(m_selectedItems, [&dropped](int tid) { return dropped.count(tid) != 0; });
    if (dropped.count(m_currentPoint.tid))
        m_currentPoint = TrackPosition();
    if (dropped.count(m_hoveredSegment))
        m_hoveredSegment = -1;
    if (dropped.count(m_pointRange.tid))
        m_pointRange = PointRange();
    DropMarksOn(tids);
}

void TracksState::DropMarksOn(const std::vector<int>& tids)
{
    for (TrackPosition& mark : m_marks) {
        if (std::find(tids.begin(), tids.end(), mark.tid) != tids.end())
            mark = TrackPosition();
    }
}

PointRange TracksState::AddMark(const TrackPosition& point)
{
    m_marks = {m_marks[1], point};
    const TrackPosition& older = m_marks[0];
    if (older.tid < 0 || older.tid != point.tid || older.index == point.index)
        return {};
    return {point.tid, std::min(older.index, point.index), std::max(older.index, point.index)};
}
