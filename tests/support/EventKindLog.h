#pragma once

#include "GEventManagerImpl.h"

#include <boost/signals2/connection.hpp>

#include <vector>

// Records the kind of every announcement while it lives.
class EventKindLog
{
public:
    EventKindLog()
        : m_connection(GEventManagerImpl::GetInstance().Subscribe(
              GEventFilter::All(),
              [this] { kinds.push_back(GEventManagerImpl::GetInstance().GetCurrentEvent().kind); },
              GEventGroup::Views))
    {
    }

    std::vector<int> kinds;

private:
    boost::signals2::scoped_connection m_connection;
};
