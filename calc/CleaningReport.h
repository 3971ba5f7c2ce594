#pragma once

#include "TrackStatistics.h"

#include <QString>

#include <map>
#include <optional>
#include <vector>

// Points counted by the text of their filter reason.
using ReasonCounts = std::map<QString, int>;

// A point that a cleaning removed or left filtered, where it lay, with its
// reason key.
struct CleanedPoint
{
    double lon = 0;
    double lat = 0;
    int reasonKey = 0;
};

// One segment that a cleaning touched: its figures before and after, and
// what happened to its points. A segment that a restructuring dissolved has
// no after; one that it made has no before.
struct CleaningSegment
{
    // Positions among the file's segments in tree order, from 0; -1 for
    // none.
    int beforePosition = -1;
    int afterPosition = -1;
    std::optional<TrackStatistics> before;
    std::optional<TrackStatistics> after;
    // Points deleted, by the reason they had been filtered for.
    ReasonCounts removed;
    // Points still marked filtered in the result, by reason.
    ReasonCounts filtered;
    // The points of both counts, when the report was asked to keep them.
    std::vector<CleanedPoint> points;
};

// What cleaning one file changed, in the figures of the statistics, so that
// the command line prints it and the program can show it.
struct CleaningReport
{
    // The whole file.
    TrackStatistics before;
    TrackStatistics after;
    // Only the segments whose figures or points changed, in the order of
    // the result, the dissolved ones after them.
    std::vector<CleaningSegment> segments;
    int unchangedSegments = 0;
    // Why a step could not run; the file is then not to be saved.
    QString error;

    // Sums over the touched segments.
    ReasonCounts GetRemoved() const;
    ReasonCounts GetFiltered() const;
};
