#include "TrackData.h"

#include "PagePrefault.h"
#include "PointMarkupRegistry.h"

#include <algorithm>

void TrackData::Compact()
{
    if (m_points.capacity() == m_points.size())
        return;
    std::vector<TrackPoint> tight;
    tight.reserve(m_points.size());
    // The copy writes every page of the new block.
    PopulatePages(tight.data(), tight.capacity() * sizeof(TrackPoint));
    tight.assign(m_points.begin(), m_points.end());
    m_points.swap(tight);
}

void TrackData::InsertPoints(int index, const std::vector<TrackPoint>& points)
{
    m_points.insert(m_points.begin() + index, points.begin(), points.end());
    AdoptMarkup(static_cast<size_t>(index), static_cast<size_t>(index) + points.size());
}

void TrackData::AddMarkupTable(std::shared_ptr<const PointMarkupTable> table)
{
    if (table && std::find(m_markup.begin(), m_markup.end(), table) == m_markup.end())
        m_markup.push_back(std::move(table));
}

std::optional<PointMarkup> TrackData::FindMarkup(uint32_t tag) const
{
    if (tag == 0)
        return std::nullopt;
    for (const auto& table : m_markup) {
        if (table->Covers(tag)) {
            if (std::optional<PointMarkup> found = table->Find(tag))
                return found;
        }
    }
    return std::nullopt;
}

void TrackData::AdoptMarkup(size_t begin, size_t end)
{
    for (size_t i = begin; i < end; ++i) {
        const uint32_t tag = m_points[i].GetMarkupTag();
        if (tag == 0 || FindMarkup(tag))
            continue;
        // A table freed with its last array takes its markup along; the tag
        // then names nothing.
        AddMarkupTable(PointMarkupRegistry::Instance().Find(tag));
    }
}
