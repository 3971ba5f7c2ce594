#include "FpsCounter.h"

FpsCounter::FpsCounter(std::function<Clock::time_point()> now)
    : m_now(std::move(now))
{
}

void FpsCounter::OnRedraw()
{
    const Clock::time_point now = m_now();
    DropOlderThanASecond(now);
    m_frames.push_back(now);
}

float FpsCounter::GetFps() const
{
    DropOlderThanASecond(m_now());
    return float(m_frames.size());
}

void FpsCounter::DropOlderThanASecond(Clock::time_point now) const
{
    const Clock::time_point oldest = now - std::chrono::seconds(1);
    while (!m_frames.empty() && m_frames.front() <= oldest)
        m_frames.pop_front();
}
