#pragma once

#include "UnitsConv.h"

#include <QString>

#include <optional>

class DrawingLayersI;

// What is drawn over the map in every frame: copyright, scale, scale bar,
// the map-centre mark and the frame rate.
namespace MapOverlays {

struct ScaleBar
{
    double length = 0;
    DistanceUnits units = DistanceUnits::Meters;
    // Pixels at the current scale.
    double pixels = 0;
};

constexpr double MaxBarPixels = 160;

// The longest round length that fits in MaxBarPixels at the scale (metres
// per pixel), in the large units of the system first, then the small ones;
// none when even the shortest does not fit.
std::optional<ScaleBar> ChooseScaleBar(double metresPerPixel, MeasuringSystem system);
// "1.25 mpp", or "4.1 ft/px" where the small unit is feet.
QString FormatScale(double metresPerPixel, MeasuringSystem system);
// "1.5 km", "200 m".
QString FormatBarLength(const ScaleBar& bar);
QString FormatFps(double framesPerSecond);

// Returns the height taken at the bottom right plus 2, 0 for no text.
int DrawCopyright(DrawingLayersI& layers, const QString& text);
void DrawScaleLabel(DrawingLayersI& layers, double metresPerPixel, MeasuringSystem system, int copyrightHeight);
void DrawScaleBar(DrawingLayersI& layers, double metresPerPixel, MeasuringSystem system);
void DrawMapCenter(DrawingLayersI& layers);
void DrawFps(DrawingLayersI& layers, double framesPerSecond);

} // namespace MapOverlays
