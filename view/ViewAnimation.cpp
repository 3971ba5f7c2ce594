#include "ViewAnimation.h"

#include "CoordTransformI.h"
#include "TMath.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace {

constexpr double FlightMetresPerDegree = 111111.0;
// Hops shorter than this many window sizes keep the scale.
constexpr double ZoomOutWindows = 2.0;

} // namespace

ViewAnimation::ViewAnimation(CoordTransformI& transform, Clock clock)
    : m_transform(transform), m_clock(std::move(clock))
{
}

ViewAnimation::Clock ViewAnimation::SteadyClock()
{
    return [] {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
    };
}

void ViewAnimation::StartFlyTo(const GeoPoint& target, double seconds)
{
    const double scale = m_transform.GetScale();
    if (!m_active)
        m_targetScale = m_middleScale = scale;
    const GeoPoint c = m_transform.GetCenter();
    const double dx = c.lon - target.lon;
    const double dy = c.lat - target.lat;
    const double cosMean = std::cos((c.lat + target.lat) * 0.5 * TMath<double>::DEG_TO_RAD);
    const double metres = std::sqrt(dx * dx * cosMean * cosMean + dy * dy) * FlightMetresPerDegree;
    const PixelRect& view = m_transform.GetViewRect();
    const double window = std::max(view.Width(), view.Height()) * scale;
    // An empty window has no size to measure the hop by: no zooming out.
    const double windows = window > 0 ? metres / window : 0.0;
    m_peakScale = windows > ZoomOutWindows ? (windows + ZoomOutWindows) * scale : scale;
    m_startCenter = c;
    m_targetCenter = target;
    m_startMs = m_clock();
    const double ms = std::trunc(seconds * 1000.0);
    m_durationMs = ms >= 1.0 ? static_cast<uint32_t>(std::min(ms, 4294967295.0)) : 1u;
    m_active = true;
}

void ViewAnimation::StepFlyTo()
{
    if (!m_active)
        return;
    const uint32_t elapsed = m_clock() - m_startMs;
    if (elapsed >= m_durationMs) {
        m_transform.SetCenter(m_targetCenter);
        m_active = false;
        m_transform.SetScale(m_targetScale);
        return;
    }
    const double t = static_cast<double>(elapsed) / m_durationMs;
    const double e = 1.0 - (1.0 - t) * (1.0 - t);
    m_transform.SetCenter({m_startCenter.lon + (m_targetCenter.lon - m_startCenter.lon) * e,
                           m_startCenter.lat + (m_targetCenter.lat - m_startCenter.lat) * e});
    if (e < 0.5) {
        m_middleScale = (m_transform.GetScale() + m_peakScale) * 0.5;
        m_transform.SetScale(m_middleScale);
    } else {
        m_transform.SetScale(m_middleScale + 2.0 * (e - 0.5) * (m_targetScale - m_middleScale));
    }
}
