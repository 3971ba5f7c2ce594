#pragma once

#include "TrackStatistics.h"

#include <QString>

#include <optional>
#include <vector>

// The figures a cleaning report shows, one row each, before and after, as
// the text report and the program's report pane both show them: metres,
// seconds and km/h; "-" where a side or a figure is missing.
struct CleaningFigureRow
{
    int labelId;
    QString before;
    QString after;
    // after - before with its sign; "-" when either is missing.
    QString change;

    static std::vector<CleaningFigureRow> Of(const std::optional<TrackStatistics>& before,
                                             const std::optional<TrackStatistics>& after);
};
