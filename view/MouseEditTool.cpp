#include "MouseEditTool.h"

#include "CoordTransformI.h"
#include "PointEdits.h"

bool MouseEditTool::OnButtonDown(const PixelPoint& at, const PickResult& picked)
{
    m_press = at;
    if (picked.kind == PickResult::Point) {
        m_dragged = picked.point;
        m_pointPixel = picked.nearest;
        m_actions.SetCurrentPoint(picked.point);
        m_actions.BeginDrag();
        return true;
    }
    // On a line the insertion waits for the release: a click, not a drag.
    return picked.kind == PickResult::Line;
}

void MouseEditTool::OnButtonUp()
{
    m_dragged = {};
    m_actions.EndDrag();
}

bool MouseEditTool::OnMouseMove(const PixelPoint& at)
{
    if (m_dragged.index < 0)
        return false;
    const PixelPoint to{m_pointPixel.x + at.x - m_press.x, m_pointPixel.y + at.y - m_press.y};
    m_actions.MovePoint(m_dragged, m_transform.PixelToGeo(to));
    return true;
}

bool MouseEditTool::OnRelease(const PickResult& picked)
{
    if (picked.kind != PickResult::Line)
        return false;
    m_actions.InsertPoint(picked.point.tid, picked.point.index, picked.second, m_transform.PixelToGeo(picked.nearest));
    return true;
}

MouseCursor MouseEditTool::GetCursor(const PickResult& picked) const
{
    if (m_dragged.index >= 0 || picked.kind == PickResult::Point)
        return MouseCursor::EditPoint;
    return picked.kind == PickResult::Line ? MouseCursor::EditLine : MouseCursor::Edit;
}
