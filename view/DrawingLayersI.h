#pragma once

#include "GeoTypes.h"

#include <QRect>

class QPainter;
class StrokeBatch;

// The off-screen layers of one frame of the map window. Layer 1 takes the
// map tiles, layer 4 the casings of unselected segments, layer 3 their
// centre lines and the shadows and casings of selected segments, layer 2
// the centre lines of selected and hovered segments, deleted points,
// markers and overlays; the frame ends by stacking 1, 4, 3, 2 onto 0.
class DrawingLayersI
{
public:
    static constexpr int LayerCount = 5;

    virtual ~DrawingLayersI() = default;

    // The surface of a layer, in window pixels; null outside a frame and for
    // the map layers (1 and 4) while the map is hidden.
    virtual QPainter* GetLayer(int index) = 0;
    // x, y, width, height of the part of the window being drawn.
    virtual QRect GetFrameRect() const = 0;
    virtual PixelRect GetFrameLtrb() const = 0;
    virtual int GetWidth() const = 0;
    virtual int GetHeight() const = 0;
    virtual bool IsMapShown() const = 0;
    // Where a layer's raster strokes queue when the layers lay them down
    // themselves (at the frame's end, or before a painter draws on the
    // layer); null when each stroker keeps its own.
    virtual StrokeBatch* GetSharedStrokes(int /*index*/) { return nullptr; }
};
