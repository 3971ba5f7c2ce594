#include "FpsCounter.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

// A clock that moves only when the test says so.
class FpsCounterTest : public testing::Test
{
protected:
    FpsCounter::Clock::time_point m_now{1000h};
    FpsCounter m_counter{[this] { return m_now; }};

    void Frames(int count, std::chrono::milliseconds spacing)
    {
        for (int i = 0; i < count; ++i) {
            m_counter.OnRedraw();
            m_now += spacing;
        }
    }
};

} // namespace

TEST_F(FpsCounterTest, NoFramesNoRate)
{
    EXPECT_EQ(m_counter.GetFps(), 0.0f);
}

TEST_F(FpsCounterTest, CountsTheFramesOfTheLastSecond)
{
    // 100 frames 10 ms apart, then 20 ms apart for another two seconds.
    Frames(100, 10ms);
    m_now -= 10ms; // read right after the last frame
    EXPECT_EQ(m_counter.GetFps(), 100.0f);
    m_now += 10ms;
    Frames(100, 20ms);
    m_now -= 20ms;
    EXPECT_EQ(m_counter.GetFps(), 50.0f);
}

TEST_F(FpsCounterTest, AFrameExactlyOneSecondOldNoLongerCounts)
{
    m_counter.OnRedraw();
    m_now += 999ms;
    EXPECT_EQ(m_counter.GetFps(), 1.0f);
    m_now += 1ms;
    EXPECT_EQ(m_counter.GetFps(), 0.0f);
}

TEST_F(FpsCounterTest, RateFallsWhenDrawingStops)
{
    Frames(30, 33ms);
    m_now += 500ms;
    // Frames at 0..957 ms; now is 1490 ms: those after 490 ms remain.
    EXPECT_EQ(m_counter.GetFps(), 15.0f);
    m_now += 2s;
    EXPECT_EQ(m_counter.GetFps(), 0.0f);
}
