#pragma once

#include "CleaningReport.h"
#include "TrackI.h"
#include "TrackStatistics.h"

#include <map>
#include <vector>

class OpenTracksModel;

// Takes the figures of one open file's segments before a cleaning and, once
// it is done, makes the report of what changed. The command line's recipes
// and the program's own cleaning commands report through it alike.
class CleaningReportBuilder
{
public:
    // withPoints: the report also keeps where the points it counts lay,
    // for the map.
    CleaningReportBuilder(OpenTracksModel& model, int fileTid, const StatisticsParams& params, bool withPoints = false);

    int GetFileTid() const { return m_file; }
    // The file's segments now, in tree order.
    std::vector<int> Segments() const;
    TrackPtr Segment(int tid) const;

    // Counts, by reason, the points a deletion of the filtered points of
    // segment tid is about to remove.
    void CountBeforeDelete(int tid);

    // The report of everything since construction; error says why a step
    // could not run.
    CleaningReport Finish(QString error = QString());

private:
    TrackStatistics Figures(int tid) const;
    void CountFiltered(int tid, ReasonCounts CleaningSegment::*counts);

    OpenTracksModel& m_model;
    int m_file;
    StatisticsParams m_params;
    bool m_withPoints;
    std::map<int, CleaningSegment> m_byTid;
};
