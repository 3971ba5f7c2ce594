#pragma once

#include "GEventManagerImpl.h"

// Drops announcements for its lifetime, for work that announces once at the
// end instead of at every step. Nests: the previous state comes back.
class GEventSuspender
{
public:
    explicit GEventSuspender(GEventManagerImpl& manager = GEventManagerImpl::GetInstance())
        : m_manager(manager), m_wasSuspended(manager.IsSuspended())
    {
        m_manager.SetSuspended(true);
    }
    ~GEventSuspender() { m_manager.SetSuspended(m_wasSuspended); }

    GEventSuspender(const GEventSuspender&) = delete;
    GEventSuspender& operator=(const GEventSuspender&) = delete;

private:
    GEventManagerImpl& m_manager;
    bool m_wasSuspended;
};
