#pragma once

#include "LocalRecord.h"

#include <vector>

// How a record X at position i is judged: P = i - before, N = i + after, and
// the curve runs through i - outerBefore, P, N and i + outerAfter.
struct NeighbourPattern
{
    int outerBefore;
    int before;
    int after;
    int outerAfter;
};

// The measure both local scorings combine: how much the detour P -> X -> N
// exceeds the path that the curve through the neighbours expects, in per
// mille. 0 for a record on the expected path, 1000 for one far off it.
class NeighbourTest
{
public:
    static constexpr int NoValue = -1;
    // A neighbourhood too small to judge by.
    static constexpr int DegenerateScore = 500;

    // NoValue when the pattern reaches past either end of the records.
    static int Evaluate(const std::vector<LocalRecord>& records, int i, const NeighbourPattern& pattern);
};
