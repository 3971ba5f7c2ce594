#include "TileRetryTable.h"

#include <algorithm>

TileRetryTable::TileRetryTable(Clock clock)
    : m_clock(clock ? std::move(clock) : Clock([] { return std::chrono::steady_clock::now(); }))
{
}

void TileRetryTable::RecordFailure(const std::string& key, bool copyKept)
{
    Entry& entry = m_entries[key];
    entry.missing = false;
    entry.copyKept = copyKept;
    entry.dueTold = false;
    entry.delay = entry.failures == 0 ? FirstDelay : std::min(entry.delay * 2, MaxDelay);
    ++entry.failures;
    entry.retryAt = m_clock() + entry.delay;
    m_nextDue = std::min(m_nextDue, entry.retryAt);
}

void TileRetryTable::RecordMissing(const std::string& key)
{
    Entry& entry = m_entries[key];
    entry = Entry();
    entry.missing = true;
}

void TileRetryTable::Forget(const std::string& key)
{
    m_entries.erase(key);
}

bool TileRetryTable::IsWaiting(const std::string& key) const
{
    const auto found = m_entries.find(key);
    return found != m_entries.end() && (found->second.missing || m_clock() < found->second.retryAt);
}

bool TileRetryTable::IsBlank(const std::string& key) const
{
    const auto found = m_entries.find(key);
    return found != m_entries.end() && !found->second.copyKept && IsWaiting(key);
}

bool TileRetryTable::TakeDueRetries()
{
    const TimePoint now = m_clock();
    if (now < m_nextDue)
        return false;
    bool due = false;
    m_nextDue = TimePoint::max();
    for (auto& [key, entry] : m_entries) {
        if (entry.missing || entry.dueTold)
            continue;
        if (entry.retryAt <= now) {
            entry.dueTold = true;
            due = true;
        } else {
            m_nextDue = std::min(m_nextDue, entry.retryAt);
        }
    }
    return due;
}
