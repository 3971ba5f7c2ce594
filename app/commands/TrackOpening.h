#pragma once

#include "TrackOpenQueueImpl.h"

#include <boost/signals2/connection.hpp>

#include <vector>

class MainFrame;

// Connects the window to the opening queue: files named on the command line,
// handed over by a second instance or chosen by the user go to the queue;
// loaded files enter the open tracks; failures are asked about in a dialog;
// the status bar follows the queue on every tick.
class TrackOpening
{
public:
    // interactive: failures are asked about; otherwise (an unattended run)
    // their text goes to stderr and the file is skipped.
    TrackOpening(MainFrame& frame, bool interactive);
    ~TrackOpening();

    bool IsIdle() const;
    int GetFailureCount() const { return m_failures; }

private:
    void ShowProgress();

    MainFrame& m_frame;
    int m_failures = 0;
    // The files opened since the queue was last idle.
    std::vector<int> m_openedTogether;
    boost::signals2::scoped_connection m_opened;
    boost::signals2::scoped_connection m_skipped;
    boost::signals2::scoped_connection m_tick;
};
