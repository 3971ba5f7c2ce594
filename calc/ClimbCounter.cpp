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
    switch (m_trend) {
    case Trend::Unknown:
        // The first trend starts from the extreme on its far side, so that a
        // climb out of a noisy start is not shortened by the noise.
        m_low = std::min(m_low, elevation);
        m_high = std::max(m_high, elevation);
        if (elevation - m_low > m_hysteresis) {
            m_trend = Trend::Up;
            m_turn = m_low;
            m_high = elevation;
        } else if (m_high - elevation > m_hysteresis) {
            m_trend = Trend::Down;
            m_turn = m_high;
            m_low = elevation;
        }
        break;
    case Trend::Up:
        if (elevation > m_high) {
            m_high = elevation;
        } else if (m_high - elevation > m_hysteresis) {
            m_ascent += m_high - m_turn;
            m_trend = Trend::Down;
            m_turn = m_high;
            m_low = elevation;
        }
        break;
    case Trend::Down:
        if (elevation < m_low) {
            m_low = elevation;
        } else if (elevation - m_low > m_hysteresis) {
            m_descent += m_turn - m_low;
            m_trend = Trend::Up;
            m_turn = m_low;
            m_high = elevation;
        }
        break;
    }
}

double ClimbCounter::GetAscent() const
{
    return m_ascent + (m_trend == Trend::Up ? m_high - m_turn : 0.0);
}

double ClimbCounter::GetDescent() const
{
    return m_descent + (m_trend == Trend::Down ? m_turn - m_low : 0.0);
}
