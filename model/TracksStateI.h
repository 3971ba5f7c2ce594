#pragma once

#include "PointRange.h"
#include "TrackPositionConverter.h"

#include <vector>

// The user's choices over the open tracks, for reading.
class TracksStateI
{
public:
    enum CheckState {
        Unchecked = 0,
        // A file or folder whose segments are partly checked.
        PartlyChecked = 1,
        Checked = 2,
    };

    virtual ~TracksStateI() = default;

    // (segment tid, point index); (-1, -1) when there is none.
    virtual TrackPosition GetCurrentPoint() const = 0;
    // Checked for a tid that was never set.
    virtual int GetCheckState(int tid) const = 0;
    // Whether the tid is in the set that parameter cloning carries over.
    virtual bool IsCarried(int tid) const = 0;
    // Whether the segment lies beneath the selected items.
    virtual bool IsSelected(int tid) const = 0;
    // The selected items (files, folders, segments) in the order they were
    // selected; out is emptied first.
    virtual void GetSelectedItems(std::vector<int>& out) const = 0;
    // The number of selected segments.
    virtual int GetSelectedCount() const = 0;
    // The current point's segment; without one, the only selected segment;
    // otherwise -1.
    virtual int GetCurrentSegment() const = 0;
    // Whether the tid itself is one of the selected items.
    virtual bool IsSelectedItem(int tid) const = 0;
    // The segment under the mouse in the map window; -1 when none.
    virtual int GetHoveredSegment() const = 0;
    // The stretch of points the range commands work on; empty when none.
    virtual PointRange GetPointRange() const = 0;
};
