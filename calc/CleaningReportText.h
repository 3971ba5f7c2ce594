#pragma once

#include "CleaningReport.h"

#include <QString>

// The report of one cleaned file as readable lines: each figure before and
// after, for the whole file and for each touched segment, and the points
// removed and left filtered by reason. Figures in metres, seconds and km/h,
// the units of the JSON form, so both read the same.
class CleaningReportText
{
public:
    static QString Format(const QString& input, const QString& recipeName, const QString& output,
                          const CleaningReport& report);
    // "Segment 2", "New segment 3" or "Segment 1, now gone".
    static QString SegmentTitle(const CleaningSegment& segment);
};
