#include "TrackPtNavX.h"

#include <algorithm>

void TrackPtNavX::Clear()
{
    m_parts.clear();
    m_count = 0;
}

void TrackPtNavX::AddPart(const TrackPtNavI& part)
{
    m_parts.push_back({&part, m_count});
    m_count += part.GetCount();
}

void TrackPtNavX::UpdateStarts()
{
    m_count = 0;
    for (Part& part : m_parts) {
        part.start = m_count;
        m_count += part.navigator->GetCount();
    }
}

int TrackPtNavX::FindPart(int index) const
{
    if (index < 0 || index >= m_count)
        return -1;
    // The last part starting at or before index; empty parts before it share
    // its start and are skipped.
    const auto after = std::upper_bound(m_parts.begin(), m_parts.end(), index,
                                        [](int i, const Part& part) { return i < part.start; });
    return static_cast<int>(after - m_parts.begin()) - 1;
}

int TrackPtNavX::GetFirstValid() const
{
    for (const Part& part : m_parts) {
        const int first = part.navigator->GetFirstValid();
        if (first >= 0)
            return part.start + first;
    }
    return -1;
}

int TrackPtNavX::GetLastValid() const
{
    for (auto part = m_parts.rbegin(); part != m_parts.rend(); ++part) {
        const int last = part->navigator->GetLastValid();
        if (last >= 0)
            return part->start + last;
    }
    return -1;
}

// A part asked with an index before its first point searches from its start,
// one with an index beyond its end from its last point; so each part can be
// asked with the index less its start.
int TrackPtNavX::GetNext(int index, int mode) const
{
    if (m_count == 0 || index >= m_count - 1)
        return -1;
    if (mode == ModeAll)
        return std::max(index, -1) + 1;
    for (int part = index < 0 ? 0 : FindPart(index); part < static_cast<int>(m_parts.size()); ++part) {
        const Part& p = m_parts[static_cast<size_t>(part)];
        const int next = p.navigator->GetNext(index - p.start, mode);
        if (next >= 0)
            return p.start + next;
    }
    return -1;
}

int TrackPtNavX::GetPrev(int index, int mode) const
{
    if (m_count == 0 || index <= 0)
        return -1;
    if (mode == ModeAll)
        return std::min(index, m_count) - 1;
    for (int part = index >= m_count ? static_cast<int>(m_parts.size()) - 1 : FindPart(index); part >= 0; --part) {
        const Part& p = m_parts[static_cast<size_t>(part)];
        const int prev = p.navigator->GetPrev(index - p.start, mode);
        if (prev >= 0)
            return p.start + prev;
    }
    return -1;
}

int TrackPtNavX::GetValidOrdinal(int index) const
{
    int before = 0;
    int found = -1;
    for (const Part& part : m_parts) {
        const int end = part.start + part.navigator->GetCount();
        if (found < 0 && index < end) {
            const int ordinal = part.navigator->GetValidOrdinal(std::max(index - part.start, 0));
            // A part without valid points sends the search on to the next.
            found = before + std::max(ordinal, 0);
        }
        before += part.navigator->GetValidCount();
    }
    if (before == 0)
        return -1;
    return found < 0 ? before : found;
}

int TrackPtNavX::GetValidIndex(int ordinal) const
{
    if (ordinal < 0)
        return -1;
    for (const Part& part : m_parts) {
        const int valid = part.navigator->GetValidCount();
        if (ordinal < valid)
            return part.start + part.navigator->GetValidIndex(ordinal);
        ordinal -= valid;
    }
    return -1;
}

int TrackPtNavX::GetValidCount() const
{
    int count = 0;
    for (const Part& part : m_parts)
        count += part.navigator->GetValidCount();
    return count;
}

int TrackPtNavX::GetFilteredCount() const
{
    int count = 0;
    for (const Part& part : m_parts)
        count += part.navigator->GetFilteredCount();
    return count;
}

void TrackPtNavX::GetValidIndices(std::vector<int>& out) const
{
    Collect(out, true);
}

void TrackPtNavX::GetFilteredIndices(std::vector<int>& out) const
{
    Collect(out, false);
}

void TrackPtNavX::Collect(std::vector<int>& out, bool valid) const
{
    out.clear();
    std::vector<int> local;
    for (const Part& part : m_parts) {
        if (valid)
            part.navigator->GetValidIndices(local);
        else
            part.navigator->GetFilteredIndices(local);
        for (const int index : local)
            out.push_back(part.start + index);
    }
}
