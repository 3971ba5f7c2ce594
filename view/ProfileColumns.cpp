#include "ProfileColumns.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ProfileColumns {

namespace {

// The last value before stop that is a number; the column has one.
float LastValue(const std::vector<float>& values, size_t stop, float fallback)
{
    while (stop > 0 && std::isnan(values[stop - 1]))
        --stop;
    return stop > 0 ? values[stop - 1] : fallback;
}

} // namespace

int ColumnOf(double x, double from, double to, int width)
{
    return static_cast<int>(std::floor((x - from) * (width / (to - from))));
}

std::vector<ProfileColumn> Build(const std::vector<double>& xs, const std::vector<float>& values,
                                 const std::vector<uint8_t>& breakBefore, double from, double to, int width)
{
    constexpr float Nan = std::numeric_limits<float>::quiet_NaN();
    std::vector<ProfileColumn> columns(static_cast<size_t>(std::max(width, 0)), ProfileColumn{Nan, Nan, Nan, Nan, false});
    if (width <= 0 || !(to > from))
        return columns;
    const auto begin = std::lower_bound(xs.begin(), xs.end(), from);
    const auto end = std::upper_bound(begin, xs.end(), to);
    const size_t first = static_cast<size_t>(begin - xs.begin());
    size_t i = first;
    // Each column's end is found by a binary search over the rising x, so
    // the samples are only compared by value, never divided.
    for (int c = 0; c < width && i < static_cast<size_t>(end - xs.begin()); ++c) {
        const auto columnEnd = c == width - 1 ? end
                                              : std::partition_point(xs.begin() + static_cast<std::ptrdiff_t>(i), end,
                                                                     [&](double x) { return ColumnOf(x, from, to, width) <= c; });
        const size_t stop = static_cast<size_t>(columnEnd - xs.begin());
        ProfileColumn& column = columns[static_cast<size_t>(c)];
        // Up to the first value of the column, then every further one:
        // std::min and std::max keep what they have against a NaN.
        for (; i < stop && std::isnan(values[i]); ++i) {
        }
        if (i < stop) {
            // The line runs on from the sample before when that was drawn.
            const bool previousDrawn = i > first && !std::isnan(values[i - 1]);
            float low = values[i];
            float high = values[i];
            column.first = values[i];
            column.joinsPrevious = previousDrawn && !breakBefore[i];
            for (++i; i < stop; ++i) {
                low = std::min(low, values[i]);
                high = std::max(high, values[i]);
            }
            column.min = low;
            column.max = high;
        }
        if (!column.IsEmpty())
            column.last = LastValue(values, i, column.first);
    }
    return columns;
}

} // namespace ProfileColumns
