#pragma once

#include "PaletteParameter.h"

#include <vector>

class TrackI;

// The value that colours one drawn piece of a selected segment: the
// palette's parameter over the piece's points (indices into the segment, in
// order), combined by the aggregate for the two speeds.
namespace PieceValue {

double Compute(const TrackI& segment, PaletteParameter::Id parameter, PaletteParameter::Aggregate aggregate,
               const std::vector<int>& piece);

} // namespace PieceValue
