#pragma once

#include "TrackTreeChangesI.h"

#include <cstdint>
#include <utility>

struct GEventInfo
{
    int kind = -1;
    int64_t serial = -1;
};

// The announcement being delivered, read by its handlers. Outside a handler
// there is none: kind and serial are -1 and there is no payload.
class GEventStoreI
{
public:
    virtual ~GEventStoreI() = default;
    virtual GEventInfo GetCurrentEvent() const = 0;
    // Null when the announcement carries no record.
    virtual TrackTreeChangesPtr GetTreeChanges() const = 0;
    // -1 when the announcement carries no integer.
    virtual int GetInt() const = 0;
    // (-1, -1) when the announcement carries no pair.
    virtual std::pair<int, int> GetPair() const = 0;
};
