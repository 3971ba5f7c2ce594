#pragma once

#include "TrackI.h"
#include "TrackPointEx.h"
#include "Time.h"

#include <memory>

// Maps the rows of the point list to point indices of one segment and reads
// the points, remembering the last one read: the list asks for every cell of
// a row in turn.
class PtListNavI
{
public:
    // Where a point lies in its own segment; 0 when there is no such point.
    enum ClassCode {
        NoPoint = 0,
        SegmentStart = 1,
        SegmentEnd = 2,
        Inside = 3,
    };

    explicit PtListNavI(int tid);
    virtual ~PtListNavI() = default;

    // Drops the remembered point and reads the start time again.
    void Refresh();
    virtual int GetRowCount() const = 0;
    // The point of the row and its class code.
    int GetPoint(int row, TrackPointEx& out) const;
    // Null when the segment is empty or its first point has no time.
    const Time& GetStartTime() const { return m_startTime; }
    virtual int RowToIndex(int row) const = 0;
    // The row of the point, or of the next row after it when it has none.
    virtual int IndexToRow(int index) const = 0;
    virtual bool ShowsFiltered() const = 0;

    int GetTid() const { return m_tid; }

protected:
    // Null when the segment is no longer open.
    const TrackI* Track() const { return m_track.get(); }

private:
    int ClassOf(int index) const;

    int m_tid;
    TrackPtr m_track;
    Time m_startTime;
    mutable int m_cachedRow = -1;
    mutable int m_cachedCode = NoPoint;
    mutable TrackPointEx m_cached;
};

class PtListNavAll : public PtListNavI
{
public:
    using PtListNavI::PtListNavI;
    int GetRowCount() const override;
    int RowToIndex(int row) const override { return row; }
    int IndexToRow(int index) const override { return index; }
    bool ShowsFiltered() const override { return true; }
};

// Filtered points have no row.
class PtListNavValidOnly : public PtListNavI
{
public:
    using PtListNavI::PtListNavI;
    int GetRowCount() const override;
    int RowToIndex(int row) const override;
    int IndexToRow(int index) const override;
    bool ShowsFiltered() const override { return false; }
};

// The navigator for a segment as the filtered-points setting wants it.
std::unique_ptr<PtListNavI> MakePtListNav(int tid, bool showFiltered);
