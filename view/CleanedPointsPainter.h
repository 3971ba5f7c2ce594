#pragma once

#include "CleaningReport.h"

#include <vector>

class CoordTransformI;
class DrawingLayersI;

// Marks on the map, above the tracks, the points that the last cleaning
// removed or left filtered, each as a ring in the colour of its reason.
class CleanedPointsPainter
{
public:
    static void Draw(DrawingLayersI& layers, const CoordTransformI& transform, const std::vector<CleanedPoint>& points);
};
