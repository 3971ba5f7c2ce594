#pragma once

#include "TMath.h"

#include <cmath>
#include <compare>

// A two-dimensional vector or point. Compares exactly; the ordering is by x,
// then y, so that vectors can be keys of sorted containers.
template <typename T>
struct TVector2
{
    T x = T(0);
    T y = T(0);

    constexpr TVector2() = default;
    constexpr TVector2(T x_, T y_) : x(x_), y(y_) {}

    constexpr auto operator<=>(const TVector2&) const = default;

    constexpr TVector2 operator-() const { return {-x, -y}; }
    constexpr TVector2 operator+(const TVector2& v) const { return {x + v.x, y + v.y}; }
    constexpr TVector2 operator-(const TVector2& v) const { return {x - v.x, y - v.y}; }
    constexpr TVector2 operator*(T s) const { return {x * s, y * s}; }
    constexpr TVector2 operator/(T s) const { return {x / s, y / s}; }
    constexpr TVector2& operator+=(const TVector2& v) { return *this = *this + v; }
    constexpr TVector2& operator-=(const TVector2& v) { return *this = *this - v; }
    constexpr TVector2& operator*=(T s) { return *this = *this * s; }
    constexpr TVector2& operator/=(T s) { return *this = *this / s; }

    constexpr T Dot(const TVector2& v) const { return x * v.x + y * v.y; }
    constexpr T SquaredLength() const { return Dot(*this); }
    T Length() const { return std::hypot(x, y); }

    // Makes the vector unit length and returns its former length; a vector
    // shorter than ZERO_TOLERANCE has no direction and becomes zero.
    T Normalize()
    {
        const T length = Length();
        if (length > TMath<T>::ZERO_TOLERANCE)
            *this /= length;
        else
            *this = TVector2();
        return length;
    }
};

template <typename T>
constexpr TVector2<T> operator*(T s, const TVector2<T>& v)
{
    return v * s;
}
