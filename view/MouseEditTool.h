#pragma once

#include "MouseTool.h"

class CoordTransformI;
class PointEdits;

// "Edit points": drag a point to move it, click on a line to insert one.
class MouseEditTool : public MouseTool
{
public:
    MouseEditTool(CoordTransformI& transform, PointEdits& actions) : m_transform(transform), m_actions(actions)
    {
    }

    bool OnButtonDown(const PixelPoint& at, const PickResult& picked) override;
    void OnButtonUp() override;
    bool OnMouseMove(const PixelPoint& at) override;
    bool OnRelease(const PickResult& picked) override;
    bool IsBusy() const override { return m_dragged.index >= 0; }
    MouseCursor GetCursor(const PickResult& picked) const override;

private:
    CoordTransformI& m_transform;
    PointEdits& m_actions;
    TrackPosition m_dragged;
    PixelPoint m_pointPixel;
    PixelPoint m_press;
};
