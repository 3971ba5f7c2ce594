#pragma once

#include "TrackPoint.h"

#include <vector>

// A clean ride: one point a second, 3 to 7 m apart, turning slowly, over
// gentle hills; the same points on every call.
std::vector<TrackPoint> MakeRide(int count);
