#pragma once

#include "TrackInfo.h"
#include "TrackPoint.h"

#include <vector>

class CutMap;
class OpenTracksModel;
class TrackDataSetI;
class TrackTreeCreatorI;

// The points of several segments as one array.
struct ConcatenatedPoints
{
    std::vector<TrackPoint> points;
    // The index of the last point of every segment with points but the last
    // such segment; filled only when asked for.
    std::vector<int> keptBreaks;
};

// The two halves of rebuilding a tree from its points: concatenating the
// segments, and building the new nodes from the cuts.
class TreeBuilder
{
public:
    // The points of the segments in the order given, with their statuses.
    static ConcatenatedPoints Concatenate(const OpenTracksModel& model, const std::vector<int>& segments,
                                          bool keepBreaks);

    // Adds a copy of fileRecord as a new file to the tree with a first folder
    // under it; each cut in order closes a segment of the points after the
    // previous cut up to and including its index, and a folder cut opens a
    // new folder. The points move into the segments' arrays in data, so
    // points is left empty. Returns the new file's tid.
    static int Build(const TrackInfo::Node& fileRecord, std::vector<TrackPoint>& points, const CutMap& cuts,
                     TrackTreeCreatorI& tree, TrackDataSetI& data);
};
