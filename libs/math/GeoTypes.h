#pragma once

#include <cmath>
#include <cstdint>

// A pixel coordinate made whole: a half to the right of or below the
// origin rounds up, one to the left or above rounds towards the origin
// (-2.5 gives -2).
inline int32_t RoundToPixel(double v)
{
    return static_cast<int32_t>(v >= 0 ? std::trunc(v + 0.5) : std::trunc(v - 0.4999999));
}

// Degrees, WGS84: x is the longitude, y the latitude.
struct GeoPoint
{
    double lon = 0;
    double lat = 0;

    bool operator==(const GeoPoint&) const = default;
};

// West, south, east, north in degrees.
struct GeoRect
{
    double lon0 = 0;
    double lat0 = 0;
    double lon1 = 0;
    double lat1 = 0;

    double Width() const { return lon1 - lon0; }
    double Height() const { return lat1 - lat0; }
    bool operator==(const GeoRect&) const = default;
};

// Window pixels, y growing downwards.
struct PixelPoint
{
    int32_t x = 0;
    int32_t y = 0;

    bool operator==(const PixelPoint&) const = default;
};

// Right and bottom are exclusive, as in the window system.
struct PixelRect
{
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    bool operator==(const PixelRect&) const = default;
};

struct PointF
{
    double x = 0;
    double y = 0;

    bool operator==(const PointF&) const = default;
};

struct RectF
{
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;

    bool operator==(const RectF&) const = default;
};
