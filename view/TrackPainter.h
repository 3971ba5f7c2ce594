#pragma once

#include "DrawingLayersI.h"
#include "GeoTypes.h"
#include "LineStroker.h"
#include "PolylineClipper.h"
#include "TrackDrawAttrs.h"

#include <QColor>
#include <QPen>

#include <array>
#include <memory>
#include <vector>

class CoordTransformI;
class DrawingLayers;
class DrawingLayersI;
class OpenTracksModel;
class PickState;
class PieceValueTable;
class QPainter;
class TrackI;
class TrackLodCache;
struct PointRange;
struct TrackPosition;

// Draws the shown segments of one frame onto the drawing layers: casings,
// shadows and centre lines, colour by parameter, direction arrows, deleted
// points and single points, and tells the pick state what it drew.
class TrackPainter
{
public:
    // Lines come simplified from lods when given (what the pixels can
    // show), else whole.
    TrackPainter(DrawingLayersI& layers, const CoordTransformI& transform, const OpenTracksModel& model,
                 PickState& pick, TrackLodCache* lods = nullptr);

    // attrs in drawing order (by level).
    void DrawSegments(const std::vector<TrackDrawAttrs>& attrs, bool showDeleted);
    // A wide band under the line of the range's valid points, drawn from
    // the same simplified line as the segment; after DrawSegments, which
    // sets the frame's view.
    void DrawPointRange(const PointRange& range);
    // A red dot over each of the points of segment tid that a filter would
    // mark (a preview: they are still valid), those in view only.
    void DrawPreviewMarks(int tid, const std::vector<int>& indices);
    // Sprite 0 over the current point, if it is in a shown segment.
    void DrawCurrentPoint(DrawingLayers& layers, const TrackPosition& current);
    // A black ring with a white halo around a highlighted point.
    static void DrawPointMarker(QPainter& surface, const QPointF& at);

    static QColor FromColorref(uint32_t colorref);

private:
    // The valid points of a segment and those of them drawn in this frame.
    struct Line
    {
        std::vector<int> ownValid;
        std::vector<int> ownDrawn;
        const std::vector<int>* valid = &ownValid;
        // Positions into valid; empty when every valid point is drawn.
        const std::vector<int>* drawn = nullptr;
        // Where the map keeps them, the positions of the drawn points.
        std::vector<GeoPoint> drawnPoints;
        // What colours the pieces, where the map keeps it; else the points
        // are read for every piece.
        const PieceValueTable* values = nullptr;

        size_t DrawnCount() const { return drawn && !drawn->empty() ? drawn->size() : valid->size(); }
        // The position in valid of the source-th drawn point.
        int ValidPosition(int source) const
        {
            return drawn && !drawn->empty() ? (*drawn)[static_cast<size_t>(source)] : source;
        }
        int PointIndex(int source) const { return (*valid)[static_cast<size_t>(ValidPosition(source))]; }
    };

    Line LineOf(const TrackI& segment) const;
    // Pixels of the drawn points of a line, in order.
    std::vector<QPointF> PixelsOf(const TrackI& segment, const Line& line) const;
    // Pixels of the given points of a segment, in order.
    std::vector<QPointF> PixelsOf(const TrackI& segment, const std::vector<int>& indices) const;
    // Calls sink for every clipped run of the points.
    void ForEachRun(const std::vector<QPointF>& pixels, const PolylineClipper::RunSink& sink) const;
    void OfferRun(const PolylineClipper::Run& run, int tid, const Line& line);

    void DrawPlain(const TrackI& segment, const TrackDrawAttrs& attrs);
    void DrawFull(const TrackI& segment, const TrackDrawAttrs& attrs, bool lineInView, bool showDeleted);
    void DrawColouredPieces(LineStroker& centre, LineStroker& shadow, const TrackI& segment, const TrackDrawAttrs& attrs,
                            const Line& line, const PolylineClipper::Run& run, bool arrows);
    void DrawDeleted(const TrackI& segment);
    void DrawSinglePoint(const TrackI& segment, const TrackDrawAttrs& attrs, int index);

    DrawingLayersI& m_layers;
    const CoordTransformI& m_transform;
    const OpenTracksModel& m_model;
    PickState& m_pick;
    TrackLodCache* m_lods;
    // The stroker of a layer, made when first asked for, as the layer is.
    LineStroker& Stroker(int layer);
    // Lays down every layer's queued strokes: before the painter or anyone
    // else draws on the layers by other means.
    void FlushStrokes();

    // One per layer, in layer order.
    std::array<std::unique_ptr<LineStroker>, DrawingLayersI::LayerCount> m_strokers;
    QRect m_view;
    // The view in degrees, grown by a margin.
    GeoRect m_visible;
};
