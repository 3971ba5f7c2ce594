#include "TimeShift.h"

#include "TrackData.h"

#include <gtest/gtest.h>

namespace {

TrackData Track(const std::vector<Time>& times)
{
    TrackData data;
    for (size_t i = 0; i < times.size(); ++i)
        data.Append(TrackPoint({10.0 + 0.001 * static_cast<double>(i), 47.0, 0.0}, times[i]));
    return data;
}

} // namespace

TEST(TimeShift, StartIsTheFirstPointThatHasATime)
{
    EXPECT_TRUE(TimeShift::GetStartTime(TrackData()).IsNull());
    EXPECT_TRUE(TimeShift::GetStartTime(Track({Time(), Time()})).IsNull());
    // Not the earliest: the first in the track's order.
    EXPECT_EQ(TimeShift::GetStartTime(Track({Time(), Time(2024, 3, 1, 12), Time(2024, 3, 1, 11)})),
              Time(2024, 3, 1, 12));
}

TEST(TimeShift, EveryTimeMovesByTheSpanAndMissingTimesStayMissing)
{
    TrackData data = Track({Time(2024, 3, 1, 23, 30), Time(), Time(2024, 3, 2, 0, 15)});
    TimeShift::Apply(data, TimeSpan(TimeSpan::Hours, -25.5));
    EXPECT_EQ(data.GetTrackPoint(0).GetTime(), Time(2024, 2, 29, 22, 0));
    EXPECT_TRUE(data.GetTrackPoint(1).GetTime().IsNull());
    EXPECT_EQ(data.GetTrackPoint(2).GetTime(), Time(2024, 2, 29, 22, 45));
    // Positions and statuses are untouched.
    EXPECT_EQ(data.GetTrackPoint(1).GetLon(), 10.001);
    EXPECT_TRUE(data.GetTrackPoint(1).IsValid());
}
