#pragma once

#include "LoadManager.h"

#include <vector>

// Every point of a loaded file, in tree order; none for a file that failed.
std::vector<TrackPoint> AllPoints(const LoadedTrackFile& file);
