#pragma once

#include <atomic>
#include <memory>

// The worker's side of a progress object.
class OperationProgressI
{
public:
    virtual ~OperationProgressI() = default;
    virtual void SetPercent(double percent) = 0;
    virtual bool IsCancelled() const = 0;
    virtual void SetStatus(int status) = 0;
};

// The side of the thread that waits for the worker.
class OperationProgressReadI
{
public:
    virtual ~OperationProgressReadI() = default;
    virtual double GetPercent() const = 0;
    virtual int GetStatus() const = 0;
    virtual void SetCancel() = 0;
};

// Shared between one worker and the user-interface thread; every member is
// atomic, so either side may call at any time. Status 0 is idle, 1 running;
// the worker ends with a final status.
class OperationProgress : public OperationProgressI, public OperationProgressReadI
{
public:
    enum { StatusIdle = 0, StatusRunning = 1 };

    void SetPercent(double percent) override { m_percent.store(percent, std::memory_order_relaxed); }
    bool IsCancelled() const override { return m_cancelled.load(std::memory_order_relaxed); }
    void SetStatus(int status) override { m_status.store(status, std::memory_order_release); }

    double GetPercent() const override { return m_percent.load(std::memory_order_relaxed); }
    int GetStatus() const override { return m_status.load(std::memory_order_acquire); }
    void SetCancel() override { m_cancelled.store(true, std::memory_order_relaxed); }

    void Reset()
    {
        m_percent = 0.0;
        m_cancelled = false;
        m_status = StatusIdle;
    }

private:
    std::atomic<double> m_percent{0.0};
    std::atomic<bool> m_cancelled{false};
    std::atomic<int> m_status{StatusIdle};
};

using OperationProgressPtr = std::shared_ptr<OperationProgressI>;
