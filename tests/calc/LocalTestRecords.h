#pragma once

#include "LocalRecord.h"

#include <vector>

namespace localtest {

// A record east and north of a point on the equator, in metres as the flat
// distance of the local analyses measures them, at seconds; index as given.
LocalRecord Rec(double east, double north, double seconds, int index = 0);
// Records along the line northwards, one every `step` metres and seconds,
// indexed from 0.
std::vector<LocalRecord> Line(int count, double step = 10.0);
// Metres between two records.
double Metres(const LocalRecord& a, const LocalRecord& b);

} // namespace localtest
