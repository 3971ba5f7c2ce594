#pragma once

#include "TMath.h"

#include <cmath>
#include <compare>

// A three-dimensional vector or point (for track points: two horizontal
// coordinates and the elevation). Compares exactly; ordered by x, y, z.
template <typename T>
struct TVector3
{
    T x = T(0);
    T y = T(0);
    T z = T(0);

    constexpr TVector3() = default;
    constexpr TVector3(T x_, T y_, T z_) : x(x_), y(y_), z(z_) {}

    constexpr auto operator<=>(const TVector3&) const = default;

    constexpr TVector3 operator-() const { return {-x, -y, -z}; }
    constexpr TVector3 operator+(const TVector3& v) const { return {x + v.x, y + v.y, z + v.z}; }
    constexpr TVector3 operator-(const TVector3& v) const { return {x - v.x, y - v.y, z - v.z}; }
    constexpr TVector3 operator*(T s) const { return {x * s, y * s, z * s}; }
    constexpr TVector3 operator/(T s) const { return {x / s, y / s, z / s}; }
    constexpr TVector3& operator+=(const TVector3& v) { return *this = *this + v; }
    constexpr TVector3& operator-=(const TVector3& v) { return *this = *this - v; }
    constexpr TVector3& operator*=(T s) { return *this = *this * s; }
    constexpr TVector3& operator/=(T s) { return *this = *this / s; }

    constexpr T Dot(const TVector3& v) const { return x * v.x + y * v.y + z * v.z; }
    constexpr T SquaredLength() const { return Dot(*this); }
    T Length() const { return std::hypot(x, y, z); }

    // Makes the vector unit length and returns its former length; a vector
    // shorter than ZERO_TOLERANCE has no direction and becomes zero.
    T Normalize()
    {
        const T length = Length();
        if (length > TMath<T>::ZERO_TOLERANCE)
            *this /= length;
        else
            *this = TVector3();
        return length;
    }
};

template <typename T>
constexpr TVector3<T> operator*(T s, const TVector3<T>& v)
{
    return v * s;
}
