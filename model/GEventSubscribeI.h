#pragma once

#include "GEventFilter.h"

#include <boost/signals2/connection.hpp>

#include <functional>

class GEventSubscribeI
{
public:
    virtual ~GEventSubscribeI() = default;
    // The handler is called for every announcement of a kind in the filter
    // made after this call, until the returned connection is disconnected or
    // destroyed. group is one of GEventGroup; within a group handlers are
    // called in the order they subscribed. It reads the announcement through
    // GEventStoreI.
    [[nodiscard]] virtual boost::signals2::scoped_connection Subscribe(
        const GEventFilter& filter, std::function<void()> handler, int group) = 0;
};
