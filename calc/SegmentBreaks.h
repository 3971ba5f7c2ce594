#pragma once

#include "TrackPositionConverter.h"

#include <vector>

class OpenTracksModel;

// Breaks between the segments of a file: joining consecutive segments,
// adding a break after a point, removing the break at a segment's end.
// Each goes through one of the model's tree operations, which announce the
// change and mark the file modified.
class SegmentBreaks
{
public:
    explicit SegmentBreaks(OpenTracksModel& model) : m_model(model) {}

    // Joins the segments beneath items into the first of them. False, and
    // nothing changes, unless they all lie in one file and follow each other
    // in its segment order; a single segment is left as it is.
    bool Join(const std::vector<int>& items);

    // Splits the segment holding the point (a node and an index in its
    // numbering) after the point. Returns the new segment's tid; -1, and
    // nothing changes, at the first or last point of a segment.
    int AddBreak(const TrackPosition& point);

    // At the first point of its segment, joins the segment with the one
    // before it; at the last point, with the one after it. Returns where the
    // point lies afterwards (segment, index); (-1, -1) when nothing changed.
    TrackPosition RemoveBreak(const TrackPosition& point);

private:
    // The point in its segment's numbering; (-1, -1) when there is none.
    TrackPosition ToSegment(const TrackPosition& point) const;

    OpenTracksModel& m_model;
};
