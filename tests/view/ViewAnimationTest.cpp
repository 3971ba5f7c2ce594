#include "ViewAnimation.h"

#include "CoordTransform.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class ViewAnimationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_transform.SetViewRect({0, 0, 1000, 800});
        m_transform.SetScale(10.0);
        m_transform.SetCenter(Start);
    }

    ViewAnimation Animation()
    {
        return ViewAnimation(m_transform, [this] { return m_now; });
    }

    // Metres from the start centre, as the flight measures them.
    static GeoPoint East(double metres)
    {
        return {Start.lon + metres / 111111.0 / std::cos(Start.lat * M_PI / 180.0), Start.lat};
    }

    static constexpr GeoPoint Start{8.5, 47.0};
    CoordTransform m_transform;
    uint32_t m_now = 5000;
};

} // namespace

TEST_F(ViewAnimationTest, AShortHopKeepsTheScaleAndEndsExactlyOnTarget)
{
    // One and a half windows of 1000 px at 10 m per pixel.
    const GeoPoint target = East(15000);
    ViewAnimation flight = Animation();
    flight.StartFlyTo(target, 1.0);
    EXPECT_TRUE(flight.IsActive());
    m_now += 500;
    flight.StepFlyTo();
    // Eased: three quarters of the way at half the time.
    EXPECT_NEAR(m_transform.GetCenter().lon, Start.lon + 0.75 * (target.lon - Start.lon), 1e-12);
    EXPECT_DOUBLE_EQ(m_transform.GetScale(), 10.0);
    m_now += 499;
    flight.StepFlyTo();
    EXPECT_TRUE(flight.IsActive());
    m_now += 1;
    flight.StepFlyTo();
    EXPECT_FALSE(flight.IsActive());
    EXPECT_EQ(m_transform.GetCenter(), target);
    EXPECT_EQ(m_transform.GetScale(), 10.0);
    // Steps after the end change nothing.
    m_transform.SetScale(20.0);
    flight.StepFlyTo();
    EXPECT_EQ(m_transform.GetScale(), 20.0);
}

TEST_F(ViewAnimationTest, ALongFlightWidensTheViewAndNarrowsItBack)
{
    // Ten windows away: the peak is (10 + 2) times the scale.
    const GeoPoint target = East(100000);
    ViewAnimation flight = Animation();
    flight.StartFlyTo(target, 2.0);
    double widest = 0;
    double previousLon = Start.lon;
    for (int ms = 100; ms < 2000; ms += 100) {
        m_now = 5000 + static_cast<uint32_t>(ms);
        flight.StepFlyTo();
        widest = std::max(widest, m_transform.GetScale());
        EXPECT_GT(m_transform.GetCenter().lon, previousLon) << ms;
        previousLon = m_transform.GetCenter().lon;
    }
    EXPECT_GT(widest, 60.0);
    EXPECT_LT(widest, 120.0);
    m_now = 7000;
    flight.StepFlyTo();
    EXPECT_EQ(m_transform.GetCenter(), target);
    EXPECT_EQ(m_transform.GetScale(), 10.0);
}

TEST_F(ViewAnimationTest, ANewFlightKeepsTheFirstTargetScale)
{
    ViewAnimation flight = Animation();
    flight.StartFlyTo(East(100000), 1.0);
    m_now += 200;
    flight.StepFlyTo();
    ASSERT_GT(m_transform.GetScale(), 10.0);
    const GeoPoint second = East(-50000);
    flight.StartFlyTo(second, 1.0);
    m_now += 1000;
    flight.StepFlyTo();
    EXPECT_FALSE(flight.IsActive());
    EXPECT_EQ(m_transform.GetCenter(), second);
    EXPECT_EQ(m_transform.GetScale(), 10.0);
}

TEST_F(ViewAnimationTest, ZeroDurationLastsOneMillisecondAndTheClockMayWrap)
{
    ViewAnimation flight = Animation();
    flight.StartFlyTo(East(1000), 0.0);
    flight.StepFlyTo();
    EXPECT_TRUE(flight.IsActive());
    m_now += 1;
    flight.StepFlyTo();
    EXPECT_FALSE(flight.IsActive());
    EXPECT_EQ(m_transform.GetCenter(), East(1000));

    // Started 256 ms before the millisecond counter wraps, looked at 244 ms
    // after: a quarter of a two-second flight.
    m_transform.SetCenter(Start);
    m_now = 0xFFFFFF00u;
    flight.StartFlyTo(East(1000), 2.0);
    m_now = 0xF4u;
    flight.StepFlyTo();
    EXPECT_TRUE(flight.IsActive());
    const double e = 1 - 0.75 * 0.75;
    EXPECT_NEAR(m_transform.GetCenter().lon, Start.lon + e * (East(1000).lon - Start.lon), 1e-12);
}

TEST_F(ViewAnimationTest, AWindowWithoutSizeFliesWithoutZooming)
{
    m_transform.SetViewRect({0, 0, 0, 0});
    ViewAnimation flight = Animation();
    flight.StartFlyTo(East(100000), 1.0);
    m_now += 300;
    flight.StepFlyTo();
    EXPECT_EQ(m_transform.GetScale(), 10.0);
    m_now += 700;
    flight.StepFlyTo();
    EXPECT_EQ(m_transform.GetCenter(), East(100000));
}
