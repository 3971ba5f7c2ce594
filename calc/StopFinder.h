#pragma once

#include "LocalRecord.h"

#include <vector>

// Finds where the receiver stood still: runs of consecutive records that
// stay within a few metres of one place for a while. Receivers scatter
// their fixes around a standing position, so a stop shows as a cluster of
// short random steps rather than as one repeated position.
class StopFinder
{
public:
    // Positions in the record list, first to last inclusive; middle is the
    // record nearest the stop's median position.
    struct Stop
    {
        int first = 0;
        int last = 0;
        int middle = 0;
    };

    static constexpr double RadiusKm = 0.003;
    static constexpr double MinSeconds = 10.0;
    static constexpr int MinRecords = 3;

    // The stops in order; they never overlap.
    static std::vector<Stop> Find(const std::vector<LocalRecord>& records);
};
