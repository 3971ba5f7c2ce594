#include "ThreadPool.h"

#include <algorithm>
#include <chrono>

ThreadPool::ThreadPool(int threadCount)
{
    const int count = std::max(threadCount, 1);
    m_runningWorkers = count;
    m_threads.reserve(count);
    for (int i = 0; i < count; ++i)
        m_threads.emplace_back(&ThreadPool::RunWorker, this);
}

ThreadPool::~ThreadPool()
{
    Shutdown();
    for (std::thread& thread : m_threads)
        thread.join();
}

void ThreadPool::SetMaxQueueSize(int size)
{
    std::lock_guard lock(m_mutex);
    m_maxQueueSize = size > 0 ? size_t(size) : 0;
}

bool ThreadPool::Execute(std::function<void()> task)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_shutdown || (m_maxQueueSize > 0 && m_queue.size() >= m_maxQueueSize))
            return false;
        m_queue.push_back(std::move(task));
    }
    m_taskQueued.notify_one();
    return true;
}

void ThreadPool::Shutdown()
{
    std::deque<std::function<void()>> dropped;
    {
        std::lock_guard lock(m_mutex);
        m_shutdown = true;
        dropped.swap(m_queue);
    }
    m_taskQueued.notify_all();
    // The dropped tasks are destroyed here, outside the lock: whatever they
    // captured may take time or locks of its own to release.
}

bool ThreadPool::AwaitShutdown(int milliseconds)
{
    std::unique_lock lock(m_mutex);
    auto allEnded = [this] { return m_runningWorkers == 0; };
    if (milliseconds < 0) {
        m_workerEnded.wait(lock, allEnded);
        return true;
    }
    return m_workerEnded.wait_for(lock, std::chrono::milliseconds(milliseconds), allEnded);
}

void ThreadPool::RunWorker()
{
    for (;;) {
        std::function<void()> task;
        {
            std::unique_lock lock(m_mutex);
            m_taskQueued.wait(lock, [this] { return m_shutdown || !m_queue.empty(); });
            if (m_shutdown)
                break;
            task = std::move(m_queue.front());
            m_queue.pop_front();
        }
        try {
            task();
        } catch (...) {
            // A failed task (a tile download) must not take the worker, and
            // with it the process, down; the task reports its own outcome.
        }
    }
    {
        std::lock_guard lock(m_mutex);
        --m_runningWorkers;
    }
    m_workerEnded.notify_all();
}
