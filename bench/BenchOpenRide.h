#pragma once

#include "TrackPoint.h"

#include <vector>

class OpenTracksModel;

// The points opened in the model as a GPX file of one segment; returns the
// file's tid.
int OpenRideAsFile(OpenTracksModel& model, const std::vector<TrackPoint>& points);
