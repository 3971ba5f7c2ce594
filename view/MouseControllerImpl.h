#pragma once

#include "MouseEditTool.h"
#include "MousePawTool.h"

#include <cstdint>
#include <functional>

class CoordTransformI;
class PointEdits;
class MapViewHostI;

// Turns the keys and mouse messages of the map window into view changes,
// point choices and point edits, through the tool of the current mouse
// mode; and decides when to look for what lies under the mouse.
class MouseControllerImpl
{
public:
    // Milliseconds of a monotonic clock.
    using Clock = std::function<int64_t()>;

    static constexpr int64_t HoverDelayMs = 400;
    // Within this many pixels in x and y a press and release are a click.
    static constexpr int ClickSlop = 5;

    MouseControllerImpl(CoordTransformI& transform, PointEdits& actions, MapViewHostI& host,
                        Clock clock = SteadyClock());

    void SetMode(int mode);
    int GetMode() const { return m_mode; }

    // Qt key codes.
    void OnKeyDown(int key, bool shift, bool ctrl);
    void OnMouseMessage(const MouseMessage& message);
    void OnKillFocus();
    void OnCaptureChanged();

    // Asked before each frame: true when the frame should record what it
    // draws near the mouse.
    bool AllowsHover();
    // What the frame found, when it recorded.
    void SetPickResult(const PickResult& result) { m_pick = result; }
    const PickResult& GetPickResult() const { return m_pick; }
    bool NeedsRedraw(bool mouseOverMap) const;
    MouseCursor GetCursor() const;
    const PixelPoint& GetPosition() const { return m_current; }
    // The map follows the mouse, held down: nothing but the view changes.
    bool IsDraggingMap() const { return m_tool == &m_paw && m_paw.IsBusy(); }

    static Clock SteadyClock();

private:
    enum class HoverPhase {
        Idle,
        Waiting,
        Picking,
        SegmentHover,
    };

    void OnLeftUp(const MouseMessage& message);
    void OnMove(const MouseMessage& message);
    void EndDrag();
    bool IsClick(const PixelPoint& from, const PixelPoint& to) const;

    CoordTransformI& m_transform;
    PointEdits& m_actions;
    MapViewHostI& m_host;
    Clock m_clock;
    int m_mode = MouseModeDrag;
    MousePawTool m_paw;
    MouseEditTool m_edit;
    // The hidden selection modes have no behaviour of their own.
    MouseTool m_none;
    MouseTool* m_tool = &m_paw;
    PixelPoint m_press;
    PixelPoint m_rightPress;
    PixelPoint m_current;
    PickResult m_pick;
    HoverPhase m_phase = HoverPhase::Idle;
    int64_t m_movedAt = 0;
    PixelPoint m_segmentPickedAt;
    bool m_menuOpen = false;
};
