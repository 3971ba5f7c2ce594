#include "TrackLodCache.h"

#include "OpenTracksModel.h"
#include "TrackI.h"

const TrackLineLod& TrackLodCache::Get(const TrackI& segment)
{
    Entry& entry = m_entries[segment.GetTid()];
    const void* navigator = &segment.GetPtNav();
    if (!entry.lines || entry.navigator != navigator || entry.lines->IsStaleFor(segment)) {
        entry.lines = std::make_unique<TrackLineLod>(segment);
        entry.navigator = navigator;
        entry.values.reset();
    }
    return *entry.lines;
}

const PieceValueTable& TrackLodCache::GetValues(const TrackI& segment, PaletteParameter::Id parameter,
                                                PaletteParameter::Aggregate aggregate)
{
    const TrackLineLod& lines = Get(segment);
    Entry& entry = m_entries[segment.GetTid()];
    if (!entry.values || !entry.values->IsFor(parameter, aggregate))
        entry.values = std::make_unique<PieceValueTable>(segment, lines.GetValidIndices(), parameter, aggregate);
    return *entry.values;
}

void TrackLodCache::DropClosed(const OpenTracksModel& model)
{
    std::erase_if(m_entries, [&model](const auto& entry) { return !model.GetTrack(entry.first); });
}

size_t TrackLodCache::GetMemoryBytes() const
{
    size_t bytes = 0;
    for (const auto& [tid, entry] : m_entries)
        bytes += entry.lines->GetMemoryBytes() + (entry.values ? entry.values->GetMemoryBytes() : 0);
    return bytes;
}
