#include "TrackDataSet.h"

TrackDataPtr TrackDataSetImpl::Get(int tid) const
{
    const auto it = m_data.find(tid);
    return it == m_data.end() ? TrackDataPtr() : it->second;
}

long long TrackDataSetImpl::GetTotalPointCount() const
{
    long long total = 0;
    for (const auto& entry : m_data)
        total += entry.second ? entry.second->GetPointCount() : 0;
    return total;
}
