#include "LineStroker.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// The painter's stroker fills a long polyline as one polygon, whose cost
// grows faster than its length on a track that crosses itself; pieces that
// overlap by a vertex look the same with round caps and cost far less.
constexpr qsizetype MaxStrokeVertices = 64;

StrokeRaster::Cap CapOf(Qt::PenCapStyle cap)
{
    switch (cap) {
    case Qt::FlatCap:
        return StrokeRaster::Cap::Flat;
    case Qt::SquareCap:
        return StrokeRaster::Cap::Square;
    default:
        return StrokeRaster::Cap::Round;
    }
}

// The corners of a head whose tip is at the line's end, as wide as the
// line plus three pixels and twice as long plus two.
bool HeadOf(const QPolygon& line, int width, QPointF (&head)[3])
{
    const QPointF tip = line.back();
    const QPointF d = tip - QPointF(line[line.size() - 2]);
    const double length = std::hypot(d.x(), d.y());
    if (length <= 0)
        return false;
    const QPointF along = d / length;
    const QPointF across(-along.y(), along.x());
    const QPointF base = tip - along * (2.0 * width + 2.0);
    const double halfWidth = width + 1.5;
    head[0] = tip + along * 1.0;
    head[1] = base + across * halfWidth;
    head[2] = base - across * halfWidth;
    return true;
}

} // namespace

LineStroker::LineStroker(QPainter* surface)
    : LineStroker(surface, surface ? StrokeBatch::For(*surface) : nullptr)
{
}

LineStroker::LineStroker(QPainter* surface, std::unique_ptr<StrokeBatch> raster)
    : m_surface(surface), m_raster(std::move(raster))
{
}

LineStroker::LineStroker(QPainter* surface, StrokeBatch* shared)
    : m_surface(surface), m_raster(shared || !surface ? nullptr : StrokeBatch::For(*surface)), m_shared(shared)
{
}

LineStroker::~LineStroker() = default;
LineStroker::LineStroker(LineStroker&&) noexcept = default;

LineStroker LineStroker::ThroughPainter(QPainter* surface)
{
    return LineStroker(surface, std::unique_ptr<StrokeBatch>());
}

StrokeBatch* LineStroker::RasterFor(const QPen& pen) const
{
    // Hairlines the painter draws cheaply, through a stroker of their own
    // whose anti-aliasing differs; dashes it keeps too.
    constexpr double MinRasterWidth = 1.5;
    if (pen.style() != Qt::SolidLine || pen.widthF() < MinRasterWidth)
        return nullptr;
    return m_shared ? m_shared : m_raster.get();
}

void LineStroker::Stroke(const QPen& pen, const QPolygon& line, int spread)
{
    if (!m_surface || line.isEmpty())
        return;
    if (StrokeBatch* raster = RasterFor(pen)) {
        const StrokeRaster::Cap cap = CapOf(pen.capStyle());
        raster->Polyline(line, {pen.color().rgba(), pen.widthF(), cap, cap, spread});
        return;
    }
    for (int dx = -spread; dx <= spread; ++dx) {
        for (int dy = -spread; dy <= spread; ++dy)
            StrokeThroughPainter(pen, line.translated(dx, dy));
    }
}

void LineStroker::StrokeArrow(const QPen& pen, const QPolygon& line)
{
    QPointF head[3];
    if (!m_surface || line.size() < 2 || !HeadOf(line, pen.width(), head)) {
        Stroke(pen, line);
        return;
    }
    if (StrokeBatch* raster = RasterFor(pen)) {
        const StrokeRaster::Cap cap = CapOf(pen.capStyle());
        raster->PolylineWithHead(line, {pen.color().rgba(), pen.widthF(), cap, cap, 0}, head);
        return;
    }
    StrokeThroughPainter(pen, line);
    m_surface->save();
    m_surface->setPen(Qt::NoPen);
    m_surface->setBrush(pen.color());
    m_surface->drawPolygon(head, 3);
    m_surface->restore();
}

void LineStroker::Flush()
{
    Finish();
    if (m_shared)
        m_shared->Flush();
}

void LineStroker::Finish()
{
    if (m_raster)
        m_raster->Flush();
}

void LineStroker::StrokeThroughPainter(const QPen& pen, const QPolygon& line)
{
    Flush();
    m_surface->setPen(pen);
    if (line.size() <= MaxStrokeVertices || pen.capStyle() != Qt::RoundCap) {
        m_surface->drawPolyline(line);
        return;
    }
    for (qsizetype first = 0; first + 1 < line.size(); first += MaxStrokeVertices - 1) {
        const qsizetype count = std::min(MaxStrokeVertices, line.size() - first);
        m_surface->drawPolyline(line.constData() + first, static_cast<int>(count));
    }
}
