#pragma once

#include "PolylineClipper.h"
#include "TrackDrawAttrs.h"

#include <QColor>
#include <QPen>

#include <vector>

class CoordTransformI;
class DrawingLayers;
class DrawingLayersI;
class OpenTracksModel;
class PickState;
class QPainter;
class TrackI;
struct TrackPosition;

// Draws the shown segments of one frame onto the drawing layers: casings,
// shadows and centre lines, colour by parameter, direction arrows, deleted
// points and single points, and tells the pick state what it drew.
class TrackPainter
{
public:
    TrackPainter(DrawingLayersI& layers, const CoordTransformI& transform, const OpenTracksModel& model,
                 PickState& pick);

    // attrs in drawing order (by level).
    void DrawSegments(const std::vector<TrackDrawAttrs>& attrs, bool showDeleted);
    // Sprite 0 over the current point, if it is in a shown segment.
    void DrawCurrentPoint(DrawingLayers& layers, const TrackPosition& current);
    // A black ring with a white halo around a highlighted point.
    static void DrawPointMarker(QPainter& surface, const QPointF& at);

    static QColor FromColorref(uint32_t colorref);

private:
    // Pixels of the given points of a segment, in order.
    std::vector<QPointF> PixelsOf(const TrackI& segment, const std::vector<int>& indices) const;
    // Calls sink for every clipped run of the points.
    void ForEachRun(const std::vector<QPointF>& pixels, const PolylineClipper::RunSink& sink) const;
    void OfferRun(const PolylineClipper::Run& run, int tid, const std::vector<int>& indices);

    void DrawPlain(const TrackI& segment, const TrackDrawAttrs& attrs);
    void DrawFull(const TrackI& segment, const TrackDrawAttrs& attrs, bool lineInView, bool showDeleted);
    void DrawColouredPieces(QPainter& centre, QPainter& shadow, const TrackI& segment, const TrackDrawAttrs& attrs,
                            const std::vector<int>& indices, const PolylineClipper::Run& run, bool arrows);
    void DrawDeleted(const TrackI& segment);
    void DrawSinglePoint(const TrackI& segment, const TrackDrawAttrs& attrs, int index);

    DrawingLayersI& m_layers;
    const CoordTransformI& m_transform;
    const OpenTracksModel& m_model;
    PickState& m_pick;
    QRect m_view;
};
