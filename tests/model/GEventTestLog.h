#pragma once

#include "GEventManagerImpl.h"

#include <string>
#include <vector>

// What the handlers of a test saw, in call order.
struct GEventCall
{
    std::string who;
    int kind;
    int64_t serial;
    bool operator==(const GEventCall&) const = default;
};

class GEventTestLog
{
public:
    explicit GEventTestLog(GEventManagerImpl& manager) : m_manager(manager) {}

    // A subscriber that only writes down what it was called for.
    [[nodiscard]] boost::signals2::scoped_connection Recorder(
        const std::string& who, int group, GEventFilter filter = GEventFilter::All())
    {
        return m_manager.Subscribe(filter, [this, who] { Add(who); }, group);
    }

    void Add(const std::string& who)
    {
        const GEventInfo event = m_manager.GetCurrentEvent();
        calls.push_back({who, event.kind, event.serial});
    }

    std::vector<std::string> Who() const
    {
        std::vector<std::string> result;
        for (const auto& call : calls)
            result.push_back(call.who);
        return result;
    }

    std::vector<int> Kinds(const std::string& who) const
    {
        std::vector<int> result;
        for (const auto& call : calls)
            if (call.who == who)
                result.push_back(call.kind);
        return result;
    }

    std::vector<GEventCall> calls;

private:
    GEventManagerImpl& m_manager;
};
