#include "ProfileColumns.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ProfileColumns {

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
    const size_t last = static_cast<size_t>(end - xs.begin());
        // Whether the sample before the one at hand was drawn, so the line can
    // run on from it.
    bool previousDrawn = false;
    for (size_t i = first; i < last; ++i) {
        const float v = values[i];
        if (std::isnan(v)) {
            previousDrawn = false;
            continue;
        }
        const int c = std::min(ColumnOf(xs[i], from, to, width), width - 1);
        ProfileColumn& column = columns[static_cast<size_t>(c)];
        if (column.IsEmpty()) {
            column = ProfileColumn{v, v, v, v, previousDrawn && !breakBefore[i]};
        } else {
            column.min = std::min(column.min, v);
            column.max = std::max(column.max, v);
            column.last = v;
        }
        previousDrawn = true;
    }
    return columns;
}

} // namespace ProfileColumns
