#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// A fixed set of worker threads taking tasks from one queue (the map tile
// downloads). The queue can be bounded so that a caller that produces more
// work than the workers can do learns it at once and can retry later.
class ThreadPool
{
public:
    // At least one worker is started.
    explicit ThreadPool(int threadCount);
    // Shuts down and waits for the running tasks to finish.
    ~ThreadPool();
    ThreadPool(const ThreadPool&) = delete;
    ThreadPool& operator=(const ThreadPool&) = delete;

    // The most tasks that may wait for a worker (tasks being run do not
    // count); 0 or less means no limit, which is the default.
    void SetMaxQueueSize(int size);
    // Queues the task. False when the queue is full or the pool is shut
    // down; the task is then dropped. An exception leaving a task is
    // swallowed so that the worker lives on.
    bool Execute(std::function<void()> task);
    // Stops taking tasks and drops those still queued; running tasks finish.
    void Shutdown();
    // Waits up to `milliseconds` (negative: without limit) for every worker
    // to end, which happens only after Shutdown. True when all have ended.
    bool AwaitShutdown(int milliseconds);

private:
    void RunWorker();

    std::mutex m_mutex;
    std::condition_variable m_taskQueued;
    std::condition_variable m_workerEnded;
    std::deque<std::function<void()>> m_queue;
    size_t m_maxQueueSize = 0;
    bool m_shutdown = false;
    int m_runningWorkers = 0;
    std::vector<std::thread> m_threads;
};
