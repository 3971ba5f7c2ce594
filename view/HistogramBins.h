#pragma once

#include <vector>

// The distribution of a value list over equal bins from 0 to the top of the
// range, bin 0 lowest.
struct HistogramBins
{
    std::vector<int> counts;
    double top = 0.0;
    double width = 0.0;
    int largest = 0;

    // values in ascending order. Empty without values or bins. The top is
    // the largest value held to [1, 200]: anything above lands in the top
    // bin, anything at or below zero in the lowest.
    static HistogramBins Compute(const std::vector<double>& values, int bins);
};
