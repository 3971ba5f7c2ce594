#include "PointMarkupRegistry.h"

#include <algorithm>
#include <limits>

PointMarkupRegistry& PointMarkupRegistry::Instance()
{
    static PointMarkupRegistry registry;
    return registry;
}

uint32_t PointMarkupRegistry::NextTag()
{
    const std::lock_guard lock(m_mutex);
    if (m_lastTag == std::numeric_limits<uint32_t>::max())
        return 0;
    return ++m_lastTag;
}

void PointMarkupRegistry::Register(const std::shared_ptr<const PointMarkupTable>& table)
{
    const std::lock_guard lock(m_mutex);
    std::erase_if(m_tables, [](const auto& entry) { return entry.expired(); });
    m_tables.push_back(table);
}

std::shared_ptr<const PointMarkupTable> PointMarkupRegistry::Find(uint32_t tag)
{
    const std::lock_guard lock(m_mutex);
    for (const auto& entry : m_tables) {
        std::shared_ptr<const PointMarkupTable> table = entry.lock();
        if (table && table->Covers(tag) && table->Find(tag))
            return table;
    }
    return nullptr;
}
