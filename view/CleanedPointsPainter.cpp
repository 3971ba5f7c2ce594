#include "CleanedPointsPainter.h"

#include "CoordTransformI.h"
#include "DrawingLayersI.h"
#include "ReasonColours.h"

#include <QPainter>
#include <QPen>

namespace {

// The layer of deleted points and markers.
constexpr int kTopLayer = 2;
constexpr double kRadius = 3.5;

} // namespace

void CleanedPointsPainter::Draw(DrawingLayersI& layers, const CoordTransformI& transform,
                                const std::vector<CleanedPoint>& points)
{
    QPainter* top = layers.GetLayer(kTopLayer);
    if (!top || points.empty())
        return;
    const QRectF frame = QRectF(layers.GetFrameRect()).adjusted(-kRadius, -kRadius, kRadius, kRadius);
    top->save();
    top->setRenderHint(QPainter::Antialiasing);
    top->setBrush(QColor(255, 255, 255, 160));
    for (const CleanedPoint& point : points) {
        const PointF pixel = transform.GeoToPixelF({point.lon, point.lat});
        const QPointF at(pixel.x, pixel.y);
        if (!frame.contains(at))
            continue;
        top->setPen(QPen(QColor::fromRgba(ReasonColours::Of(point.reasonKey)), 2.0));
        top->drawEllipse(at, kRadius, kRadius);
    }
    top->restore();
}
