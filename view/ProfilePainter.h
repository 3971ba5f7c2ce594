#pragma once

#include <QString>

class ProfileChart;
class QPainter;

// What is marked on the profile besides its lines, as samples of the
// chart's series (-1 for none) and, for a drag under way, pixel x.
struct ProfileMarks
{
    int hoverSample = -1;
    int currentSample = -1;
    int rangeFirstSample = -1;
    int rangeLastSample = -1;
    int dragFrom = -1;
    int dragTo = -1;
    // Shown instead of the chart when there is nothing to chart.
    QString emptyText;
};

// Draws the profile: white area, framed plot with grid, x labels below,
// one axis per value in the value's colour, a shaded band for a point range,
// each value's line from its pixel columns (a vertical stroke from lowest to
// highest per column, joined to the column before), the current point, and
// the hover cursor with its label.
namespace ProfilePainter {

void Paint(QPainter& painter, const ProfileChart& chart, const ProfileMarks& marks);

} // namespace ProfilePainter
