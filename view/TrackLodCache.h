#pragma once

#include "PaletteParameter.h"
#include "PieceValueTable.h"
#include "TrackLineLod.h"

#include <memory>
#include <unordered_map>

class OpenTracksModel;

// The simplified lines of the segments a map draws, kept from frame to
// frame: a segment's are rebuilt when its points change and dropped when it
// is no longer open.
class TrackLodCache
{
public:
    const TrackLineLod& Get(const TrackI& segment);
    // The values that colour the segment's pieces by a parameter.
    const PieceValueTable& GetValues(const TrackI& segment, PaletteParameter::Id parameter,
                                     PaletteParameter::Aggregate aggregate);
    void DropClosed(const OpenTracksModel& model);
    size_t GetMemoryBytes() const;

private:
    struct Entry
    {
        // The points' owner; a segment closed and another opened under the
        // same number must not inherit its lines.
        const void* navigator;
        std::unique_ptr<TrackLineLod> lines;
        // Built with lines: dropped whenever they are.
        std::unique_ptr<PieceValueTable> values;
    };
    std::unordered_map<int, Entry> m_entries;
};
