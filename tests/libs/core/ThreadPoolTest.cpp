#include "ThreadPool.h"

#include <atomic>
#include <future>
#include <latch>
#include <memory>
#include <stdexcept>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace {

constexpr int kLongWaitMs = 10000; // only ever waited in full when broken

// A task that reports that it has started and then holds its worker until
// the test opens the gate.
class Blocker
{
public:
    std::function<void()> Task()
    {
        return [this] {
            m_started.set_value();
            m_gate.wait();
            m_finished = true;
        };
    }
    void WaitStarted() { m_started.get_future().wait(); }
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
    ThreadPool pool(3);
    constexpr int kTasks = 50;
    std::atomic<int> done{0};
    std::latch allDone(kTasks);
    for (int i = 0; i < kTasks; ++i) {
        ASSERT_TRUE(pool.Execute([&] {
            ++done;
            allDone.count_down();
        }));
    }
    allDone.wait();
    EXPECT_EQ(done, kTasks);
}

TEST(ThreadPool, TasksRunOnSeveralWorkersAtOnce)
{
    // Three tasks that each wait for all three to have started can only
    // finish when three workers run them together.
    ThreadPool pool(3);
    std::latch together(3);
    std::latch finished(3);
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(pool.Execute([&] {
            together.arrive_and_wait();
            finished.count_down();
        }));
    }
    finished.wait();
}

TEST(ThreadPool, FullQueueRefusesTasks)
{
    Blocker blocker; // outlives the pool that runs its task
    ThreadPool pool(1);
    pool.SetMaxQueueSize(2);
    ASSERT_TRUE(pool.Execute(blocker.Task()));
    blocker.WaitStarted(); // the worker is busy, the queue is empty

    std::latch queuedDone(2);
    EXPECT_TRUE(pool.Execute([&] { queuedDone.count_down(); }));
    EXPECT_TRUE(pool.Execute([&] { queuedDone.count_down(); }));
    bool refusedRan = false;
    EXPECT_FALSE(pool.Execute([&] { refusedRan = true; }));

    blocker.Open();
    queuedDone.wait();
    // Room again once the queue has drained.
    std::promise<void> later;
    EXPECT_TRUE(pool.Execute([&] { later.set_value(); }));
    later.get_future().wait();
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
    blocker.WaitStarted();
    for (int i = 0; i < 100; ++i)
        EXPECT_TRUE(pool.Execute([] {}));
    blocker.Open();
}

TEST(ThreadPool, ShutdownDropsQueuedTasksAndLetsRunningOnesFinish)
{
    Blocker blocker;
    ThreadPool pool(1);
    ASSERT_TRUE(pool.Execute(blocker.Task()));
    blocker.WaitStarted();
    std::atomic<int> queuedRan{0};
    auto captured = std::make_shared<int>(0);
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
    ThreadPool pool(1);
    ASSERT_TRUE(pool.Execute([] { throw std::runtime_error("download failed"); }));
    std::promise<void> next;
    ASSERT_TRUE(pool.Execute([&] { next.set_value(); }));
    next.get_future().wait();
}

TEST(ThreadPool, DestructorWaitsForTheRunningTask)
{
    Blocker blocker;
    auto pool = std::make_unique<ThreadPool>(2);
    ASSERT_TRUE(pool->Execute(blocker.Task()));
    blocker.WaitStarted();
    // Whenever the gate opens, the task must have finished once the pool is gone.
    std::thread opener([&] { blocker.Open(); });
    pool.reset();
    EXPECT_TRUE(blocker.Finished());
    opener.join();
}

TEST(ThreadPool, ManyProducersAndWorkers)
{
    ThreadPool pool(4);
    constexpr int kProducers = 4;
    constexpr int kTasksEach = 2000;
    std::atomic<long> sum{0};
    std::latch allDone(kProducers * kTasksEach);
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
    allDone.wait();
    const long n = long(kProducers) * kTasksEach;
    EXPECT_EQ(sum, n * (n + 1) / 2);
}

TEST(ThreadPool, ZeroThreadsStillGivesAWorker)
{
    ThreadPool pool(0);
    std::promise<void> ran;
    ASSERT_TRUE(pool.Execute([&] { ran.set_value(); }));
    ran.get_future().wait();
}
