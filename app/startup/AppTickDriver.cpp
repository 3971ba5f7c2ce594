#include "AppTickDriver.h"

#include "AppTick.h"

#include <algorithm>

int AppTickDriver::NextDelay(bool minimised, qint64 tickMs)
{
    if (minimised)
        return static_cast<int>(std::clamp<qint64>(2 * tickMs, 1, 100));
    // Keep ticks kPeriodMs apart from start to start; a slow tick is followed
    // at once.
    return static_cast<int>(std::max<qint64>(0, kPeriodMs - tickMs));
}

AppTickDriver::AppTickDriver(std::function<bool()> isMinimised)
    : m_isMinimised(std::move(isMinimised))
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setSingleShot(true);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { Tick(); });
}

void AppTickDriver::Start()
{
    m_timer.start(kPeriodMs);
}

void AppTickDriver::Stop()
{
    m_timer.stop();
}

void AppTickDriver::Tick()
{
    QElapsedTimer clock;
    clock.start();
    AppTick::GetInstance().Raise();
    const bool minimised = m_isMinimised && m_isMinimised();
    m_timer.start(NextDelay(minimised, clock.elapsed()));
}
