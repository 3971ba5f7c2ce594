#include "MouseControllerImpl.h"

#include "CoordTransformI.h"
#include "MapViewHostI.h"
#include "PointEdits.h"

#include <Qt>

#include <chrono>
#include <cmath>
#include <cstdlib>

namespace {

constexpr double WheelNotchFactor = 1.189207115002721;
constexpr int WheelNotch = 120;
constexpr int PanPercent = 9;
constexpr int FinePanPixels = 6;
constexpr int SegmentHoverSlop = 10;

double KeyZoomFactor(bool shift, bool ctrl)
{
    if (ctrl && !shift)
        return 2.0;
    if (shift && !ctrl)
        return 1.0905077326652577;
    return 1.2599210498948732;
}

} // namespace

MouseControllerImpl::MouseControllerImpl(CoordTransformI& transform, PointEdits& actions, MapViewHostI& host,
                                         Clock clock)
    : m_transform(transform), m_actions(actions), m_host(host), m_clock(std::move(clock)), m_paw(transform),
      m_edit(transform, actions)
{
}

MouseControllerImpl::Clock MouseControllerImpl::SteadyClock()
{
    return [] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    };
}

void MouseControllerImpl::SetMode(int mode)
{
    if (mode < MouseModeDrag || mode > MouseModeSelectB || mode == m_mode)
        return;
    EndDrag();
    m_mode = mode;
    m_tool = mode == MouseModeDrag ? static_cast<MouseTool*>(&m_paw)
             : mode == MouseModeEdit ? static_cast<MouseTool*>(&m_edit)
                                     : &m_none;
}

void MouseControllerImpl::OnKeyDown(int key, bool shift, bool ctrl)
{
    const PixelRect& view = m_transform.GetViewRect();
    const int panX = shift ? FinePanPixels : view.Width() * PanPercent / 100;
    const int panY = shift ? FinePanPixels : view.Height() * PanPercent / 100;
    switch (key) {
    case Qt::Key_PageDown:
    case Qt::Key_Plus:
        m_transform.ZoomBy(KeyZoomFactor(shift, ctrl));
        m_host.RepaintNow();
        break;
    case Qt::Key_PageUp:
    case Qt::Key_Minus:
        m_transform.ZoomBy(1.0 / KeyZoomFactor(shift, ctrl));
        m_host.RepaintNow();
        break;
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (ctrl) {
            const TrackPosition point = m_actions.StepCurrentPoint(key == Qt::Key_Right);
            if (point.tid >= 0)
                m_host.ShowPoint(point);
        } else {
            m_transform.PanBy(key == Qt::Key_Left ? -panX : panX, 0);
        }
        break;
    case Qt::Key_Up:
        m_transform.PanBy(0, -panY);
        break;
    case Qt::Key_Down:
        m_transform.PanBy(0, panY);
        break;
    case Qt::Key_Escape:
        m_actions.ClearPointRange();
        break;
    default:
        break;
    }
}

void MouseControllerImpl::OnMouseMessage(const MouseMessage& message)
{
    switch (message.type) {
    case MouseMessage::Wheel:
        if (message.overMap)
            m_transform.ZoomAt(std::pow(WheelNotchFactor, static_cast<double>(message.wheelDelta) / WheelNotch),
                               message.pos);
        break;
    case MouseMessage::LeftDoubleClick:
        m_transform.SetCenter(m_transform.PixelToGeo(message.pos));
        m_transform.ZoomBy(2.0);
        break;
    case MouseMessage::LeftDown:
        m_press = m_current = message.pos;
        if (m_tool->OnButtonDown(message.pos, m_pick))
            m_host.CaptureMouse();
        break;
    case MouseMessage::LeftUp:
        OnLeftUp(message);
        break;
    case MouseMessage::RightDown:
        EndDrag();
        m_rightPress = message.pos;
        if (m_pick.kind == PickResult::Point)
            m_actions.SetCurrentPoint(m_pick.point);
        break;
    case MouseMessage::RightUp:
        if (IsClick(m_rightPress, message.pos) && m_pick.kind == PickResult::Point) {
            m_actions.SetCurrentPoint(m_pick.point);
            m_menuOpen = true;
            m_host.ShowPointMenu(message.pos, m_pick.point);
            m_menuOpen = false;
        }
        break;
    case MouseMessage::Move:
        OnMove(message);
        break;
    }
}

bool MouseControllerImpl::IsClick(const PixelPoint& from, const PixelPoint& to) const
{
    return std::abs(to.x - from.x) < ClickSlop && std::abs(to.y - from.y) < ClickSlop;
}

void MouseControllerImpl::EndDrag()
{
    if (!m_tool->IsBusy())
        return;
    m_tool->OnButtonUp();
    if (m_host.HasCapture())
        m_host.ReleaseMouse();
}

void MouseControllerImpl::OnLeftUp(const MouseMessage& message)
{
    m_current = message.pos;
    m_tool->OnButtonUp();
    if (m_host.HasCapture())
        m_host.ReleaseMouse();
    if (m_tool->OnRelease(m_pick) || !IsClick(m_press, message.pos))
        return;
    if (m_pick.kind == PickResult::Point) {
        m_actions.SetCurrentPoint(m_pick.point);
        if (message.ctrl)
            m_actions.MarkPoint(m_pick.point);
    } else if (m_pick.kind == PickResult::Segment)
        m_host.SelectSegment(m_pick.point.tid);
}

void MouseControllerImpl::OnMove(const MouseMessage& message)
{
    m_current = message.pos;
    if (m_tool->IsBusy()) {
        if (message.leftHeld)
            m_tool->OnMouseMove(message.pos);
        else
            EndDrag();
    }
    if (m_phase == HoverPhase::SegmentHover) {
        if (std::abs(message.pos.x - m_segmentPickedAt.x) < SegmentHoverSlop
            && std::abs(message.pos.y - m_segmentPickedAt.y) < SegmentHoverSlop)
            return;
        if (m_host.HasCapture() && !m_tool->IsBusy())
            m_host.ReleaseMouse();
    }
    m_pick = PickResult();
    m_phase = HoverPhase::Waiting;
    m_movedAt = m_clock();
}

void MouseControllerImpl::OnKillFocus()
{
    EndDrag();
}

void MouseControllerImpl::OnCaptureChanged()
{
    if (m_tool->IsBusy())
        m_tool->OnButtonUp();
}

bool MouseControllerImpl::AllowsHover()
{
    if (m_host.IsOtherWindowActive()) {
        m_pick = PickResult();
        return false;
    }
    if (m_menuOpen)
        return true;
    switch (m_phase) {
    case HoverPhase::Waiting:
        m_pick = PickResult();
        if (m_clock() - m_movedAt <= HoverDelayMs)
            return false;
        m_phase = HoverPhase::Picking;
        return true;
    case HoverPhase::Picking:
        if (m_pick.kind == PickResult::Segment) {
            // Held until the mouse moves away, so that the line can be
            // clicked although it is thin.
            m_host.CaptureMouse();
            m_segmentPickedAt = m_current;
            m_phase = HoverPhase::SegmentHover;
            return false;
        }
        m_phase = HoverPhase::Idle;
        return true;
    default:
        return false;
    }
}

bool MouseControllerImpl::NeedsRedraw(bool mouseOverMap) const
{
    if (m_tool->IsBusy())
        return true;
    if (!mouseOverMap || m_menuOpen)
        return false;
    return m_phase == HoverPhase::Picking || (m_phase == HoverPhase::Waiting && m_clock() - m_movedAt > HoverDelayMs);
}

MouseCursor MouseControllerImpl::GetCursor() const
{
    return m_tool->GetCursor(m_pick);
}
