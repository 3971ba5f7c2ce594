#pragma once

#include "GeoTypes.h"

#include <memory>

class UpdateWatcher;

// Maps geographic positions to pixels of the map window and back, and holds
// what the window shows: its pixel rectangle, the place at its centre and
// the scale in metres per pixel.
class CoordTransformI
{
public:
    virtual ~CoordTransformI() = default;

    // Centre and scale stay.
    virtual void SetViewRect(const PixelRect& rect) = 0;
    // Centres on the rectangle and zooms so that it fills `fill` of the view
    // (1.0: edge to edge).
    virtual void FitGeoRect(const GeoRect& rect, double fill) = 0;
    // f > 1 zooms in.
    virtual void ZoomBy(double f) = 0;
    virtual void SetCenter(const GeoPoint& point) = 0;
    // Zooms keeping the place under p where it is.
    virtual void ZoomAt(double f, const PixelPoint& p) = 0;
    // Moves the view so that g shows at p.
    virtual void PlaceGeoAt(const PixelPoint& p, const GeoPoint& g) = 0;
    virtual void SetScale(double metresPerPixel) = 0;
    // Positive dx moves the view east, positive dy south.
    virtual void PanBy(int32_t dx, int32_t dy) = 0;
    virtual GeoPoint PixelToGeo(const PixelPoint& p) const = 0;
    virtual PixelPoint GeoToPixel(const GeoPoint& g) const = 0;
    virtual PointF GeoToPixelF(const GeoPoint& g) const = 0;
    virtual double GetScale() const = 0;
    // The screen width of a degree of longitude against one of latitude
    // (about the cosine of the view's latitude).
    virtual double GetLonFactor() const = 0;
    virtual GeoPoint GetCenter() const = 0;
    virtual const PixelRect& GetViewRect() const = 0;
    virtual RectF GetViewRectF() const = 0;
    // A new watcher that reports every change of rectangle, centre or scale
    // made after it was created.
    virtual std::shared_ptr<UpdateWatcher> GetUpdateWatcher() const = 0;
};

// The geographic rectangle the view shows: west, south, east, north.
GeoRect ViewGeoRect(const CoordTransformI& transform);
