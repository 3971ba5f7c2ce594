#pragma once

#include "PolylineClipper.h"

#include <QPolygon>

#include <cstddef>

// The polylines of the track lines as they go to the strokers.
namespace PixelPolyline {

// How far a drawn leg may pass from the pixels it stands for: no more than
// rounding to whole pixels moved them.
constexpr double MaxDeviation = 0.5;

// The vertices first to last of a run, keeping only those that hold every
// dropped one within MaxDeviation of the leg that replaces it
// (Douglas-Peucker); the ends stay. A line with a vertex on every pixel
// comes out as legs of several pixels wherever it bends gently, and a leg
// costs the square of its width whatever its length. Working on the whole
// pixels, not the exact positions, two lines through the same pixels keep
// the same vertices.
QPolygon Simplified(const PolylineClipper::Run& run, size_t first, size_t last);

} // namespace PixelPolyline
