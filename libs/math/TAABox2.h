#pragma once

#include "TMath.h"
#include "TVector2.h"

// An axis-aligned box given by its minimum and maximum corners; edges belong
// to the box. The empty box has min = +MAX_REAL and max = -MAX_REAL, so that
// extending it by a point gives exactly that point.
template <typename T>
struct TAABox2
{
    TVector2<T> min{TMath<T>::MAX_REAL, TMath<T>::MAX_REAL};
    TVector2<T> max{-TMath<T>::MAX_REAL, -TMath<T>::MAX_REAL};

    constexpr TAABox2() = default;
    constexpr TAABox2(const TVector2<T>& min_, const TVector2<T>& max_) : min(min_), max(max_) {}
    constexpr TAABox2(T minX, T minY, T maxX, T maxY) : min(minX, minY), max(maxX, maxY) {}

    constexpr bool operator==(const TAABox2&) const = default;

    constexpr bool IsEmpty() const { return min.x > max.x || min.y > max.y; }
    constexpr void SetEmpty() { *this = TAABox2(); }

    constexpr void Extend(const TVector2<T>& p)
    {
        if (p.x < min.x)
            min.x = p.x;
        if (p.y < min.y)
            min.y = p.y;
        if (p.x > max.x)
            max.x = p.x;
        if (p.y > max.y)
            max.y = p.y;
    }

    constexpr void Extend(const TAABox2& box)
    {
        if (box.IsEmpty())
            return;
        Extend(box.min);
        Extend(box.max);
    }

    constexpr bool Contains(const TVector2<T>& p) const
    {
        return p.x >= min.x && p.x <= max.x && p.y >= min.y && p.y <= max.y;
    }

    // Boxes that only touch at an edge or a corner intersect.
    constexpr bool Intersects(const TAABox2& box) const
    {
        return !IsEmpty() && !box.IsEmpty()
            && box.min.x <= max.x && box.max.x >= min.x
            && box.min.y <= max.y && box.max.y >= min.y;
    }

    constexpr T GetWidth() const { return IsEmpty() ? T(0) : max.x - min.x; }
    constexpr T GetHeight() const { return IsEmpty() ? T(0) : max.y - min.y; }
    constexpr TVector2<T> GetCenter() const { return (min + max) / T(2); }
};
