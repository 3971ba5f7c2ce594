#pragma once

#include <boost/signals2/connection.hpp>
#include <boost/signals2/signal.hpp>

// Tells interested parts of the program when it starts, when its main window
// closes and when it exits. The argument of the signal is the Stage.
class AppExit
{
public:
    enum Stage { Started = 0, Closing = 1, Exiting = 2 };
    using Signal = boost::signals2::signal<void(int)>;

    static void OnStart();
    static void OnClose();
    static void OnExit();
    static Signal& GetSignal();
};
