#include "HistogramBins.h"

#include <algorithm>

HistogramBins HistogramBins::Compute(const std::vector<double>& values, int bins)
{
    HistogramBins out;
    if (values.empty() || bins < 1)
        return out;
    out.top = std::clamp(values.back(), 1.0, 200.0);
    out.width = out.top / bins;
    out.counts.assign(static_cast<size_t>(bins), 0);
    // Walked from the top down, so the list is read once.
    int k = 0;
    double lower = out.top - out.width;
    for (auto it = values.rbegin(); it != values.rend(); ++it) {
        while (*it < lower && k < bins - 1) {
            ++k;
            lower = out.top - (k + 1) * out.width;
        }
        ++out.counts[static_cast<size_t>(k)];
    }
    std::reverse(out.counts.begin(), out.counts.end());
    // Over every bin, the lowest included, so the tallest bar always fits.
    out.largest = *std::max_element(out.counts.begin(), out.counts.end());
    return out;
}
