#include "TrackPtNav.h"

#include "TrackData.h"

#include <algorithm>

void TrackPtNav::Rebuild(const TrackData& points)
{
    const std::vector<TrackPoint>& all = points.GetPoints();
    m_valid.Assign(static_cast<int>(all.size()), [&all](int i) { return all[static_cast<size_t>(i)].IsValid(); });
}

int TrackPtNav::GetNext(int index, int mode) const
{
    const int count = GetCount();
    if (count == 0 || index >= count - 1)
        return -1;
    const int from = std::max(index, -1) + 1;
    switch (mode) {
    case ModeAll:
        return from;
    case ModeValid:
        return m_valid.NextSet(from);
    case ModeFiltered:
        return m_valid.NextClear(from);
    default:
        return -1;
    }
}

int TrackPtNav::GetPrev(int index, int mode) const
{
    const int count = GetCount();
    if (count == 0 || index <= 0)
        return -1;
    const int from = std::min(index, count) - 1;
    switch (mode) {
    case ModeAll:
        return from;
    case ModeValid:
        return m_valid.PrevSet(from);
    case ModeFiltered:
        return m_valid.PrevClear(from);
    default:
        return -1;
    }
}

int TrackPtNav::GetValidOrdinal(int index) const
{
    if (m_valid.CountSet() == 0)
        return -1;
    return m_valid.Rank(std::clamp(index, 0, GetCount()));
}
