#pragma once

#include "RgbStruct.h"

// The colour of the casing around a segment line: its hue turned by 30°,
// light colours darkened and dark ones lightened, so that the casing
// separates the line from any map beneath it.
RgbStruct DeriveCasingColour(const RgbStruct& segmentColour);
