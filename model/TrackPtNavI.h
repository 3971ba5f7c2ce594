#pragma once

#include <vector>

// Navigation over the points of a track: over all points, the valid ones only
// or the filtered ones only. Every operation answers -1 for "none".
class TrackPtNavI
{
public:
    enum Mode {
        ModeAll = 0,
        ModeValid = 1,
        ModeFiltered = 2,
    };

    virtual ~TrackPtNavI() = default;

    virtual int GetFirstValid() const = 0;
    virtual int GetLastValid() const = 0;
    // The next (previous) point of the mode after (before) index. A negative
    // index starts before the first point, one at or beyond the end after
    // the last point.
    virtual int GetNext(int index, int mode) const = 0;
    virtual int GetPrev(int index, int mode) const = 0;
    // The position in the list of valid points of the first valid point at or
    // after index; the valid count when there is none after it; -1 when the
    // track has no valid point.
    virtual int GetValidOrdinal(int index) const = 0;
    // The valid point at that position of the list of valid points.
    virtual int GetValidIndex(int ordinal) const = 0;
    virtual int GetValidCount() const = 0;
    virtual int GetFilteredCount() const = 0;
    virtual int GetCount() const = 0;
    // The ascending indices of the valid (filtered) points.
    virtual void GetValidIndices(std::vector<int>& out) const = 0;
    virtual void GetFilteredIndices(std::vector<int>& out) const = 0;
};
