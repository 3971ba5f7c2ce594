#include "PointMarkupTable.h"

#include <algorithm>

void PointMarkupTable::Add(uint32_t tag, std::string_view fields, std::string_view dgps, std::string_view extensions)
{
    const auto offset = [this] { return static_cast<uint32_t>(m_text.size()); };
    Entry entry{tag, offset(), 0, 0};
    m_text += fields;
    entry.dgps = offset();
    m_text += dgps;
    entry.extensions = offset();
    m_text += extensions;
    m_entries.push_back(entry);
}

void PointMarkupTable::SetNamespaces(std::vector<std::pair<std::string, std::string>> namespaces)
{
    m_namespaces = std::move(namespaces);
}

void PointMarkupTable::Compact()
{
    m_entries.shrink_to_fit();
    m_text.shrink_to_fit();
}

bool PointMarkupTable::Covers(uint32_t tag) const
{
    return !m_entries.empty() && tag >= m_entries.front().tag && tag <= m_entries.back().tag;
}

std::optional<PointMarkup> PointMarkupTable::Find(uint32_t tag) const
{
    const auto found = std::lower_bound(m_entries.begin(), m_entries.end(), tag,
                                        [](const Entry& entry, uint32_t wanted) { return entry.tag < wanted; });
    if (found == m_entries.end() || found->tag != tag)
        return std::nullopt;
    const uint32_t end = found + 1 == m_entries.end() ? static_cast<uint32_t>(m_text.size()) : (found + 1)->begin;
    const std::string_view text(m_text);
    return PointMarkup{text.substr(found->begin, found->dgps - found->begin),
                       text.substr(found->dgps, found->extensions - found->dgps),
                       text.substr(found->extensions, end - found->extensions)};
}

size_t PointMarkupTable::GetByteSize() const
{
    return sizeof(*this) + m_entries.capacity() * sizeof(Entry) + m_text.capacity();
}
