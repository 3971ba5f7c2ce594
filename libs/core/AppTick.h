#pragma once

#include <boost/signals2/connection.hpp>
#include <boost/signals2/signal.hpp>

#include <functional>

// The application tick: a process-wide signal without arguments, raised on
// the user-interface thread about every 20 ms by the event loop. Pollers (the
// opening queue, deferred recalculation, status-bar progress) hang on it.
class AppTick
{
public:
    static AppTick& GetInstance();

    // The subscription lasts as long as the returned connection.
    [[nodiscard]] boost::signals2::scoped_connection Subscribe(std::function<void()> slot);
    // Called by whatever drives the tick: the event loop, or a test.
    void Raise();
    // How many times the tick has been raised; lets pollers tell ticks apart.
    unsigned long long GetCount() const { return m_count; }

private:
    boost::signals2::signal<void()> m_signal;
    unsigned long long m_count = 0;
};
