#pragma once

#include "MouseTypes.h"

// One mouse mode's handling of the left button and of moves. The base does
// nothing.
class MouseTool
{
public:
    virtual ~MouseTool() = default;

    // True: the tool takes the mouse and the window captures it.
    virtual bool OnButtonDown(const PixelPoint&, const PickResult&) { return false; }
    virtual void OnButtonUp() {}
    virtual bool OnMouseMove(const PixelPoint&) { return false; }
    // Asked after every left release; true when the tool used it up.
    virtual bool OnRelease(const PickResult&) { return false; }
    // A drag is in progress.
    virtual bool IsBusy() const { return false; }
    // The cursor the tool wants over what is under the mouse.
    virtual MouseCursor GetCursor(const PickResult&) const { return MouseCursor::Arrow; }
};
