#include "ClimbCounter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// Deterministic noise in [-amplitude, amplitude].
double Noise(int i, double amplitude)
{
    return amplitude * std::sin(i * 2.399963);
}

ClimbCounter Count(const std::vector<double>& elevations, double hysteresis)
{
    ClimbCounter counter(hysteresis);
    for (double elevation : elevations)
        counter.Add(elevation);
    return counter;
}

} // namespace

TEST(ClimbCounterTest, AStaircaseUpAndDownWithNoiseBelowTheHysteresisGivesItsHeight)
{
    // Ten steps of 10 m up, then ten down, twenty samples a step, each
    // sample off by less than half the hysteresis.
    const double amplitude = 0.9;
    std::vector<double> elevations;
    int sample = 0;
    for (int step = 0; step <= 20; ++step) {
        const double level = 10.0 * (step <= 10 ? step : 20 - step);
        for (int i = 0; i < 20; ++i)
            elevations.push_back(100 + level + Noise(sample++, amplitude));
    }
    const ClimbCounter counter = Count(elevations, 2.0);
    // The noise can add at most its swing at either end of the climb.
    EXPECT_NEAR(counter.GetAscent(), 100.0, 2 * amplitude);
    EXPECT_NEAR(counter.GetDescent(), 100.0, 2 * amplitude);
}

TEST(ClimbCounterTest, NoiseAloneBelowTheHysteresisIsNoClimb)
{
    std::vector<double> elevations;
    for (int i = 0; i < 500; ++i)
        elevations.push_back(250 + Noise(i, 0.9));
    const ClimbCounter counter = Count(elevations, 2.0);
    EXPECT_EQ(counter.GetAscent(), 0.0);
    EXPECT_EQ(counter.GetDescent(), 0.0);
}

TEST(ClimbCounterTest, WithoutHysteresisEveryRiseAndFallCounts)
{
    std::vector<double> elevations;
    for (int i = 0; i < 300; ++i)
        elevations.push_back(0.05 * i + Noise(i, 3.0));
    double up = 0;
    double down = 0;
    for (size_t i = 1; i < elevations.size(); ++i) {
        const double change = elevations[i] - elevations[i - 1];
        (change > 0 ? up : down) += std::abs(change);
    }
    const ClimbCounter counter = Count(elevations, 0.0);
    EXPECT_NEAR(counter.GetAscent(), up, 1e-9);
    EXPECT_NEAR(counter.GetDescent(), down, 1e-9);
}

TEST(ClimbCounterTest, DipsDeeperThanTheHysteresisSplitTheClimb)
{
    const ClimbCounter counter = Count({0, 10, 5, 15, 14, 30}, 2.0);
    // 0 to 10, 5 to 30; the 1 m dip at 14 is noise.
    EXPECT_DOUBLE_EQ(counter.GetAscent(), 35.0);
    EXPECT_DOUBLE_EQ(counter.GetDescent(), 5.0);
}

TEST(ClimbCounterTest, AFallBackSmallerThanTheHysteresisLeavesTheClimbWhole)
{
    const ClimbCounter counter = Count({100, 90, 80, 81.5, 70}, 2.0);
    EXPECT_DOUBLE_EQ(counter.GetAscent(), 0.0);
    EXPECT_DOUBLE_EQ(counter.GetDescent(), 30.0);
}
