#pragma once

// A stretch of consecutive points of one segment, both ends included, in
// the segment's own numbering; tid -1 when there is none.
struct PointRange
{
    int tid = -1;
    int first = -1;
    int last = -1;

    bool IsEmpty() const { return tid < 0; }
    bool Contains(int segmentTid, int index) const
    {
        return !IsEmpty() && segmentTid == tid && index >= first && index <= last;
    }
    int GetCount() const { return IsEmpty() ? 0 : last - first + 1; }

    bool operator==(const PointRange&) const = default;
};
