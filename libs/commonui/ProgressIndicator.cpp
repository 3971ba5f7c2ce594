#include "ProgressIndicator.h"

#include <algorithm>

ProgressIndicator::TextChange ProgressIndicator::SetPercent(double reported, qint64 nowMs)
{
    TextChange change = KeepText;
    if (m_state == Finishing) {
        Reset();
        change = ClearText;
    }
    if (m_state == Inactive) {
        m_state = Running;
        m_startMs = nowMs;
        m_lastRiseMs = nowMs;
        m_reported = reported;
        m_shown = std::clamp(reported, 0.0, 100.0);
        return change;
    }
    if (reported > m_reported) {
        m_reported = reported;
        m_lastRiseMs = nowMs;
        m_shown = std::max(m_shown, std::min(reported, 100.0));
    } else if (nowMs - m_lastRiseMs > kStallMs) {
        // A long step: creep on, ever slower towards the end.
        m_shown += m_shown <= 80 ? 0.5 : (100 - m_shown) / 60;
        m_shown = std::min(m_shown, 100.0);
    }
    return change;
}

ProgressIndicator::TextChange ProgressIndicator::Idle(qint64 nowMs)
{
    switch (m_state) {
    case Running:
        if (m_reported == 100 || nowMs - m_startMs > kQuickFinishMs) {
            m_state = Finishing;
            m_startMs = nowMs;
            m_shown = 100;
            return ShowProcessing;
        }
        return KeepText;
    case Finishing:
        if (nowMs - m_startMs > kFinishingMs) {
            Reset();
            return ClearText;
        }
        return KeepText;
    case Inactive:
        break;
    }
    return KeepText;
}

void ProgressIndicator::Reset()
{
    m_state = Inactive;
    m_shown = 0;
    m_reported = 0;
}
