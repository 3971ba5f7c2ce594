#pragma once

#include "MouseTool.h"

class CoordTransformI;

// "Drag the map": the place grabbed stays under the mouse.
class MousePawTool : public MouseTool
{
public:
    explicit MousePawTool(CoordTransformI& transform) : m_transform(transform) {}

    bool OnButtonDown(const PixelPoint& at, const PickResult& picked) override;
    void OnButtonUp() override { m_dragging = false; }
    bool OnMouseMove(const PixelPoint& at) override;
    bool IsBusy() const override { return m_dragging; }
    MouseCursor GetCursor(const PickResult& picked) const override;

private:
    CoordTransformI& m_transform;
    bool m_dragging = false;
    GeoPoint m_anchor;
};
