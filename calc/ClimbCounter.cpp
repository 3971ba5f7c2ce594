#include "ClimbCounter.h"

#include <algorithm>

ClimbCounter::ClimbCounter(double hysteresisMetres)
    : m_hysteresis(std::max(0.0, hysteresisMetres))
{
}

void ClimbCounter::Add(double elevation)
{
    if (!m_started) {
        m_started = true;
        m_low = m_high = elevation;
        return;
    }
    if (m_direction == 0) {
        // The first trend starts from the extreme on its far side, so that a
        // climb out of a noisy start is not shortened by the noise.
        m_low = std::min(m_low, elevation);
        m_high = std::max(m_high, elevation);
        if (elevation - m_low > m_hysteresis)
            StartTrend(+1, m_low, elevation);
        else if (m_high - elevation > m_hysteresis)
            StartTrend(-1, m_high, elevation);
        return;
    }
    const double beyond = m_direction * (elevation - m_extreme);
    if (beyond > 0) {
        m_extreme = elevation;
    } else if (-beyond > m_hysteresis) {
        (m_direction > 0 ? m_ascent : m_descent) += Running();
        StartTrend(-m_direction, m_extreme, elevation);
    }
}

void ClimbCounter::StartTrend(int direction, double turn, double elevation)
{
    m_direction = direction;
    m_turn = turn;
    m_extreme = elevation;
}

double ClimbCounter::Running() const
{
    return m_direction * (m_extreme - m_turn);
}

double ClimbCounter::GetAscent() const
{
    return m_ascent + (m_direction > 0 ? Running() : 0.0);
}

double ClimbCounter::GetDescent() const
{
    return m_descent + (m_direction < 0 ? Running() : 0.0);
}
