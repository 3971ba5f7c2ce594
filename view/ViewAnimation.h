#pragma once

#include "GeoTypes.h"

#include <cstdint>
#include <functional>

class CoordTransformI;

// Flies the view to a distant place: the centre glides there with an
// ease-out, and for jumps of more than two window sizes the scale first
// widens towards a peak so that the way is seen, then narrows back.
class ViewAnimation
{
public:
    // Milliseconds of a monotonic clock; wrapping is allowed.
    using Clock = std::function<uint32_t()>;

    explicit ViewAnimation(CoordTransformI& transform, Clock clock = SteadyClock());

    // A new flight while one is running starts from where the view is now
    // but keeps the scale the first one will end at.
    void StartFlyTo(const GeoPoint& target, double seconds);
    // One frame; called from the window's timer while IsActive.
    void StepFlyTo();
    bool IsActive() const { return m_active; }

    static Clock SteadyClock();

private:
    CoordTransformI& m_transform;
    Clock m_clock;
    bool m_active = false;
    GeoPoint m_startCenter;
    GeoPoint m_targetCenter;
    double m_targetScale = 0;
    double m_peakScale = 0;
    double m_middleScale = 0;
    uint32_t m_startMs = 0;
    uint32_t m_durationMs = 1;
};
