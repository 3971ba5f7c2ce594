#include "ThreadPool.h"

#include <atomic>
#include <chrono>
#include <future>
#include <latch>
#include <memory>
#include <stdexcept>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace {

constexpr int kLongWaitMs = 10000; // only ever waited in full when broken
constexpr std::chrono::milliseconds kLongWait(kLongWaitMs);

// Every wait here, in the test or in a task, gives up after kLongWait, so a
// broken pool fails the test instead of hanging it. What the tasks use is
// declared before the pool, so that it outlives the tasks the pool still
// runs when a test ends early.

// True once the latch has opened, false if it is still closed after kLongWait.
bool Opens(const std::latch& latch)
{
    const auto deadline = std::chrono::steady_clock::now() + kLongWait;
    while (!latch.try_wait()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

bool Ready(const std::future<void>& future)
{
    return future.wait_for(kLongWait) == std::future_status::ready;
}

// A task that reports that it has started and then holds its worker until
// the test opens the gate.
class Blocker
{
public:
    std::function<void()> Task()
    {
        return [this] {
            m_started.set_value();
            m_gate.wait_for(kLongWait);
            m_finished = true;
        };
    }
    bool WaitStarted() { return Ready(m_started.get_future()); }
    void Open() { m_open.set_value(); }
    bool Finished() const { return m_finished; }

private:
    std::promise<void> m_started;
    std::promise<void> m_open;
    std::shared_future<void> m_gate = m_open.get_future().share();
    std::atomic<bool> m_finished{false};
};

} // namespace

TEST(ThreadPool, RunsEveryTask)
{
    constexpr int kTasks = 50;
    std::atomic<int> done{0};
    std::latch allDone(kTasks);
    ThreadPool pool(3);
    for (int i = 0; i < kTasks; ++i) {
        ASSERT_TRUE(pool.Execute([&] {
            ++done;
            allDone.count_down();
        }));
    }
    ASSERT_TRUE(Opens(allDone)) << done << " of " << kTasks << " tasks ran";
    EXPECT_EQ(done, kTasks);
}

TEST(ThreadPool, TasksRunOnSeveralWorkersAtOnce)
{
    // Three tasks that each wait for all three to have started can only
    // finish when three workers run them together.
    std::latch together(3);
    std::latch finished(3);
    ThreadPool pool(3);
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(pool.Execute([&] {
            together.count_down();
            if (Opens(together))
                finished.count_down();
        }));
    }
    EXPECT_TRUE(Opens(finished));
}

TEST(ThreadPool, FullQueueRefusesTasks)
{
    Blocker blocker; // outlives the pool that runs its task
    std::latch queuedDone(2);
    bool refusedRan = false;
    std::promise<void> later;
    ThreadPool pool(1);
    pool.SetMaxQueueSize(2);
    ASSERT_TRUE(pool.Execute(blocker.Task()));
    ASSERT_TRUE(blocker.WaitStarted()); // the worker is busy, the queue is empty

    EXPECT_TRUE(pool.Execute([&] { queuedDone.count_down(); }));
    EXPECT_TRUE(pool.Execute([&] { queuedDone.count_down(); }));
    EXPECT_FALSE(pool.Execute([&] { refusedRan = true; }));

    blocker.Open();
    ASSERT_TRUE(Opens(queuedDone));
    // Room again once the queue has drained.
    EXPECT_TRUE(pool.Execute([&] { later.set_value(); }));
    EXPECT_TRUE(Ready(later.get_future()));
    pool.Shutdown();
    EXPECT_TRUE(pool.AwaitShutdown(kLongWaitMs));
    EXPECT_FALSE(refusedRan);
}

TEST(ThreadPool, QueueLimitOfZeroOrLessMeansUnlimited)
{
    Blocker blocker;
    ThreadPool pool(1);
    pool.SetMaxQueueSize(1);
    pool.SetMaxQueueSize(0);
    ASSERT_TRUE(pool.Execute(blocker.Task()));
    ASSERT_TRUE(blocker.WaitStarted());
    for (int i = 0; i < 100; ++i)
        EXPECT_TRUE(pool.Execute([] {}));
    blocker.Open();
}

TEST(ThreadPool, ShutdownDropsQueuedTasksAndLetsRunningOnesFinish)
{
    Blocker blocker;
    std::atomic<int> queuedRan{0};
    auto captured = std::make_shared<int>(0);
    ThreadPool pool(1);
    ASSERT_TRUE(pool.Execute(blocker.Task()));
    ASSERT_TRUE(blocker.WaitStarted());
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(pool.Execute([&queuedRan, captured] { ++queuedRan; }));
    EXPECT_EQ(captured.use_count(), 6);

    pool.Shutdown();
    EXPECT_EQ(captured.use_count(), 1); // the dropped tasks are gone at once
    EXPECT_FALSE(pool.Execute([&] { ++queuedRan; }));
    // The running task holds its worker, so the pool cannot have ended yet.
    EXPECT_FALSE(pool.AwaitShutdown(0));
    EXPECT_FALSE(blocker.Finished());

    blocker.Open();
    EXPECT_TRUE(pool.AwaitShutdown(kLongWaitMs));
    EXPECT_TRUE(blocker.Finished());
    EXPECT_EQ(queuedRan, 0);
}

TEST(ThreadPool, AwaitShutdownWithoutShutdownTimesOut)
{
    ThreadPool pool(2);
    EXPECT_FALSE(pool.AwaitShutdown(5));
    pool.Shutdown();
    EXPECT_TRUE(pool.AwaitShutdown(-1));
    EXPECT_TRUE(pool.AwaitShutdown(0)); // and stays so
}

TEST(ThreadPool, AnExceptionLeavesTheWorkerAlive)
{
    std::promise<void> next;
    ThreadPool pool(1);
    ASSERT_TRUE(pool.Execute([] { throw std::runtime_error("download failed"); }));
    ASSERT_TRUE(pool.Execute([&] { next.set_value(); }));
    EXPECT_TRUE(Ready(next.get_future()));
}

TEST(ThreadPool, DestructorWaitsForTheRunningTask)
{
    Blocker blocker;
    auto pool = std::make_unique<ThreadPool>(2);
    ASSERT_TRUE(pool->Execute(blocker.Task()));
    ASSERT_TRUE(blocker.WaitStarted());
    // Whenever the gate opens, the task must have finished once the pool is gone.
    std::thread opener([&] { blocker.Open(); });
    pool.reset();
    EXPECT_TRUE(blocker.Finished());
    opener.join();
}

TEST(ThreadPool, ManyProducersAndWorkers)
{
    constexpr int kProducers = 4;
    constexpr int kTasksEach = 2000;
    std::atomic<long> sum{0};
    std::latch allDone(kProducers * kTasksEach);
    ThreadPool pool(4);
    std::vector<std::thread> producers;
    for (int p = 0; p < kProducers; ++p) {
        producers.emplace_back([&, p] {
            for (int i = 1; i <= kTasksEach; ++i) {
                const long value = long(p) * kTasksEach + i;
                EXPECT_TRUE(pool.Execute([&, value] {
                    sum += value;
                    allDone.count_down();
                }));
            }
        });
    }
    for (std::thread& t : producers)
        t.join();
    ASSERT_TRUE(Opens(allDone));
    const long n = long(kProducers) * kTasksEach;
    EXPECT_EQ(sum, n * (n + 1) / 2);
}

TEST(ThreadPool, ZeroThreadsStillGivesAWorker)
{
    std::promise<void> ran;
    ThreadPool pool(0);
    ASSERT_TRUE(pool.Execute([&] { ran.set_value(); }));
    EXPECT_TRUE(Ready(ran.get_future()));
}
