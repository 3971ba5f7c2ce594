#include "AppTracksFixture.h"
#include "OpenTrackStatistics.h"
#include "StatisticsOptions.h"

#include <gtest/gtest.h>

namespace {

class OpenTrackStatisticsTest : public AppTracksFixture
{
protected:
    void TearDown() override
    {
        StatisticsOptions::GetInstance().climbHysteresis.ResetToDefault();
        AppTracksFixture::TearDown();
    }

    // count points 100 m and a minute apart from minute, climbing 3 m each.
    static std::vector<TrackPoint> Climb(int count, int minute)
    {
        std::vector<TrackPoint> points;
        for (int i = 0; i < count; ++i) {
            points.push_back(At(100.0 * i, Time(2024, 5, 1, 10, 0) + TimeSpan(TimeSpan::Minutes, minute + i)));
            points.back().SetElevation(100.0 + 3 * i);
        }
        return points;
    }
};

} // namespace

TEST_F(OpenTrackStatisticsTest, AFileSumsItsSegmentsAndARangeTakesItsOwnPoints)
{
    const int file = AddFile({Climb(5, 0), Climb(3, 60)});
    const std::vector<int> segments = Segments(file);
    const TrackStatistics all = OpenTrackStatistics::OfNodes({file});
    EXPECT_EQ(all.points, 8);
    EXPECT_NEAR(all.distance, 400.0 + 200.0, 1e-6);
    // Four minutes and two; the hour between the segments does not count.
    EXPECT_NEAR(*all.duration, 6 * 60.0, 1e-6);
    EXPECT_NEAR(*all.ascent, 12.0 + 6.0, 1e-9);
    EXPECT_EQ(*all.maxElevation, 112.0);

    // A file and one of its segments together count that segment once.
    EXPECT_EQ(OpenTrackStatistics::OfNodes({file, segments[1]}).points, 8);

    const TrackStatistics range = OpenTrackStatistics::OfSegmentRange(segments[0], 1, 3);
    EXPECT_EQ(range.points, 3);
    EXPECT_NEAR(range.distance, 200.0, 1e-6);
    EXPECT_NEAR(*range.duration, 120.0, 1e-6);
    EXPECT_EQ(*range.minElevation, 103.0);
    EXPECT_EQ(OpenTrackStatistics::OfSegmentRange(-7, 0, -1).points, 0);
}

TEST_F(OpenTrackStatisticsTest, TheClimbHysteresisComesFromTheSettings)
{
    const int file = AddFile({Climb(5, 0)});
    // 3 m steps: a 5 m hysteresis still counts the 12 m climb, a 20 m one
    // takes it for noise.
    StatisticsOptions::GetInstance().climbHysteresis.Set(5.0);
    EXPECT_NEAR(*OpenTrackStatistics::OfNodes({file}).ascent, 12.0, 1e-9);
    StatisticsOptions::GetInstance().climbHysteresis.Set(20.0);
    EXPECT_EQ(*OpenTrackStatistics::OfNodes({file}).ascent, 0.0);
}
