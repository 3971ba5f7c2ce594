#pragma once

#include "StrokeRaster.h"

#include <QPoint>
#include <QPointF>
#include <QPolygon>

#include <array>
#include <memory>
#include <vector>

class QImage;
class QPainter;

// The raster strokes of one image layer, queued until Flush and then laid
// down in horizontal bands, each on a thread of its own. Every band takes
// every stroke in order, so the pixels come out as one raster laying them
// down one by one would make them; a frame's lines take a fraction of the
// time on a machine with several cores.
class StrokeBatch
{
public:
    // A batch over the image the painter paints on, or null when it paints
    // on something else, through more than a move by whole pixels, clipped,
    // faded, blended otherwise than over or without anti-aliasing.
    static std::unique_ptr<StrokeBatch> For(QPainter& painter);

    // Lines are given in coordinates that origin moves onto the image.
    StrokeBatch(QImage& image, QPoint origin);
    ~StrokeBatch();

    void Polyline(const QPolygon& line, const StrokeRaster::Style& style);
    // A polyline with a filled triangle (an arrow head) at its end.
    void PolylineWithHead(const QPolygon& line, const StrokeRaster::Style& style, const QPointF (&head)[3]);

    // Lays down what is queued, before anything else draws on the image.
    void Flush();

    // Bands to split a flush into; 0 (the default) lets the batch choose
    // from the cores and from how much is queued.
    void SetBandCount(int bands) { m_bandCount = bands; }

private:
    struct Stroke
    {
        QPolygon line;
        StrokeRaster::Style style;
        bool withHead = false;
        std::array<QPointF, 3> head{};
    };

    int ChooseBandCount() const;
    // The first image row of each band and the end of the last, splitting
    // the queued vertices evenly.
    std::vector<int> BandEdges(int bands) const;
    void LayDown(StrokeRaster& raster) const;

    QImage& m_image;
    QPoint m_origin;
    std::vector<Stroke> m_queue;
    qsizetype m_queuedVertices = 0;
    int m_bandCount = 0;
};
