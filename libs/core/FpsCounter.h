#pragma once

#include <chrono>
#include <deque>
#include <functional>

// Counts painted frames over the last second.
class FpsCounter
{
public:
    using Clock = std::chrono::steady_clock;
    // Tests pass a clock they move by hand.
    explicit FpsCounter(std::function<Clock::time_point()> now = &Clock::now);

    // Once per painted frame.
    void OnRedraw();
    // The number of frames painted within the second before now (a frame
    // exactly one second old no longer counts).
    float GetFps() const;

private:
    void DropOlderThanASecond(Clock::time_point now) const;

    std::function<Clock::time_point()> m_now;
    mutable std::deque<Clock::time_point> m_frames;
};
