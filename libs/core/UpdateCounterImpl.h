#pragma once

#include <memory>
#include <mutex>

// A change count that several readers poll: the owner increments it after
// every change, and each reader's UpdateWatcher tells whether it moved since
// that reader last asked.
class UpdateCounterImpl
{
public:
    void Increment();
    int GetCount() const;

private:
    mutable std::mutex m_mutex;
    int m_count = 0;
};

class UpdateWatcher
{
public:
    explicit UpdateWatcher(std::shared_ptr<const UpdateCounterImpl> counter);

    // True once for every new count: the count is remembered.
    bool IsUpdated();
    // Remembers the current count without reporting it.
    void Reset();

private:
    std::shared_ptr<const UpdateCounterImpl> m_counter;
    int m_seen;
};
