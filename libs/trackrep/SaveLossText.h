#pragma once

#include "SaveLossCheck.h"
#include "TrackFileType.h"

#include <QString>

// What saving as a format leaves out, one line per loss under a line naming
// the format; empty when nothing is lost.
QString SaveLossText(TrackFileType type, const SaveLossCheck::Result& result);
