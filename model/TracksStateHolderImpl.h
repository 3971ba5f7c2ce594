#pragma once

#include "ColourCycle.h"
#include "ParamsClonerI.h"
#include "TracksState.h"

#include <boost/signals2/connection.hpp>

#include <vector>

class GEventManagerImpl;
class OpenTracksModel;
class RgbStruct;

// Keeps the one TracksState current and changes it on behalf of the panes
// and commands, announcing each change. It listens to tree changes in the
// first group, so the state is current before anybody else hears of one:
// new segments get their colours, removed nodes leave the selection and the
// current point.
class TracksStateHolderImpl : public ParamsClonerI
{
public:
    // The process-wide holder, made with the model.
    static TracksStateHolderImpl& GetInstance();

    TracksStateHolderImpl(OpenTracksModel& model, GEventManagerImpl& events);
    TracksStateHolderImpl(const TracksStateHolderImpl&) = delete;
    TracksStateHolderImpl& operator=(const TracksStateHolderImpl&) = delete;

    const TracksStateI& GetState() const { return m_state; }

    // The items become the selection; the current point stays when it lies
    // beneath them and otherwise moves to the point the first selected
    // segment was last left at (none when it never had one). Kind 4.
    void SetSelection(const std::vector<int>& tids);
    // tid may be a file or folder: the point is carried over to the segment
    // that holds it. An index outside the node's points clears the current
    // point. Kind 6.
    void SetCurrentPoint(int tid, int index);
    // Kind 5.
    void SetCheckState(const std::vector<int>& tids, bool checked);
    // Forgets removed nodes and recomputes what depended on them. Kind 4.
    void DropRemoved(const std::vector<int>& tids);
    // Each segment among tids without a colour gets the next one of the
    // cycle; nothing is announced.
    void AssignColours(const std::vector<int>& tids);
    // Every segment beneath tid gets the colour; kind 3 when asked.
    void SetSegmentColour(int tid, const RgbStruct& colour, bool announce);
    void SetHoveredSegment(int tid) { m_state.SetHoveredSegment(tid); }
    void SetCarried(int tid, bool carried) { m_state.SetCarried(tid, carried); }

    // The points first to last (either order) of tid become the point range.
    // tid may be a file or folder: the range goes to the segment of its
    // lower end and stops at that segment's end. Ends outside the points
    // clear it. Kind 13 when the range changed. Returns the range now held.
    PointRange SetPointRange(int tid, int first, int last);
    // Kind 13 when there was one.
    void ClearPointRange();
    // A Ctrl+click mark on a point (any node's numbering); when it and the
    // mark before lie on one segment at different points, the points between
    // them become the point range.
    void MarkPoint(int tid, int index);

    void CloneParams(int fromTid, int toTid) override;

private:
    void OnEvent();
    void OnTreeChanged();
    // A point inserted into the range's segment moves the range's indices
    // along; a range the segment no longer holds is cleared.
    void FollowPoints(int kind);
    // The point in its segment's numbering; (-1, -1) outside the node's points.
    TrackPosition ToSegment(int tid, int index) const;
    void StoreRange(const PointRange& range);
    // New segments beneath a file or folder that was wholly unchecked stay
    // hidden with it.
    void InheritUnchecked(const std::vector<int>& added);
    // Selected segments, current point and check states brought in line
    // with the tree.
    void FollowTree();

    OpenTracksModel& m_model;
    GEventManagerImpl& m_events;
    TracksState m_state;
    ColourCycle m_colours;
    boost::signals2::scoped_connection m_subscription;
};
