#pragma once

#include "CoordTransformI.h"

class UpdateCounterImpl;

// A local equirectangular projection: a degree of latitude is always
// MetresPerDegree long, a degree of longitude that times a factor taken from
// the latitudes in view. Simple and exact enough for the few degrees a track
// view shows; the tile layer converts to web mercator itself.
class CoordTransform : public CoordTransformI
{
public:
    static constexpr double MetresPerDegree = 111111.11111111111;
    static constexpr double MinScale = 0.02;
    static constexpr double MaxScale = 24000.0;
    // Fitting never zooms in further than this.
    static constexpr double MinFitScale = 0.25;
    static constexpr double MinLonFactor = 0.2;

    CoordTransform();

    void SetViewRect(const PixelRect& rect) override;
    void FitGeoRect(const GeoRect& rect, double fill) override;
    void ZoomBy(double f) override;
    void SetCenter(const GeoPoint& point) override;
    void ZoomAt(double f, const PixelPoint& p) override;
    void PlaceGeoAt(const PixelPoint& p, const GeoPoint& g) override;
    void SetScale(double metresPerPixel) override;
    void PanBy(int32_t dx, int32_t dy) override;
    GeoPoint PixelToGeo(const PixelPoint& p) const override;
    PixelPoint GeoToPixel(const GeoPoint& g) const override;
    PointF GeoToPixelF(const GeoPoint& g) const override;
    double GetScale() const override { return m_scale; }
    GeoPoint GetCenter() const override { return {m_centerLon, m_centerLat}; }
    const PixelRect& GetViewRect() const override { return m_viewRect; }
    RectF GetViewRectF() const override;
    std::shared_ptr<UpdateWatcher> GetUpdateWatcher() const override;

    // Metres of a longitude degree over metres of a latitude degree.
    double GetLonFactor() const override { return m_lonFactor; }
    // The factor for the band between two latitudes: 1 when it touches the
    // equator, else the cosine of the latitude nearer to it, at least
    // MinLonFactor.
    static double LonFactor(double latA, double latB);

private:
    PixelPoint CenterPixel() const;
    // Degrees of latitude per pixel.
    double DegreesPerPixel() const { return m_scale / MetresPerDegree; }
    // From the latitudes of the top and bottom edges of the view.
    void UpdateLonFactor();

    PixelRect m_viewRect;
    double m_centerLon = 0.0;
    double m_centerLat = 0.0;
    double m_scale = MaxScale;
    double m_lonFactor = 1.0;
    std::shared_ptr<UpdateCounterImpl> m_updates;
};
