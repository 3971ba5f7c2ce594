#pragma once

#include "GEventNotifyI.h"

// The announcements of a model that nobody watches: the private model in
// which one file is cleaned on a worker thread, away from the process-wide
// event manager, which belongs to the user-interface thread.
class DiscardedEvents : public GEventNotifyI
{
public:
    void Notify(int) override {}
    void NotifyTreeChanged(TrackTreeChangesPtr) override {}
    void NotifyInt(int) override {}
    void NotifyPair(int, int, int) override {}
};
