#pragma once

#include "PolylineClipper.h"

#include <QPolygon>

#include <cstddef>

// The polylines of the track lines as they go to the strokers.
namespace PixelPolyline {

// How far a drawn leg may pass from the points it stands for: an edge
// moved by a third of a pixel changes its anti-aliasing by about as much.
constexpr double MaxDeviation = 0.5;

// The vertices first to last of a run, in whole pixels, keeping only those
// that hold every dropped point within MaxDeviation of the leg that
// replaces it (Douglas-Peucker on the exact positions); the ends stay. A
// line with a point every pixel or closer comes out as legs of several
// pixels wherever it bends gently, and a leg costs the square of its width
// whatever its length.
QPolygon Simplified(const PolylineClipper::Run& run, size_t first, size_t last);

} // namespace PixelPolyline
