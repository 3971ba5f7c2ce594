#pragma once

#include <algorithm>
#include <vector>

// The median of non-empty values (the upper one of an even count), found in
// linear time; the values are reordered.
inline double Median(std::vector<double>& values)
{
    const auto mid = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), mid, values.end());
    return *mid;
}
