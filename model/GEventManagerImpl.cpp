#include "GEventManagerImpl.h"

#include "OblException.h"
#include "ProcessSingleton.h"
#include "TrackTreeEventDataImpl.h"

#include <utility>

namespace {
// Payloads are erased once delivered, so outside a delivery nothing is found.
template <class Map, class Value>
Value PayloadOr(const Map& table, int64_t serial, Value none)
{
    const auto it = table.find(serial);
    return it == table.end() ? none : it->second;
}
} // namespace

GEventManagerImpl& GEventManagerImpl::GetInstance()
{
    return ProcessSingleton<GEventManagerImpl>::Instance();
}

void GEventManagerImpl::Notify(int kind)
{
    if (m_suspended)
        return;
    m_queue.push_back(kind);
    ++m_nextSerial;
    if (!m_delivering)
        DeliverQueue();
}

// The payload is stored only when the announcement will be queued: a payload
// left behind by a dropped announcement would be read by the next one, which
// takes the same serial number.
void GEventManagerImpl::NotifyTreeChanged(TrackTreeChangesPtr changes)
{
    if (m_suspended)
        return;
    // Handlers of a tree change may rely on having a record.
    if (!changes)
        changes = std::make_shared<TrackTreeEventDataImpl>();
    m_treeChanges[m_nextSerial] = std::move(changes);
    Notify(GEventKind::TreeChanged);
}

void GEventManagerImpl::NotifyInt(int value)
{
    if (m_suspended)
        return;
    m_ints[m_nextSerial] = value;
    Notify(GEventKind::FileAttrChanged);
}

void GEventManagerImpl::NotifyPair(int kind, int first, int second)
{
    if (m_suspended)
        return;
    m_pairs[m_nextSerial] = {first, second};
    Notify(kind);
}

boost::signals2::scoped_connection GEventManagerImpl::Subscribe(
    const GEventFilter& filter, std::function<void()> handler, int group)
{
    if (group < GEventGroup::Views || group > GEventGroup::State)
        OBL_THROW(QStringLiteral("Unknown event group %1.").arg(group));
    if (!handler)
        OBL_THROW(QStringLiteral("Empty event handler."));
    // Announcements already queued were made before this subscription, so
    // the new handler does not take part in them.
    const int64_t firstSerial = m_nextSerial;
    auto slot = [this, filter, firstSerial, handler = std::move(handler)](int kind, int64_t serial) {
        if (serial < firstSerial || !filter.Contains(kind))
            return;
        try {
            handler();
        } catch (...) {
            KeepFirstError(std::current_exception());
        }
    };
    return m_groups[group - 1].connect(std::move(slot));
}

GEventInfo GEventManagerImpl::GetCurrentEvent() const
{
    if (!m_delivering)
        return {};
    return {m_queue.front(), m_currentSerial};
}

TrackTreeChangesPtr GEventManagerImpl::GetTreeChanges() const
{
    return PayloadOr(m_treeChanges, m_currentSerial, TrackTreeChangesPtr());
}

int GEventManagerImpl::GetInt() const
{
    return PayloadOr(m_ints, m_currentSerial, -1);
}

std::pair<int, int> GEventManagerImpl::GetPair() const
{
    return PayloadOr(m_pairs, m_currentSerial, std::pair(-1, -1));
}

void GEventManagerImpl::DeliverQueue()
{
    struct DeliveringFlag
    {
        bool& flag;
        explicit DeliveringFlag(bool& f) : flag(f) { flag = true; }
        ~DeliveringFlag() { flag = false; }
    };
    {
        const DeliveringFlag delivering(m_delivering);
        while (m_currentSerial < m_nextSerial) {
            DeliverEntry(m_queue.front(), m_currentSerial);
            ForgetPayloads(m_currentSerial);
            m_queue.pop_front();
            ++m_currentSerial;
        }
    }
    if (m_firstError)
        std::rethrow_exception(std::exchange(m_firstError, nullptr));
}

void GEventManagerImpl::DeliverEntry(int kind, int64_t serial)
{
    for (int group = GEventGroup::State; group >= GEventGroup::Views; --group)
        m_groups[group - 1](kind, serial);
}

void GEventManagerImpl::ForgetPayloads(int64_t serial)
{
    m_treeChanges.erase(serial);
    m_ints.erase(serial);
    m_pairs.erase(serial);
}

void GEventManagerImpl::KeepFirstError(std::exception_ptr error)
{
    if (!m_firstError)
        m_firstError = std::move(error);
}
