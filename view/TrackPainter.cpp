#include "TrackPainter.h"

#include "ColorMixerI.h"
#include "CalcDataGeneralI.h"
#include "CoordTransformI.h"
#include "DrawingLayers.h"
#include "LineStroker.h"
#include "OpenTracksModel.h"
#include "PickState.h"
#include "PieceValue.h"
#include "PieceValueTable.h"
#include "PixelPolyline.h"
#include "PointRange.h"
#include "TrackLodCache.h"
#include "TrackI.h"
#include "TrackPtNavI.h"

#include <QImage>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>

namespace {

constexpr int TopLayer = 2;
constexpr int MiddleLayer = 3;
constexpr int CasingLayer = 4;
constexpr QRgb ShadowColour = 0x406C6C6C;
constexpr int ShadowExtraWidth = 7;
constexpr int ArrowPieceLength = 11;
constexpr QRgb SinglePointColour = 0xFF00FF00;
constexpr double ViewGrowth = 1.1;
// Magenta stands out from the map and from the colours of the cycle.
constexpr QRgb RangeColour = 0xFFFF00FF;
// Wider than the arrow heads of a selected line (twice the centre width
// plus three), which would hide a narrower band entirely.
constexpr int RangeWidth = 17;
// The dots of points a filter would mark: red on a white rim, so that they
// show on the line whatever its colour.
constexpr QRgb PreviewColour = 0xFFE02020;
constexpr int PreviewDot = 5;

QPen MakePen(const QColor& colour, int width, Qt::PenCapStyle cap, Qt::PenJoinStyle join)
{
    QPen pen(colour, width);
    pen.setCapStyle(cap);
    pen.setJoinStyle(join);
    return pen;
}

// A preview dot: a colour centre in a white ring.
QImage PreviewDotImage()
{
    const int side = PreviewDot + 4;
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QPointF centre(side / 2.0, side / 2.0);
    painter.setPen(MakePen(Qt::white, PreviewDot + 2, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPoint(centre);
    painter.setPen(MakePen(QColor::fromRgba(PreviewColour), PreviewDot, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPoint(centre);
    return image;
}

QPolygon PolygonOf(const PolylineClipper::Run& run, size_t first, size_t last)
{
    QPolygon polygon;
    polygon.reserve(static_cast<qsizetype>(last - first + 1));
    for (size_t i = first; i <= last; ++i)
        polygon.append(run[i].pixel);
    return polygon;
}

// The wide band gains nothing from vertices closer than a pixel, and its
// round joins make each of them costly: of such a run only the first and
// the last point stay.
std::vector<QPointF> ApartByAPixel(const std::vector<QPointF>& pixels)
{
    std::vector<QPointF> kept;
    kept.reserve(pixels.size());
    for (size_t i = 0; i < pixels.size(); ++i) {
        const bool last = i + 1 == pixels.size();
        if (kept.empty() || last || std::abs(pixels[i].x() - kept.back().x()) >= 1.0
            || std::abs(pixels[i].y() - kept.back().y()) >= 1.0)
            kept.push_back(pixels[i]);
    }
    return kept;
}

GeoRect Grown(const GeoRect& r, double factor)
{
    const double halfWidth = r.Width() * factor * 0.5;
    const double halfHeight = r.Height() * factor * 0.5;
    const double lon = r.lon0 + r.Width() * 0.5;
    const double lat = r.lat0 + r.Height() * 0.5;
    return {lon - halfWidth, lat - halfHeight, lon + halfWidth, lat + halfHeight};
}

bool Intersects(const PointBounds& bounds, const GeoRect& view)
{
    return !bounds.IsEmpty() && bounds.minX <= view.lon1 && bounds.maxX >= view.lon0 && bounds.minY <= view.lat1
           && bounds.maxY >= view.lat0;
}

} // namespace

TrackPainter::TrackPainter(DrawingLayersI& layers, const CoordTransformI& transform, const OpenTracksModel& model,
                           PickState& pick, TrackLodCache* lods)
    : m_layers(layers), m_transform(transform), m_model(model), m_pick(pick), m_lods(lods)
{
    // Every drawing clips to the view, not only that of the segments: a
    // range or the current point may be drawn by a painter of its own.
    const PixelRect& view = m_transform.GetViewRect();
    m_view = QRect(view.left, view.top, view.Width(), view.Height());
    const GeoPoint southWest = m_transform.PixelToGeo({view.left, view.bottom});
    const GeoPoint northEast = m_transform.PixelToGeo({view.right, view.top});
    m_visible = Grown({southWest.lon, southWest.lat, northEast.lon, northEast.lat}, ViewGrowth);
}

LineStroker& TrackPainter::Stroker(int layer)
{
    std::unique_ptr<LineStroker>& stroker = m_strokers[static_cast<size_t>(layer)];
    if (!stroker)
        stroker = std::make_unique<LineStroker>(m_layers.GetLayer(layer), m_layers.GetSharedStrokes(layer));
    return *stroker;
}

void TrackPainter::FlushStrokes()
{
    for (const std::unique_ptr<LineStroker>& stroker : m_strokers) {
        if (stroker)
            stroker->Finish();
    }
}

QColor TrackPainter::FromColorref(uint32_t colorref)
{
    return QColor(static_cast<int>(colorref & 0xFF), static_cast<int>((colorref >> 8) & 0xFF),
                  static_cast<int>((colorref >> 16) & 0xFF));
}

TrackPainter::Line TrackPainter::LineOf(const TrackI& segment) const
{
    Line line;
    if (m_lods) {
        const TrackLineLod& lod = m_lods->Get(segment);
        line.valid = &lod.GetValidIndices();
        line.ownDrawn = lod.VisiblePart(lod.Select(m_transform.GetScale(), m_transform.GetLonFactor()), m_visible,
                                        &line.drawnPoints);
        line.drawn = &line.ownDrawn;
    } else {
        segment.GetPtNav().GetValidIndices(line.ownValid);
    }
    return line;
}

std::vector<QPointF> TrackPainter::PixelsOf(const TrackI& segment, const Line& line) const
{
    std::vector<QPointF> pixels;
    pixels.reserve(line.DrawnCount());
    if (line.drawnPoints.size() == line.DrawnCount()) {
        for (const GeoPoint& point : line.drawnPoints) {
            const PointF p = m_transform.GeoToPixelF(point);
            pixels.emplace_back(p.x, p.y);
        }
        return pixels;
    }
    double x = 0, y = 0, z = 0;
    for (size_t i = 0; i < line.DrawnCount(); ++i) {
        segment.GetPosition(line.PointIndex(static_cast<int>(i)), x, y, z);
        const PointF p = m_transform.GeoToPixelF({x, y});
        pixels.emplace_back(p.x, p.y);
    }
    return pixels;
}

std::vector<QPointF> TrackPainter::PixelsOf(const TrackI& segment, const std::vector<int>& indices) const
{
    std::vector<QPointF> pixels;
    pixels.reserve(indices.size());
    double x = 0, y = 0, z = 0;
    for (const int index : indices) {
        segment.GetPosition(index, x, y, z);
        const PointF p = m_transform.GeoToPixelF({x, y});
        pixels.emplace_back(p.x, p.y);
    }
    return pixels;
}

void TrackPainter::ForEachRun(const std::vector<QPointF>& pixels, const PolylineClipper::RunSink& sink) const
{
    PolylineClipper clipper(m_view, sink);
    for (const QPointF& pixel : pixels)
        clipper.Add(pixel);
    clipper.Finish();
}

void TrackPainter::OfferRun(const PolylineClipper::Run& run, int tid, const Line& line)
{
    for (size_t i = 0; i < run.size(); ++i) {
        const TrackPosition position{tid, line.PointIndex(run[i].source)};
        m_pick.OfferPoint(position, run[i].pixel);
        if (i + 1 < run.size())
            m_pick.OfferLine(position, run[i].pixel, run[i + 1].pixel);
    }
}

void TrackPainter::DrawSegments(const std::vector<TrackDrawAttrs>& attrs, bool showDeleted)
{
    const GeoRect& visible = m_visible;
    if (m_lods)
        m_lods->DropClosed(m_model);
    for (const TrackDrawAttrs& attr : attrs) {
        const TrackPtr segment = m_model.GetTrack(attr.tid);
        if (!segment)
            continue;
        const PointBounds own = segment->GetCalcData().GetValidBounds();
        const bool lineInView = Intersects(own, visible);
        if (attr.level == 0 || attr.level == 3) {
            if (lineInView)
                DrawPlain(*segment, attr);
            continue;
        }
        PointBounds withDeleted = own;
        withDeleted.Add(segment->GetCalcData().GetFilteredBounds());
        if (lineInView || Intersects(withDeleted, visible))
            DrawFull(*segment, attr, lineInView, showDeleted);
    }
    FlushStrokes();
}

void TrackPainter::DrawPlain(const TrackI& segment, const TrackDrawAttrs& attrs)
{
    const Line line = LineOf(segment);
    const QPen casing = MakePen(FromColorref(attrs.casingColour), attrs.casingWidth, Qt::RoundCap, Qt::RoundJoin);
    const QPen centre = MakePen(FromColorref(attrs.centreColour), attrs.centreWidth, Qt::RoundCap, Qt::BevelJoin);
    constexpr int NoCasing = -1;
    int casingLayer = NoCasing;
    int centreLayer = TopLayer;
    if (attrs.level == 3) {
        casingLayer = MiddleLayer;
    } else if (m_layers.IsMapShown()) {
        casingLayer = CasingLayer;
        centreLayer = MiddleLayer;
    }
    ForEachRun(PixelsOf(segment, line), [&](const PolylineClipper::Run& run) {
        const QPolygon polygon = PixelPolyline::Simplified(run, 0, run.size() - 1);
        if (casingLayer != NoCasing)
            Stroker(casingLayer).Stroke(casing, polygon);
        Stroker(centreLayer).Stroke(centre, polygon);
        OfferRun(run, segment.GetTid(), line);
    });
}

void TrackPainter::DrawFull(const TrackI& segment, const TrackDrawAttrs& attrs, bool lineInView, bool showDeleted)
{
    Line line = LineOf(segment);
    const std::vector<int>& indices = *line.valid;
    LineStroker& middle = Stroker(MiddleLayer);
    LineStroker& top = Stroker(TopLayer);
    const bool arrows = attrs.level == 2;
    const bool byParameter = attrs.palette && attrs.palette->GetMixer();
    if (byParameter && m_lods)
        line.values = &m_lods->GetValues(segment, attrs.palette->GetParameter(), attrs.palette->GetAggregate());
    if (lineInView && indices.size() >= 2 && middle.GetSurface() && top.GetSurface()) {
        const QPen shadow = MakePen(QColor::fromRgba(ShadowColour), attrs.centreWidth + ShadowExtraWidth,
                                    arrows ? Qt::SquareCap : Qt::RoundCap, Qt::RoundJoin);
        const QPen casing = MakePen(FromColorref(attrs.casingColour), attrs.casingWidth, Qt::RoundCap, Qt::RoundJoin);
        ForEachRun(PixelsOf(segment, line), [&](const PolylineClipper::Run& run) {
            if (!arrows) {
                const QPolygon polygon = PixelPolyline::Simplified(run, 0, run.size() - 1);
                middle.Stroke(shadow, polygon);
                middle.Stroke(casing, polygon);
            }
            if (byParameter || arrows) {
                DrawColouredPieces(top, middle, segment, attrs, line, run, arrows);
            } else {
                top.Stroke(MakePen(FromColorref(attrs.centreColour), attrs.centreWidth, Qt::RoundCap, Qt::BevelJoin),
                           PixelPolyline::Simplified(run, 0, run.size() - 1));
            }
            OfferRun(run, segment.GetTid(), line);
        });
    }
    if (showDeleted && segment.GetPtNav().GetFilteredCount() > 0)
        DrawDeleted(segment);
    if (indices.size() == 1)
        DrawSinglePoint(segment, attrs, indices.front());
}

void TrackPainter::DrawColouredPieces(LineStroker& centre, LineStroker& shadow, const TrackI& segment,
                                      const TrackDrawAttrs& attrs, const Line& line, const PolylineClipper::Run& run,
                                      bool arrows)
{
    const int reach = arrows ? ArrowPieceLength : attrs.centreWidth;
    const std::shared_ptr<const ColorMixerI> mixer = attrs.palette ? attrs.palette->GetMixer() : nullptr;
    const QPen shadowPen = MakePen(QColor::fromRgba(ShadowColour), attrs.centreWidth + ShadowExtraWidth,
                                   Qt::SquareCap, Qt::RoundJoin);
    size_t start = 0;
    for (size_t j = 1; j < run.size(); ++j) {
        const QPoint d = run[j].pixel - run[start].pixel;
        if (d.x() * d.x() + d.y() * d.y() <= reach * reach && j + 1 < run.size())
            continue;
        QColor colour = FromColorref(attrs.centreColour);
        if (mixer) {
            // Every valid point between the drawn ends counts, drawn or not.
            const int first = line.ValidPosition(run[start].source);
            const int last = line.ValidPosition(run[j].source);
            double value = 0;
            if (line.values) {
                value = line.values->Compute(first, last);
            } else {
                const std::vector<int>& valid = *line.valid;
                const std::vector<int> points(valid.begin() + first, valid.begin() + last + 1);
                value = PieceValue::Compute(segment, attrs.palette->GetParameter(), attrs.palette->GetAggregate(),
                                            points);
            }
            colour = FromColorref(mixer->GetColor(value));
        }
        // An arrow's head points along the last leg drawn, which must stay
        // the one the points give.
        const QPolygon piece = arrows ? PolygonOf(run, start, j) : PixelPolyline::Simplified(run, start, j);
        if (arrows) {
            // A shadow drawn a pixel off in every direction, nine times over.
            shadow.Stroke(shadowPen, piece, 1);
            centre.StrokeArrow(MakePen(colour, attrs.centreWidth, Qt::FlatCap, Qt::BevelJoin), piece);
        } else {
            centre.Stroke(MakePen(colour, attrs.centreWidth, Qt::RoundCap, Qt::BevelJoin), piece);
        }
        start = j;
    }
}

void TrackPainter::DrawDeleted(const TrackI& segment)
{
    QPainter* top = m_layers.GetLayer(TopLayer);
    if (!top)
        return;
    std::vector<int> all(static_cast<size_t>(segment.GetPointCount()));
    for (size_t i = 0; i < all.size(); ++i)
        all[i] = static_cast<int>(i);
    const std::vector<QPointF> pixels = PixelsOf(segment, all);
    QPen pen = MakePen(Qt::black, 2, Qt::FlatCap, Qt::BevelJoin);
    pen.setStyle(Qt::DashDotLine);
    ForEachRun(pixels, [&](const PolylineClipper::Run& run) {
        Stroker(TopLayer).Stroke(pen, PolygonOf(run, 0, run.size() - 1));
    });
    std::vector<int> deleted;
    segment.GetPtNav().GetFilteredIndices(deleted);
    for (const int index : deleted)
        {
        const QPointF& pixel = pixels[static_cast<size_t>(index)];
        m_pick.OfferPoint({segment.GetTid(), index}, QPoint(RoundToPixel(pixel.x()), RoundToPixel(pixel.y())));
    }
}

void TrackPainter::DrawPreviewMarks(int tid, const std::vector<int>& indices)
{
    QPainter* top = m_layers.GetLayer(TopLayer);
    const TrackPtr segment = indices.empty() ? nullptr : m_model.GetTrack(tid);
    if (!top || !segment)
        return;
    const QRectF area = QRectF(m_view).adjusted(-PreviewDot, -PreviewDot, PreviewDot, PreviewDot);
    QPolygonF dots;
    double x = 0, y = 0, z = 0;
    for (const int index : indices) {
        if (!segment->GetPosition(index, x, y, z))
            continue;
        const PointF p = m_transform.GeoToPixelF({x, y});
        if (area.contains(p.x, p.y))
            dots.append(QPointF(p.x, p.y));
    }
    if (dots.isEmpty())
        return;
    // A preview can mark a great many points; copying one dot drawn once is
    // many times cheaper than stroking each of them.
    static const QImage dot = PreviewDotImage();
    const QPointF centre(dot.width() / 2.0, dot.height() / 2.0);
    for (const QPointF& p : dots)
        top->drawImage(p - centre, dot);
}

void TrackPainter::DrawSinglePoint(const TrackI& segment, const TrackDrawAttrs& attrs, int index)
{
    QPainter* top = m_layers.GetLayer(TopLayer);
    if (!top)
        return;
    // The point goes over the lines already queued for the layer.
    Stroker(TopLayer).Flush();
    double x = 0, y = 0, z = 0;
    segment.GetPosition(index, x, y, z);
    const PixelPoint pixel = m_transform.GeoToPixel({x, y});
    const bool ownColour = !attrs.palette || attrs.palette->GetParameter() == PaletteParameter::Segments;
    top->setPen(MakePen(ownColour ? FromColorref(attrs.centreColour) : QColor::fromRgba(SinglePointColour), 2,
                        Qt::RoundCap, Qt::RoundJoin));
    top->setBrush(Qt::NoBrush);
    top->drawEllipse(QPointF(pixel.x, pixel.y), 2.0, 2.0);
    m_pick.OfferPoint({segment.GetTid(), index}, QPoint(pixel.x, pixel.y));
}

void TrackPainter::DrawPointRange(const PointRange& range)
{
    QPainter* middle = m_layers.GetLayer(MiddleLayer);
    const TrackPtr segment = range.IsEmpty() ? nullptr : m_model.GetTrack(range.tid);
    if (!middle || !segment || range.last >= segment->GetPointCount())
        return;
    const Line line = LineOf(*segment);
    const std::vector<int>& valid = *line.valid;
    const auto from = std::lower_bound(valid.begin(), valid.end(), range.first) - valid.begin();
    const auto to = std::upper_bound(valid.begin(), valid.end(), range.last) - valid.begin() - 1;
    if (from > to)
        return;
    // The drawn points inside the range, and its own end points, which a
    // simplified line may have left out.
    std::vector<int> indices{valid[static_cast<size_t>(from)]};
    for (size_t i = 0; i < line.DrawnCount(); ++i) {
        const int position = line.ValidPosition(static_cast<int>(i));
        if (position > from && position < to)
            indices.push_back(valid[static_cast<size_t>(position)]);
    }
    if (to > from)
        indices.push_back(valid[static_cast<size_t>(to)]);
    const std::vector<QPointF> pixels = ApartByAPixel(PixelsOf(*segment, indices));
    Stroker(MiddleLayer).Flush();
    if (pixels.size() == 1) {
        middle->save();
        middle->setPen(Qt::NoPen);
        middle->setBrush(QColor::fromRgba(RangeColour));
        middle->drawEllipse(pixels.front(), RangeWidth / 2.0, RangeWidth / 2.0);
        middle->restore();
        return;
    }
    const QPen band = MakePen(QColor::fromRgba(RangeColour), RangeWidth, Qt::RoundCap, Qt::RoundJoin);
    ForEachRun(pixels, [&](const PolylineClipper::Run& run) {
        Stroker(MiddleLayer).Stroke(band, PolygonOf(run, 0, run.size() - 1));
    });
    FlushStrokes();
}

void TrackPainter::DrawCurrentPoint(DrawingLayers& layers, const TrackPosition& current)
{
    QPainter* top = layers.GetLayer(TopLayer);
    const TrackPtr segment = current.tid >= 0 ? m_model.GetTrack(current.tid) : nullptr;
    if (!top || !segment || current.index < 0 || current.index >= segment->GetPointCount())
        return;
    double x = 0, y = 0, z = 0;
    segment->GetPosition(current.index, x, y, z);
    const PixelPoint pixel = m_transform.GeoToPixel({x, y});
    layers.DrawSprite(*top, 0, pixel.x, pixel.y);
}

void TrackPainter::DrawPointMarker(QPainter& surface, const QPointF& at)
{
    surface.save();
    surface.setBrush(Qt::NoBrush);
    surface.setPen(QPen(Qt::white, 3));
    surface.drawEllipse(at, 2.0, 2.0);
    surface.setPen(QPen(Qt::black, 2));
    surface.drawEllipse(at, 2.0, 2.0);
    surface.restore();
}
