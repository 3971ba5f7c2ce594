#pragma once

#include "PaletteParameter.h"

#include <vector>

class TrackI;

// The value that colours one drawn piece of a selected segment: the
// palette's parameter over the piece's points (indices into the segment, in
// order), combined by the aggregate for the two speeds.
namespace PieceValue {

// Floors of the divisors, so that a piece without time or length gives a
// finite value.
constexpr double MinHours = 1e-6;
constexpr double MinSeconds = 1e-6;
constexpr double MinClimbMetres = 0.001;
// Where a minimum starts, above any speed.
constexpr double NoMinimum = 1e9;

double Compute(const TrackI& segment, PaletteParameter::Id parameter, PaletteParameter::Aggregate aggregate,
               const std::vector<int>& piece);

} // namespace PieceValue
