#pragma once

#include "TrackTreeChangesI.h"

// Announcing a change. An announcement made while another is being
// delivered is queued and delivered after it.
class GEventNotifyI
{
public:
    virtual ~GEventNotifyI() = default;
    virtual void Notify(int kind) = 0;
    // Kind 0 with its record of added, removed and changed nodes.
    virtual void NotifyTreeChanged(TrackTreeChangesPtr changes) = 0;
    // Kind 1 with a file's tid.
    virtual void NotifyInt(int value) = 0;
    // Kinds 8 and 9 with (tid, point index).
    virtual void NotifyPair(int kind, int first, int second) = 0;
};
