#pragma once

#include "Filter.h"
#include "TrackI.h"

// Runs a filter function over a track through the sliding window and marks
// what it rejects.
class FilterManager
{
public:
    // Writes the reason keys into the rejected points in index order and,
    // when there were any, refreshes the track once. Returns their number.
    static int ApplyFilter(const Filter::Function& filter, const TrackPtr& track);
};
