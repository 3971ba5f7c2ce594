#pragma once

#include "GeoTypes.h"
#include "TrackPositionConverter.h"

// What the mouse controller asks of the map window.
class MapViewHostI
{
public:
    virtual ~MapViewHostI() = default;

    virtual void CaptureMouse() = 0;
    virtual void ReleaseMouse() = 0;
    virtual bool HasCapture() const = 0;
    virtual void RepaintNow() = 0;
    // The point's context menu at the pixel; returns when it closed.
    virtual void ShowPointMenu(const PixelPoint& at, const TrackPosition& point) = 0;
    // A dialog or popup of the program is in front of the map.
    virtual bool IsOtherWindowActive() const = 0;
    // The segment under the mouse becomes the selection of the track list.
    virtual void SelectSegment(int tid) = 0;
    // Brings a point into view (the map flies there when it is outside).
    virtual void ShowPoint(const TrackPosition& point) = 0;
};
