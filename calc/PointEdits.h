#pragma once

#include "GeoTypes.h"
#include "TrackPositionConverter.h"
#include "UndoScope.h"

#include <optional>

class GEventNotifyI;
class OpenTracksModel;
class TracksStateHolderImpl;

// What the map's and the point list's mouse and keys do to points: choose
// the current one, step along the track, remove and restore, break and join
// segments, insert and move. Every change is announced, marks its file
// modified and is one step of the undo history.
class PointEdits
{
public:
    // Where a point lies in its segment.
    enum Place {
        NoPlace = 0,
        First = 1,
        Last = 2,
        Inside = 3,
    };

    PointEdits(OpenTracksModel& model, TracksStateHolderImpl& holder, GEventNotifyI& events);

    void SetCurrentPoint(const TrackPosition& point);
    // A Ctrl+click mark: two marks on one segment make the points between
    // them the point range.
    void MarkPoint(const TrackPosition& point);
    void ClearPointRange();
    // The next or previous valid point of the current point's segment
    // becomes current; (-1, -1) when there is none.
    TrackPosition StepCurrentPoint(bool forward);
    // Kept in the track as filtered ("Removed by user"), so it can come back.
    void RemovePoint(const TrackPosition& point);
    void RestorePoint(const TrackPosition& point);
    Place GetPlace(const TrackPosition& point) const;
    void AddBreak(const TrackPosition& point);
    void RemoveBreak(const TrackPosition& point);
    // A point added by the user between two neighbours of a segment at the
    // place given; returns it.
    TrackPosition InsertPoint(int tid, int first, int second, const GeoPoint& at);
    void MovePoint(const TrackPosition& point, const GeoPoint& to);
    // The moves between these make one step to undo.
    void BeginDrag();
    void EndDrag() { m_drag.reset(); }

    static constexpr int RemovedByUserReason = 12;

private:
    void MarkModified(int tid);

    OpenTracksModel& m_model;
    TracksStateHolderImpl& m_holder;
    GEventNotifyI& m_events;
    std::optional<UndoScope> m_drag;
};
