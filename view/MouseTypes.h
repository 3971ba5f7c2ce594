#pragma once

#include "GeoTypes.h"
#include "TrackPositionConverter.h"

// The mouse modes of the toolbar; commands of these ids switch to them.
enum MouseMode : int {
    MouseModeDrag = 33201,
    MouseModeEdit = 33202,
    MouseModeSelectA = 33203,
    MouseModeSelectB = 33204,
};

// The map window's cursors; the window decides how each looks.
enum class MouseCursor {
    Arrow,
    Dragging,
    Hand,
    Edit,
    EditPoint,
    EditLine,
};

// One mouse message of the map window, in its client pixels.
struct MouseMessage
{
    enum Type {
        LeftDown,
        LeftUp,
        LeftDoubleClick,
        RightDown,
        RightUp,
        Move,
        Wheel,
    };

    Type type = Move;
    PixelPoint pos;
    bool leftHeld = false;
    bool ctrl = false;
    bool shift = false;
    // Wheel messages: 120 per notch, positive away from the user.
    int wheelDelta = 0;
    // The wheel only zooms when the mouse is over the map window itself.
    bool overMap = true;
};

// What was drawn under the mouse in the last frame.
struct PickResult
{
    enum Kind {
        Nothing = 0,
        Point = 1,
        // A line between two points, where the edit tool inserts.
        Line = 2,
        Segment = 3,
    };

    Kind kind = Nothing;
    TrackPosition point;
    // Line: the two points the line joins and the nearest pixel on it.
    int second = -1;
    PixelPoint nearest;
};
