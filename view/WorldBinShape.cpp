#include "WorldBinShape.h"

#include "GshhgFile.h"

#include <cmath>

namespace {

// Where a point on the bin's edge lies on its way round, counter-clockwise
// from the south-west corner: 0 to 1 along the south side, 1 to 2 up the
// east, 2 to 3 back along the north, 3 to 4 down the west.
double RoundPosition(const QPointF& p, const QRectF& bin)
{
    const double fx = (p.x() - bin.left()) / bin.width();
    const double fy = (p.y() - bin.top()) / bin.height();
    const double south = fy;
    const double east = 1 - fx;
    const double north = 1 - fy;
    const double west = fx;
    const double nearest = std::min({south, east, north, west});
    if (nearest == south)
        return fx;
    if (nearest == east)
        return 1 + fy;
    if (nearest == north)
        return 2 + (1 - fx);
    return 3 + (1 - fy);
}

// Corner k is where side k begins: south-west, south-east, north-east,
// north-west.
QPointF Corner(const QRectF& bin, int k)
{
    switch (k % 4) {
    case 0:
        return {bin.left(), bin.top()};
    case 1:
        return {bin.right(), bin.top()};
    case 2:
        return {bin.right(), bin.bottom()};
    default:
        return {bin.left(), bin.bottom()};
    }
}

void AddPolyline(QPainterPath& path, const std::vector<QPointF>& points)
{
    if (points.empty())
        return;
    path.moveTo(points.front());
    for (size_t i = 1; i < points.size(); ++i)
        path.lineTo(points[i]);
}

// The piece, then counter-clockwise along the bin's sides back to its start.
void AddClosedAlongSides(QPainterPath& land, const std::vector<QPointF>& points, const QRectF& bin)
{
    AddPolyline(land, points);
    const double from = RoundPosition(points.back(), bin);
    double to = RoundPosition(points.front(), bin);
    if (to < from)
        to += 4;
    for (int k = static_cast<int>(std::floor(from)) + 1; k < to; ++k)
        land.lineTo(Corner(bin, k));
    land.closeSubpath();
}

// Just inside corner k, where its level holds unless a shore passes closer.
QPointF InsideCorner(const QRectF& bin, int k)
{
    const double inset = bin.width() * 1e-4;
    const QPointF corner = Corner(bin, k);
    return {corner.x() + (k == 0 || k == 3 ? inset : -inset), corner.y() + (k < 2 ? inset : -inset)};
}

} // namespace

WorldBinShape WorldBinShape::FromShoreline(const GshhgBin& bin, double binSize)
{
    WorldBinShape shape;
    shape.bounds = QRectF(bin.west, bin.south, binSize, binSize);
    shape.land.setFillRule(Qt::OddEvenFill);
    for (const GshhgSegment& segment : bin.segments) {
        if (segment.points.size() < 2)
            continue;
        AddPolyline(shape.lines, segment.points);
        if (segment.IsClosed()) {
            AddPolyline(shape.land, segment.points);
            shape.land.closeSubpath();
        } else {
            AddClosedAlongSides(shape.land, segment.points, shape.bounds);
        }
    }
    // Odd levels are land. A shore may pass a corner closely, so the corners
    // vote.
    int agreeing = 0;
    for (int k = 0; k < 4; ++k) {
        const bool land = bin.cornerLevels[static_cast<size_t>(k)] % 2 == 1;
        agreeing += shape.land.contains(InsideCorner(shape.bounds, k)) == land ? 1 : -1;
    }
    if (agreeing < 0)
        shape.land.addRect(shape.bounds);
    return shape;
}

WorldBinShape WorldBinShape::FromBorders(const GshhgBin& bin, double binSize, int maxLevel)
{
    WorldBinShape shape;
    shape.bounds = QRectF(bin.west, bin.south, binSize, binSize);
    for (const GshhgSegment& segment : bin.segments)
        if (segment.level <= maxLevel)
            AddPolyline(shape.lines, segment.points);
    return shape;
}
