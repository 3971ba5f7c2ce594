#pragma once

#include "TimeSpan.h"

#include <QString>

// The length of a track as the list shows it: days (with hours while there
// are few days), hours and minutes, or minutes with seconds for short spans,
// such as "2d 6h", "4d", "1h 7m", "9m 30s", "12m".
QString TrackDurationText(const TimeSpan& span);
