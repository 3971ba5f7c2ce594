#pragma once

#include <vector>

class TrackPoint;
class TrackPointStatus;

// Changing a track's points. Each operation leaves the navigator and the
// calculated data in step with the points; announcing the change is the
// caller's business.
class TrackUpdaterI
{
public:
    virtual ~TrackUpdaterI() = default;

    // The points changed in place (statuses written by a filter, points
    // replaced through the raw array): rebuilds the navigator and
    // recalculates everything; with checkTimes the times are checked first
    // and points without time or out of order get filtered.
    virtual void Refresh(bool checkTimes) = 0;
    // Nothing happens for an index outside the points.
    virtual void DeletePoint(int index) = 0;
    virtual void SetPoint(int index, const TrackPoint& point) = 0;
    // Before index; an index past the end appends.
    virtual void InsertPoints(int index, const std::vector<TrackPoint>& points) = 0;
    // Changeable in place; null outside the points. Call Refresh after.
    virtual TrackPointStatus* GetPointStatus(int index) = 0;
    virtual void DeleteFiltered() = 0;
    // Makes every point valid again and checks the times afresh; does
    // nothing when no point is filtered.
    virtual void RestoreFiltered() = 0;
};
