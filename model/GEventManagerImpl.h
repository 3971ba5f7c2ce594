#pragma once

#include "GEventNotifyI.h"
#include "GEventStoreI.h"
#include "GEventSubscribeI.h"

#include <boost/signals2/signal.hpp>

#include <array>
#include <deque>
#include <exception>
#include <unordered_map>

// The change-event manager: queues announcements by serial number and
// delivers them one at a time, to group 3, then 2, then 1. Everything runs
// on the user-interface thread.
//
// Delivery is a loop in the announcement that found the manager idle; an
// announcement made by a handler only joins the queue, so chains of
// announcements never deepen the stack. A handler that throws does not stop
// the others: the announcement still reaches every subscriber, the queue is
// drained, and then the first exception is rethrown to the announcer that
// started the delivery.
class GEventManagerImpl : public GEventNotifyI, public GEventSubscribeI, public GEventStoreI
{
public:
    // The process-wide manager, made on first use; reaching it after it was
    // destroyed at exit is fatal.
    static GEventManagerImpl& GetInstance();

    void Notify(int kind) override;
    void NotifyTreeChanged(TrackTreeChangesPtr changes) override;
    void NotifyInt(int value) override;
    void NotifyPair(int kind, int first, int second) override;

    // Throws OblException for a group other than 1, 2, 3 or an empty handler.
    [[nodiscard]] boost::signals2::scoped_connection Subscribe(
        const GEventFilter& filter, std::function<void()> handler, int group) override;

    GEventInfo GetCurrentEvent() const override;
    TrackTreeChangesPtr GetTreeChanges() const override;
    int GetInt() const override;
    std::pair<int, int> GetPair() const override;

    // While suspended, announcements (with their payloads) are dropped;
    // what was queued before is still delivered.
    void SetSuspended(bool suspended) { m_suspended = suspended; }
    bool IsSuspended() const { return m_suspended; }
    bool IsDelivering() const { return m_delivering; }

private:
    using GroupSignal = boost::signals2::signal<void(int kind, int64_t serial)>;

    void DeliverQueue();
    void DeliverEntry(int kind, int64_t serial);
    void ForgetPayloads(int64_t serial);
    void KeepFirstError(std::exception_ptr error);

    std::array<GroupSignal, 3> m_groups;
    bool m_delivering = false;
    int64_t m_nextSerial = 0;
    int64_t m_currentSerial = 0;
    // Kinds of the serials m_currentSerial .. m_nextSerial - 1.
    std::deque<int> m_queue;
    // Payloads live only until their announcement has been delivered.
    std::unordered_map<int64_t, TrackTreeChangesPtr> m_treeChanges;
    std::unordered_map<int64_t, int> m_ints;
    std::unordered_map<int64_t, std::pair<int, int>> m_pairs;
    bool m_suspended = false;
    std::exception_ptr m_firstError;
};
