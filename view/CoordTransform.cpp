#include "CoordTransform.h"

#include "TMath.h"
#include "UpdateCounterImpl.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double MinFitExtent = 1e-10;
constexpr int MaxFitRounds = 5;
constexpr double FitFactorTolerance = 0.001;

// Pixels per degree that make the extent fill the view; an extent too small
// to measure leaves the choice to the other one.
double FitRatio(double viewWidth, double viewHeight, double width, double height)
{
    const double eps = TMath<double>::EPSILON;
    const bool useWidth = width >= eps;
    const bool useHeight = height >= eps;
    if (useWidth && useHeight)
        return std::min(viewWidth / width, viewHeight / height);
    if (useWidth)
        return viewWidth / width;
    if (useHeight)
        return viewHeight / height;
    return 0.0;
}

} // namespace

CoordTransform::CoordTransform()
    : m_updates(std::make_shared<UpdateCounterImpl>())
{
}

double CoordTransform::LonFactor(double latA, double latB)
{
    const double a = std::clamp(latA, -90.0, 90.0);
    const double b = std::clamp(latB, -90.0, 90.0);
    if ((a >= 0 && b <= 0) || (a <= 0 && b >= 0))
        return 1.0;
    const double factor = std::max(std::cos(a * TMath<double>::DEG_TO_RAD), std::cos(b * TMath<double>::DEG_TO_RAD));
    return std::max(factor, MinLonFactor);
}

PixelPoint CoordTransform::CenterPixel() const
{
    return {(m_viewRect.right - m_viewRect.left) / 2 + m_viewRect.left,
            (m_viewRect.bottom - m_viewRect.top) / 2 + m_viewRect.top};
}

void CoordTransform::UpdateLonFactor()
{
    const PixelPoint c = CenterPixel();
    const double d = DegreesPerPixel();
    m_lonFactor = LonFactor(m_centerLat + (c.y - m_viewRect.top) * d, m_centerLat + (c.y - m_viewRect.bottom) * d);
}

void CoordTransform::SetViewRect(const PixelRect& rect)
{
    m_viewRect = rect;
    UpdateLonFactor();
    m_updates->Increment();
}

void CoordTransform::SetScale(double metresPerPixel)
{
    // A scale that is not a number would make every position one too.
    if (std::isnan(metresPerPixel))
        return;
    m_scale = std::clamp(metresPerPixel, MinScale, MaxScale);
    UpdateLonFactor();
    m_updates->Increment();
}

void CoordTransform::PlaceGeoAt(const PixelPoint& p, const GeoPoint& g)
{
    const PixelPoint c = CenterPixel();
    const double d = DegreesPerPixel();
    m_centerLat = std::clamp(g.lat + (p.y - c.y) * d, -90.0, 90.0);
    UpdateLonFactor();
    // Longitude is neither wrapped nor clamped: a track across the
    // antimeridian stays in one piece.
    m_centerLon = g.lon + (c.x - p.x) * d / m_lonFactor;
    m_updates->Increment();
}

void CoordTransform::SetCenter(const GeoPoint& point)
{
    PlaceGeoAt(CenterPixel(), point);
}

void CoordTransform::ZoomBy(double f)
{
    SetScale(m_scale / f);
}

void CoordTransform::ZoomAt(double f, const PixelPoint& p)
{
    const GeoPoint g = PixelToGeo(p);
    SetScale(m_scale / f);
    PlaceGeoAt(p, g);
}

void CoordTransform::PanBy(int32_t dx, int32_t dy)
{
    const PixelPoint c = CenterPixel();
    SetCenter(PixelToGeo({c.x + dx, c.y + dy}));
}

GeoPoint CoordTransform::PixelToGeo(const PixelPoint& p) const
{
    const PixelPoint c = CenterPixel();
    const double d = DegreesPerPixel();
    return {(p.x - c.x) * d / m_lonFactor + m_centerLon, (c.y - p.y) * d + m_centerLat};
}

PointF CoordTransform::GeoToPixelF(const GeoPoint& g) const
{
    const PixelPoint c = CenterPixel();
    return {(g.lon - m_centerLon) * MetresPerDegree / m_scale * m_lonFactor + c.x,
            c.y - (g.lat - m_centerLat) * MetresPerDegree / m_scale};
}

PixelPoint CoordTransform::GeoToPixel(const GeoPoint& g) const
{
    const PointF f = GeoToPixelF(g);
    return {RoundToPixel(f.x), RoundToPixel(f.y)};
}

RectF CoordTransform::GetViewRectF() const
{
    return {static_cast<double>(m_viewRect.left), static_cast<double>(m_viewRect.top),
            static_cast<double>(m_viewRect.right), static_cast<double>(m_viewRect.bottom)};
}

std::shared_ptr<UpdateWatcher> CoordTransform::GetUpdateWatcher() const
{
    return std::make_shared<UpdateWatcher>(m_updates);
}

void CoordTransform::FitGeoRect(const GeoRect& rect, double fill)
{
    SetCenter({rect.lon0 + rect.Width() * 0.5, rect.lat0 + rect.Height() * 0.5});
    GeoRect fit = rect;
    if (fit.Width() < MinFitExtent) {
        fit.lon0 -= MinFitExtent;
        fit.lon1 += MinFitExtent;
    }
    if (fit.Height() < MinFitExtent) {
        fit.lat0 -= MinFitExtent;
        fit.lat1 += MinFitExtent;
    }
    m_lonFactor = LonFactor(fit.lat0, fit.lat1);
    // The factor depends on the band in view, which depends on the scale:
    // a few rounds settle it.
    for (int round = 0; round < MaxFitRounds; ++round) {
        const double previous = m_lonFactor;
        const double ratio = FitRatio(m_viewRect.Width(), m_viewRect.Height(), fit.Width() * m_lonFactor, fit.Height());
        SetScale(std::max(MetresPerDegree / (ratio * fill), MinFitScale));
        if (std::abs(previous - m_lonFactor) / m_lonFactor < FitFactorTolerance)
            break;
    }
}

GeoRect ViewGeoRect(const CoordTransformI& transform)
{
    const PixelRect& view = transform.GetViewRect();
    const GeoPoint northWest = transform.PixelToGeo({view.left, view.top});
    const GeoPoint southEast = transform.PixelToGeo({view.right, view.bottom});
    return {northWest.lon, southEast.lat, southEast.lon, northWest.lat};
}
