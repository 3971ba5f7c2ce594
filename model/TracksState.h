#pragma once

#include "TracksStateI.h"

#include <array>
#include <map>
#include <set>
#include <utility>
#include <vector>

class TrackTreeReaderI;

// The user's choices over the open tracks: selection, check states, current
// point, hovered segment. Only stores them and keeps them consistent with the
// tree it is given; announcing changes is the holder's business.
class TracksState : public TracksStateI
{
public:
    TrackPosition GetCurrentPoint() const override { return m_currentPoint; }
    int GetCheckState(int tid) const override;
    bool IsCarried(int tid) const override { return m_carried.count(tid) != 0; }
    bool IsSelected(int tid) const override { return m_selectedSegments.count(tid) != 0; }
    void GetSelectedItems(std::vector<int>& out) const override { out = m_selectedItems; }
    int GetSelectedCount() const override { return static_cast<int>(m_selectedSegments.size()); }
    int GetCurrentSegment() const override;
    bool IsSelectedItem(int tid) const override;
    int GetHoveredSegment() const override { return m_hoveredSegment; }
    PointRange GetPointRange() const override { return m_pointRange; }

    // The items become the selection and every segment beneath them a
    // selected segment. Items unknown to the tree are left out.
    void Select(const std::vector<int>& items, const TrackTreeReaderI& tree);
    // The selected segments found afresh beneath the same items, after the
    // tree changed beneath them.
    void ReselectSegments(const TrackTreeReaderI& tree);

    // Every segment beneath the tids, then every file and folder above them.
    void SetChecked(const std::vector<int>& tids, bool checked, const TrackTreeReaderI& tree);
    void SetSegmentChecked(int tid, bool checked) { m_checkStates[tid] = checked ? Checked : Unchecked; }
    // Each file and folder from its segments: checked when all are (or it
    // has none), unchecked when none is, partly checked otherwise.
    void UpdateCheckStates(const TrackTreeReaderI& tree);

    // Also remembered as the last current point of its segment.
    void SetCurrentPoint(const TrackPosition& point);
    // The point the segment was last left at; -1 when never set.
    int GetLastIndex(int segmentTid) const;

    void SetCarried(int tid, bool carried);
    void SetHoveredSegment(int tid) { m_hoveredSegment = tid; }

    // Stored as given; the holder checks it against the segment.
    void SetPointRange(const PointRange& range) { m_pointRange = range; }
    // Keeps the point as the newer of the last two marks; returns the range
    // between the two when they lie on one segment at different points,
    // else an empty one. Both are in segment numbering.
    PointRange AddMark(const TrackPosition& point);
    void ClearMarks() { m_marks = {}; }
    // Forgets the marks on these segments (their points were renumbered).
    void DropMarksOn(const std::vector<int>& tids);

    // Forgets the tids everywhere; a current point, hovered segment, point
    // range or mark on one of them is cleared. Check states of what remains are not recomputed.
    void Drop(const std::vector<int>& tids);

private:
    // Returns (checked segments, segments) beneath tid.
    std::pair<int, int> UpdateCheckState(int tid, const TrackTreeReaderI& tree);

    std::map<int, int> m_checkStates;
    std::set<int> m_selectedSegments;
    std::map<int, int> m_lastIndices;
    std::vector<int> m_selectedItems;
    std::set<int> m_carried;
    TrackPosition m_currentPoint;
    int m_hoveredSegment = -1;
    PointRange m_pointRange;
    // The older mark first.
    std::array<TrackPosition, 2> m_marks;
};
