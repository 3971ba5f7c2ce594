#include "UpdateCounterImpl.h"

void UpdateCounterImpl::Increment()
{
    const std::lock_guard lock(m_mutex);
    ++m_count;
}

int UpdateCounterImpl::GetCount() const
{
    const std::lock_guard lock(m_mutex);
    return m_count;
}

UpdateWatcher::UpdateWatcher(std::shared_ptr<const UpdateCounterImpl> counter)
    : m_counter(std::move(counter)), m_seen(m_counter->GetCount())
{
}

bool UpdateWatcher::IsUpdated()
{
    const int count = m_counter->GetCount();
    if (count == m_seen)
        return false;
    m_seen = count;
    return true;
}

void UpdateWatcher::Reset()
{
    m_seen = m_counter->GetCount();
}
