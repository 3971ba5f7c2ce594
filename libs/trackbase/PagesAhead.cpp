#include "PagesAhead.h"

#include "PagePrefault.h"

#include <algorithm>

namespace {

constexpr uintptr_t StretchBytes = 256 << 10;

} // namespace

void PagesAhead::Before(const void* block, size_t endBytes, size_t capacityBytes)
{
    const auto start = reinterpret_cast<uintptr_t>(block);
    if (start != m_block) {
        m_block = start;
        m_mappedTo = start;
    }
    const uintptr_t end = start + endBytes;
    if (end <= m_mappedTo)
        return;
    const uintptr_t to = std::min(start + capacityBytes, end + StretchBytes);
    if (to > m_mappedTo)
        PopulatePages(reinterpret_cast<void*>(m_mappedTo), to - m_mappedTo);
    m_mappedTo = std::max(m_mappedTo, to);
}

void PagesAhead::GiveBackAfter(const void* block, size_t endBytes)
{
    const auto end = reinterpret_cast<uintptr_t>(block) + endBytes;
    if (reinterpret_cast<uintptr_t>(block) != m_block || end >= m_mappedTo)
        return;
    ReleasePages(reinterpret_cast<void*>(end), m_mappedTo - end);
    m_mappedTo = end;
}
