#include "TrackTreeEventDataImpl.h"

namespace {
void Append(std::vector<int>& list, const std::vector<int>& tids)
{
    list.insert(list.end(), tids.begin(), tids.end());
}
} // namespace

void TrackTreeEventDataImpl::RecordAdded(const std::vector<int>& tids)
{
    Append(m_added, tids);
}

void TrackTreeEventDataImpl::RecordAdded(int tid)
{
    m_added.push_back(tid);
}

void TrackTreeEventDataImpl::RecordRemoved(const std::vector<int>& tids)
{
    Append(m_removed, tids);
}

void TrackTreeEventDataImpl::RecordRemoved(int tid)
{
    m_removed.push_back(tid);
}

void TrackTreeEventDataImpl::RecordChanged(const std::vector<int>& tids)
{
    Append(m_changed, tids);
}

void TrackTreeEventDataImpl::RecordChanged(int tid)
{
    m_changed.push_back(tid);
}
