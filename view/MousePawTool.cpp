#include "MousePawTool.h"

#include "CoordTransformI.h"

bool MousePawTool::OnButtonDown(const PixelPoint& at, const PickResult&)
{
    m_dragging = true;
    m_anchor = m_transform.PixelToGeo(at);
    return true;
}

bool MousePawTool::OnMouseMove(const PixelPoint& at)
{
    if (!m_dragging)
        return false;
    m_transform.PlaceGeoAt(at, m_anchor);
    return true;
}

MouseCursor MousePawTool::GetCursor(const PickResult& picked) const
{
    if (m_dragging)
        return MouseCursor::Dragging;
    return picked.kind == PickResult::Nothing ? MouseCursor::Hand : MouseCursor::Arrow;
}
