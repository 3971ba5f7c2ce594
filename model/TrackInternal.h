#pragma once

#include "CalculatedData.h"
#include "TrackData.h"
#include "TrackPtNav.h"

#include <boost/signals2/signal.hpp>

#include <memory>

// The state of one segment, shared by the copies of its handle.
struct TrackInternal
{
    TrackInternal(TrackDataPtr data, int tid, int parentTid)
        : points(std::move(data))
        , navigator(std::make_shared<TrackPtNav>(*points))
        , calculated(std::make_shared<CalculatedData>(*navigator, points))
        , tid(tid)
        , parentTid(parentTid)
    {
    }

    TrackDataPtr points;
    std::shared_ptr<TrackPtNav> navigator;
    // Declared after the navigator it reads, so destroyed before it.
    std::shared_ptr<CalculatedData> calculated;
    int tid = -1;
    int parentTid = -1;
    int parentOffset = 0;
    uint64_t changes = 0;
    // Raised when the number of points or the total distance may have
    // changed at once, for the composites that number their parts' points
    // one after another and run the distance from start across them.
    boost::signals2::signal<void()> layoutChanged;
};
