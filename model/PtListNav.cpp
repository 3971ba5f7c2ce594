#include "PtListNav.h"

#include "OpenTracks.h"
#include "TrackPtNavI.h"

PtListNavI::PtListNavI(int tid) : m_tid(tid), m_track(OpenTracks::Get().model.GetTrack(tid))
{
    Refresh();
}

void PtListNavI::Refresh()
{
    m_cachedRow = -1;
    TrackPoint first;
    m_startTime = m_track && m_track->GetPoint(0, first) ? first.GetTime() : Time();
}

int PtListNavI::GetPoint(int row, TrackPointEx& out) const
{
    if (row != m_cachedRow) {
        const int index = row >= 0 && row < GetRowCount() ? RowToIndex(row) : -1;
        m_cachedCode = index >= 0 && m_track->GetPointEx(index, m_cached) ? ClassOf(index) : NoPoint;
        m_cachedRow = row;
    }
    out = m_cached;
    return m_cachedCode;
}

// Worked out in the point's own segment, so that a list of a file or folder
// still marks where each of its segments starts and ends.
int PtListNavI::ClassOf(int index) const
{
    const int segmentTid = m_track->GetSegmentTid(index);
    const TrackPtr segment = segmentTid == m_tid ? m_track : OpenTracks::Get().model.GetTrack(segmentTid);
    if (!segment)
        return NoPoint;
    const int own = segmentTid == m_tid ? index : m_track->ConvertIndex(index, segmentTid);
    const TrackPtNavI& nav = segment->GetPtNav();
    if (own == nav.GetLastValid() || own == nav.GetCount() - 1)
        return SegmentEnd;
    if (own == nav.GetFirstValid() || own == 0)
        return SegmentStart;
    return Inside;
}

int PtListNavAll::GetRowCount() const
{
    return Track() ? Track()->GetPtNav().GetCount() : 0;
}

int PtListNavValidOnly::GetRowCount() const
{
    return Track() ? Track()->GetPtNav().GetValidCount() : 0;
}

int PtListNavValidOnly::RowToIndex(int row) const
{
    return Track() ? Track()->GetPtNav().GetValidIndex(row) : -1;
}

int PtListNavValidOnly::IndexToRow(int index) const
{
    return Track() ? Track()->GetPtNav().GetValidOrdinal(index) : -1;
}

std::unique_ptr<PtListNavI> MakePtListNav(int tid, bool showFiltered)
{
    if (showFiltered)
        return std::make_unique<PtListNavAll>(tid);
    return std::make_unique<PtListNavValidOnly>(tid);
}
