#pragma once

#include <cstdint>
#include <vector>

// One pixel column of a profile line: the lowest and highest value of the
// samples whose x falls into the column, the values of its first and last
// sample, and whether the line comes into it from the previous filled
// column (no gap and no missing value between them). Empty columns hold NaN.
struct ProfileColumn
{
    float min;
    float max;
    float first;
    float last;
    bool joinsPrevious;

    bool IsEmpty() const { return min != min; }
};

// The columns of one value over the x range [from, to) split into width
// equal columns; samples at to land in the last column. Only the samples
// in the range are read (xs rises), so a zoomed chart costs what it shows.
namespace ProfileColumns {

std::vector<ProfileColumn> Build(const std::vector<double>& xs, const std::vector<float>& values,
                                 const std::vector<uint8_t>& breakBefore, double from, double to, int width);
// The column of x, by the same arithmetic as Build; may lie outside
// [0, width).
int ColumnOf(double x, double from, double to, int width);

} // namespace ProfileColumns
