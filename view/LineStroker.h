#pragma once

#include "StrokeBatch.h"

#include <QPen>
#include <QPolygon>

#include <memory>

class QPainter;

// Strokes the track lines of one layer: straight into its pixels when the
// layer is an image (see StrokeRaster), else through its painter, so that a
// picture or a page keeps its lines as vectors. Both ways look the same.
// Into an image the strokes are queued (see StrokeBatch): Flush, or the
// end of the stroker, lays them down.
class LineStroker
{
public:
    // surface may be null (a layer that is not drawn): strokes then do nothing.
    explicit LineStroker(QPainter* surface);
    // Raster strokes go to shared, the layer's own queue, when not null.
    LineStroker(QPainter* surface, StrokeBatch* shared);
    ~LineStroker();

    // Only through the painter, also on an image: for comparing both ways.
    static LineStroker ThroughPainter(QPainter* surface);

    QPainter* GetSurface() const { return m_surface; }

    // The pen's width, colour and cap; joins come out round on an image.
    // spread: the line is drawn at every offset of up to that many pixels
    // in x and y, a copy over the others (a soft shadow).
    void Stroke(const QPen& pen, const QPolygon& line, int spread = 0);
    // A line that ends in a filled head in the pen's colour, pointing the
    // way the line runs.
    void StrokeArrow(const QPen& pen, const QPolygon& line);

    // Lays down the queued strokes: before anything else draws on the layer.
    void Flush();
    // Lays down the strokes this stroker queued itself, not those it gave
    // to a shared queue, which its layer lays down.
    void Finish();

    LineStroker(LineStroker&&) noexcept;
    LineStroker& operator=(LineStroker&&) = delete;

private:
    LineStroker(QPainter* surface, std::unique_ptr<StrokeBatch> raster);
    void StrokeThroughPainter(const QPen& pen, const QPolygon& line);
    StrokeBatch* RasterFor(const QPen& pen) const;

    QPainter* m_surface;
    std::unique_ptr<StrokeBatch> m_raster;
    StrokeBatch* m_shared = nullptr;
};
