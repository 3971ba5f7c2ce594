#include "SegmentChange.h"

#include <algorithm>
#include <utility>

namespace {

bool DiffersInStatusOnly(const TrackPoint& before, const TrackPoint& now)
{
    TrackPoint same = before;
    same.GetStatus() = now.GetStatus();
    return same == now;
}

} // namespace

std::optional<SegmentChange> SegmentChange::Between(const std::vector<TrackPoint>& before,
                                                    const std::vector<TrackPoint>& now)
{
    if (before.size() != now.size())
        return Stretch(before, now);
    SegmentChange change;
    bool statusesOnly = true;
    for (size_t i = 0; i < now.size(); ++i) {
        if (before[i] == now[i])
            continue;
        change.m_indices.push_back(static_cast<uint32_t>(i));
        statusesOnly = statusesOnly && DiffersInStatusOnly(before[i], now[i]);
    }
    if (change.m_indices.empty())
        return std::nullopt;
    change.m_indices.shrink_to_fit();
    if (statusesOnly) {
        for (const uint32_t i : change.m_indices)
            change.m_statuses.push_back(before[i].GetStatus());
        return change;
    }
    // Scattered points keep their indices; a run of changed points (a time
    // shift moves them all) is cheaper as one stretch.
    const size_t span = change.m_indices.back() - change.m_indices.front() + 1;
    if (change.m_indices.size() * (sizeof(TrackPoint) + sizeof(uint32_t)) >= span * sizeof(TrackPoint))
        return Stretch(before, now);
    change.m_kind = Kind::Points;
    for (const uint32_t i : change.m_indices)
        change.m_points.push_back(before[i]);
    return change;
}

std::optional<SegmentChange> SegmentChange::Between(const std::vector<TrackPointStatus>& before,
                                                    const std::vector<TrackPoint>& now)
{
    SegmentChange change;
    for (size_t i = 0; i < now.size(); ++i) {
        if (before[i] == now[i].GetStatus())
            continue;
        change.m_indices.push_back(static_cast<uint32_t>(i));
        change.m_statuses.push_back(before[i]);
    }
    if (change.m_indices.empty())
        return std::nullopt;
    change.m_indices.shrink_to_fit();
    change.m_statuses.shrink_to_fit();
    return change;
}

SegmentChange SegmentChange::Stretch(const std::vector<TrackPoint>& before, const std::vector<TrackPoint>& now)
{
    const size_t shorter = std::min(before.size(), now.size());
    size_t head = 0;
    while (head < shorter && before[head] == now[head])
        ++head;
    size_t tail = 0;
    while (tail < shorter - head && before[before.size() - 1 - tail] == now[now.size() - 1 - tail])
        ++tail;
    SegmentChange change;
    change.m_kind = Kind::Stretch;
    change.m_start = head;
    change.m_liveLength = now.size() - head - tail;
    change.m_points.assign(before.begin() + static_cast<std::ptrdiff_t>(head),
                           before.end() - static_cast<std::ptrdiff_t>(tail));
    return change;
}

void SegmentChange::Swap(std::vector<TrackPoint>& points)
{
    switch (m_kind) {
    case Kind::Statuses:
        for (size_t k = 0; k < m_indices.size(); ++k)
            std::swap(points[m_indices[k]].GetStatus(), m_statuses[k]);
        return;
    case Kind::Points:
        for (size_t k = 0; k < m_indices.size(); ++k)
            std::swap(points[m_indices[k]], m_points[k]);
        return;
    case Kind::Stretch: {
        const auto first = points.begin() + static_cast<std::ptrdiff_t>(m_start);
        const auto last = first + static_cast<std::ptrdiff_t>(m_liveLength);
        if (m_liveLength == m_points.size()) {
            std::swap_ranges(first, last, m_points.begin());
            return;
        }
        std::vector<TrackPoint> live(std::make_move_iterator(first), std::make_move_iterator(last));
        const auto at = points.erase(first, last);
        points.insert(at, std::make_move_iterator(m_points.begin()), std::make_move_iterator(m_points.end()));
        m_liveLength = m_points.size();
        m_points = std::move(live);
        return;
    }
    }
}

size_t SegmentChange::GetBytes() const
{
    return sizeof(*this) + m_indices.capacity() * sizeof(uint32_t) + m_statuses.capacity() * sizeof(TrackPointStatus)
        + m_points.capacity() * sizeof(TrackPoint);
}
