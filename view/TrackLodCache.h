#pragma once

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
    void DropClosed(const OpenTracksModel& model);
    size_t GetMemoryBytes() const;

private:
    struct Entry
    {
        // The points' owner; a segment closed and another opened under the
        // same number must not inherit its lines.
        const void* navigator;
        std::unique_ptr<TrackLineLod> lines;
    };
    std::unordered_map<int, Entry> m_entries;
};
