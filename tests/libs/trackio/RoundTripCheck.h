#pragma once

#include <string>

class TrackDataSetI;
class TrackTree;

// Saves a loaded file in every format a saver writes, into memory, reads
// each text back with that format's loader and compares the points: count,
// position, elevation and time. What a format cannot hold (a time outside
// years 1 to 9999) is left out of the comparison, the longitudes 180 and
// -180 count as one, and the order is left out too, since TCX laps put a
// folder's points after the file's own segments. Shared by the round-trip
// fuzz targets and the regression tests.
class RoundTripCheck
{
public:
    // The first difference, naming the format; empty when every format
    // kept the points.
    static std::string FirstDifference(const TrackTree& tree, const TrackDataSetI& data);
};
