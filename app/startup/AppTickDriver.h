#pragma once

#include <QElapsedTimer>
#include <QTimer>

#include <functional>

// Drives the application tick from the event loop: a precise timer on the
// user-interface thread raises AppTick about every 20 ms, and backs off while
// the main window is minimised so that a hidden program costs little.
class AppTickDriver
{
public:
    static constexpr int kPeriodMs = 20;

    // Milliseconds to wait before the next tick, given how long this tick
    // took and whether the window is minimised.
    static int NextDelay(bool minimised, qint64 tickMs);

    explicit AppTickDriver(std::function<bool()> isMinimised);

    void Start();
    void Stop();

private:
    void Tick();

    std::function<bool()> m_isMinimised;
    QTimer m_timer;
};
