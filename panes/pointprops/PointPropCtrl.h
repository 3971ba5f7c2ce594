#pragma once

#include "PropertyGrid.h"

class TrackPointEx;

// The read-only sheet of the fields of one point that the table of point
// fields (PointFields) puts in the properties, under their groups: Main,
// Calculated, GPS and Sensors.
class PointPropCtrl : public PropertyGrid
{
public:
    explicit PointPropCtrl(QWidget* parent = nullptr);

    // index: the point's place in its segment, shown as its number.
    void Fill(const TrackPointEx& point, int index);

    // The date and time of a point in the user's zone, with fractions of a
    // second when the time has them; empty without a time.
    static QString DateTimeText(const TrackPointEx& point);
};
