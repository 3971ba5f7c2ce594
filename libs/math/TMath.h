#pragma once

#include <limits>

// Numeric constants of a real type.
template <typename T>
struct TMath
{
    static constexpr T PI = T(3.14159265358979323846264338327950288);
    static constexpr T DEG_TO_RAD = PI / T(180);
    static constexpr T RAD_TO_DEG = T(180) / PI;
    // Distance from 1 to the next representable value.
    static constexpr T EPSILON = std::numeric_limits<T>::epsilon();
    // Below this a length counts as zero (a vector is not normalised).
    static constexpr T ZERO_TOLERANCE = sizeof(T) > sizeof(float) ? T(1e-08) : T(1e-06);
    static constexpr T MAX_REAL = std::numeric_limits<T>::max();
    static constexpr T POS_INFINITY = std::numeric_limits<T>::infinity();
};
