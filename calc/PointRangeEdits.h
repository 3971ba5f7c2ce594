#pragma once

#include "PointRange.h"
#include "TrackPoint.h"

#include <QString>

#include <vector>

class GEventNotifyI;
class OpenTracksModel;
class TracksStateHolderImpl;

// The commands on a stretch of points of one segment: copy it into a new
// segment, crop the segment to it, remove its points, make a file of it.
// Each takes the range it works on, so that it can be replayed; a range
// that does not fit its segment changes nothing. Every change marks its
// file modified and is announced.
class PointRangeEdits
{
public:
    PointRangeEdits(OpenTracksModel& model, TracksStateHolderImpl& holder, GEventNotifyI& events);

    // Copies of the range's points with their statuses; empty when the
    // range does not fit its segment.
    std::vector<TrackPoint> GetPoints(const PointRange& range) const;
    // The default name of a track of the range's valid points (from their
    // time span, as new files are named).
    QString GetDefaultName(const PointRange& range) const;
    // A segment named name holding copies of the range's points, right after
    // the range's segment. Returns its tid, -1 when nothing was made.
    int NewSegment(const PointRange& range, const QString& name);
    // The segment keeps only the range's points, which stay the range; the
    // current point on the segment keeps its point or moves to the nearest
    // end. False when nothing changed.
    bool Crop(const PointRange& range);
    // The range's valid points become filtered, removed by the user, and can
    // be restored like any filtered point; the others keep their statuses.
    // Returns how many were removed.
    int Remove(const PointRange& range);
    // A new file of one segment holding copies of the range's points, added
    // to the open tracks as built in memory (no path, modified). Returns
    // its tid, -1 when nothing was made.
    int AddAsFile(const PointRange& range, const QString& fileName);

private:
    bool Fits(const PointRange& range) const;
    void MarkModified(int tid);

    OpenTracksModel& m_model;
    TracksStateHolderImpl& m_holder;
    GEventNotifyI& m_events;
};
