#include "TimeShift.h"

#include "TrackData.h"

Time TimeShift::GetStartTime(const TrackDataI& points)
{
    for (int i = 0; i < points.GetPointCount(); ++i) {
        if (!points.GetTrackPoint(i).GetTime().IsNull())
            return points.GetTrackPoint(i).GetTime();
    }
    return Time();
}

void TimeShift::Apply(TrackDataI& points, TimeSpan shift)
{
    for (int i = 0; i < points.GetPointCount(); ++i) {
        TrackPoint& point = points.GetTrackPoint(i);
        // Adding to a null time leaves it null.
        point.SetTime(point.GetTime() + shift);
    }
}
