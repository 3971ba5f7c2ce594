#pragma once

#include "CleaningReport.h"

#include <QJsonObject>

// The report of one cleaned file as JSON, for scripts: figures in metres,
// seconds and km/h under names that carry their unit, null for a figure the
// points cannot give.
class CleaningReportJson
{
public:
    static QJsonObject ToJson(const CleaningReport& report);
    static QJsonObject Figures(const TrackStatistics& stats);
};
