#include "IncreaseFrequency.h"

#include "LoadManager.h"
#include "TestSupport.h"
#include "TimeOrderCheck.h"
#include "TrackPointMethods.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

const Time kStart(2024, 6, 1, 9, 0, 0);
const TimeSpan kSecond = TimeSpan::FromSeconds(1.0);

// Degrees of longitude along the equator that the program measures as one
// metre (the local frame is linear in longitude there).
double LonPerMeter()
{
    static const double perMeter =
        0.01 / (TrackPointMethods::GetRoughDist(TrackPointBase({0, 0, 0}), TrackPointBase({0.01, 0, 0})) * 1000.0);
    return perMeter;
}

// A point on the equator, metres east of 0, seconds after the start.
TrackPoint At(double meters, double seconds, double elevation = 100.0)
{
    return TrackPoint({meters * LonPerMeter(), 0.0, elevation}, kStart + TimeSpan::FromSeconds(seconds));
}

double MetersOf(const TrackPoint& point)
{
    return point.GetLon() / LonPerMeter();
}

double SecondsOf(const TrackPoint& point)
{
    return (point.GetTime() - kStart).GetInSeconds();
}

std::vector<TrackPoint> Densify(const std::vector<TrackPoint>& points, double seconds = 1.0, double meters = 10.0)
{
    return IncreaseFrequency::Densify(points, TimeSpan::FromSeconds(seconds), meters);
}

} // namespace

TEST(IncreaseFrequencyParts, TwentyFiveMetresInTwoSecondsGiveThreeParts)
{
    const std::vector<TrackPoint> points{At(0, 0), At(25, 2)};
    const std::vector<TrackPoint> out = Densify(points);
    ASSERT_EQ(out.size(), 4u);
    EXPECT_EQ(out.front(), points.front());
    EXPECT_EQ(out.back(), points.back());
    EXPECT_NEAR(MetersOf(out[1]), 25.0 / 3, 1e-6);
    EXPECT_NEAR(MetersOf(out[2]), 50.0 / 3, 1e-6);
    // Two thirds of a second and four thirds, to the microsecond.
    EXPECT_EQ((out[1].GetTime() - kStart).GetMicroseconds(), 666667);
    EXPECT_EQ((out[2].GetTime() - kStart).GetMicroseconds(), 1333333);
}

TEST(IncreaseFrequencyParts, StepsReachedExactlyInsertNothing)
{
    const std::vector<TrackPoint> points{At(0, 0), At(10, 1)};
    const double measured = TrackPointMethods::GetRoughDist(points[0], points[1]) * 1000.0;
    EXPECT_EQ(Densify(points, 1.0, measured).size(), 2u);
    // A hair less than the measured distance is exceeded: two parts.
    EXPECT_EQ(Densify(points, 1.0, measured * (1 - 1e-9)).size(), 3u);
    // One microsecond over the time step is exceeded too.
    const std::vector<TrackPoint> late{At(0, 0), TrackPoint(At(1, 0).Get3D(), kStart + kSecond + TimeSpan::FromMicroseconds(1))};
    EXPECT_EQ(Densify(late).size(), 3u);
}

TEST(IncreaseFrequencyParts, PartsRoundUpAndTheLargerCountWins)
{
    // 3.5 s by time: 4 parts; 5 m is under the distance step.
    std::vector<TrackPoint> out = Densify({At(0, 0), At(5, 3.5)});
    ASSERT_EQ(out.size(), 5u);
    for (int j = 1; j < 4; ++j)
        EXPECT_NEAR(SecondsOf(out[static_cast<size_t>(j)]), 0.875 * j, 1e-6);
    // 95 m: 10 parts by distance beat 2 by time.
    out = Densify({At(0, 0), At(95, 2)});
    ASSERT_EQ(out.size(), 11u);
    EXPECT_NEAR(MetersOf(out[5]), 47.5, 1e-6);
}

TEST(IncreaseFrequencyParts, ClearedStepsDoNotCount)
{
    const std::vector<TrackPoint> points{At(0, 0), At(25, 20)};
    // Time alone would cut 20 parts; distance alone cuts 3.
    EXPECT_EQ(Densify(points, 0.0, 10.0).size(), 4u);
    EXPECT_EQ(Densify(points, 1.0, 0.0).size(), 21u);
    EXPECT_EQ(Densify(points, 0.0, 0.0), points);
}

TEST(IncreaseFrequencyParts, EarlierLaterPointGetsNoTimeParts)
{
    // q lies 10 s before p: only the distance may cut the leg.
    EXPECT_EQ(Densify({At(0, 10), At(5, 0)}).size(), 2u);
    const std::vector<TrackPoint> out = Densify({At(0, 10), At(30, 0)});
    ASSERT_EQ(out.size(), 4u);
    // Times still run linearly from p to q.
    EXPECT_NEAR(SecondsOf(out[1]), 10 - 10.0 / 3, 1e-6);
}

TEST(IncreaseFrequencyParts, MissingTimeCutsByDistanceAndLeavesNewPointsWithout)
{
    TrackPoint q = At(30, 0);
    q.SetTime(Time());
    const std::vector<TrackPoint> out = Densify({At(0, 0), q});
    ASSERT_EQ(out.size(), 4u);
    EXPECT_TRUE(out[1].GetTime().IsNull());
    EXPECT_TRUE(out[2].GetTime().IsNull());
}

TEST(IncreaseFrequencyParts, NothingNextToAFilteredPoint)
{
    std::vector<TrackPoint> points{At(0, 0), At(100, 10), At(200, 20), At(300, 30)};
    points[1].GetStatus().SetFilterReason(7);
    const std::vector<TrackPoint> out = Densify(points);
    // Legs 0-1 and 1-2 touch the filtered point; 2-3 gets ten parts.
    ASSERT_EQ(out.size(), 4u + 9u);
    EXPECT_EQ(out[0], points[0]);
    EXPECT_EQ(out[1], points[1]);
    EXPECT_EQ(out[2], points[2]);
    EXPECT_EQ(out.back(), points[3]);
}

TEST(IncreaseFrequencyParts, FewerThanTwoPointsStayAsTheyAre)
{
    EXPECT_TRUE(Densify({}).empty());
    const std::vector<TrackPoint> one{At(0, 0)};
    EXPECT_EQ(Densify(one), one);
}

TEST(IncreaseFrequencyValues, ReceiverValuesOnlyWhereBothEndsHaveThem)
{
    TrackPoint p = At(0, 0);
    TrackPoint q = At(30, 3);
    p.GetGpsParams().SetHdop(1.0);
    q.GetGpsParams().SetHdop(4.0);
    p.GetGpsParams().SetVdop(2.0);
    p.GetGpsParams().SetHeartRate(100);
    q.GetGpsParams().SetHeartRate(130);
    p.GetGpsParams().SetSatCount(6);
    q.GetGpsParams().SetSatCount(7);
    p.GetGpsParams().SetTemperature(10.0f, TemperatureType::Air);
    q.GetGpsParams().SetTemperature(13.0f, TemperatureType::Water);
    p.GetGpsParams().SetGpsAzimuth(350.0);
    q.GetGpsParams().SetGpsAzimuth(20.0);
    p.SetPower(200);
    q.SetPower(260);
    const std::vector<TrackPoint> out = Densify({p, q});
    ASSERT_EQ(out.size(), 4u);
    const TrackPointGpsParams& first = out[1].GetGpsParams();
    EXPECT_TRUE(first.HasHdop());
    EXPECT_NEAR(first.GetHdop(), 2.0, 1e-6);
    EXPECT_NEAR(out[2].GetGpsParams().GetHdop(), 3.0, 1e-6);
    EXPECT_FALSE(first.HasVdop());
    EXPECT_EQ(first.GetHeartRate(), 110);
    EXPECT_EQ(out[2].GetGpsParams().GetHeartRate(), 120);
    // 6 1/3 and 6 2/3 satellites.
    EXPECT_EQ(first.GetSatCount(), 6);
    EXPECT_EQ(out[2].GetGpsParams().GetSatCount(), 7);
    // Air and water temperatures do not mix.
    EXPECT_FALSE(first.HasTemperature());
    // The azimuth is a plain number: a third of the way from 350 down to 20.
    EXPECT_NEAR(first.GetGpsAzimuth(), 240.0, 1e-4);
    EXPECT_FALSE(first.HasCadence());
    EXPECT_FALSE(first.HasPdop());
    EXPECT_EQ(out[1].GetPower(), 220);
    EXPECT_EQ(out[2].GetPower(), 240);
    // Power only between two readings.
    q.ClearPower();
    EXPECT_FALSE(Densify({p, q})[1].HasPower());
}

TEST(IncreaseFrequencyValues, TemperatureOfTheSameKindIsInterpolated)
{
    TrackPoint p = At(0, 0);
    TrackPoint q = At(0, 2);
    p.GetGpsParams().SetTemperature(10.0f, TemperatureType::Water);
    q.GetGpsParams().SetTemperature(14.0f, TemperatureType::Water);
    const std::vector<TrackPoint> out = Densify({p, q});
    ASSERT_EQ(out.size(), 3u);
    EXPECT_TRUE(out[1].GetGpsParams().HasTemperature());
    EXPECT_FLOAT_EQ(out[1].GetGpsParams().GetTemperature(), 12.0f);
    EXPECT_EQ(out[1].GetGpsParams().GetTemperatureType(), TemperatureType::Water);
}

TEST(IncreaseFrequencyValues, ElevationOnlyBetweenKnownHeightsAndStatusIsFresh)
{
    TrackPoint p = At(0, 0, 100.0);
    TrackPoint q = At(20, 0, 110.0);
    p.GetStatus().SetMode(TrackPointStatus::TimeRegenerated, true);
    p.GetStatus().SetPenalty(3);
    std::vector<TrackPoint> out = Densify({p, q});
    ASSERT_EQ(out.size(), 3u);
    EXPECT_TRUE(out[1].HasElevation());
    EXPECT_NEAR(out[1].GetElevation(), 105.0, 1e-9);
    EXPECT_EQ(out[1].GetStatus(), TrackPointStatus());
    q.ClearElevation();
    out = Densify({p, q});
    EXPECT_FALSE(out[1].HasElevation());
}

namespace {

// A random walk with random gaps, missing times and filtered points.
std::vector<TrackPoint> RandomTrack(std::mt19937& random, int count)
{
    std::uniform_real_distribution<double> meters(0.0, 60.0);
    std::uniform_real_distribution<double> seconds(-1.0, 7.0);
    std::uniform_int_distribution<int> die(0, 9);
    std::vector<TrackPoint> points;
    double x = 0, t = 0;
    for (int i = 0; i < count; ++i) {
        x += meters(random);
        t += seconds(random);
        TrackPoint point = At(x, t);
        if (die(random) == 0)
            point.SetTime(Time());
        if (die(random) == 1)
            point.GetStatus().SetFilterReason(TimeOrderCheck::ReasonWrongTime);
        points.push_back(point);
    }
    return points;
}

} // namespace

TEST(IncreaseFrequencyInvariants, OriginalsStayInOrderAndNewPointsKeepAwayFromFilteredOnes)
{
    std::mt19937 random(20240601);
    for (int round = 0; round < 20; ++round) {
        const std::vector<TrackPoint> points = RandomTrack(random, 200);
        const std::vector<TrackPoint> out = Densify(points);
        // Every original appears, unchanged and in order; between two
        // originals only fresh valid points.
        size_t at = 0;
        for (size_t i = 0; i < points.size(); ++i) {
            while (at < out.size() && !(out[at] == points[i])) {
                ASSERT_EQ(out[at].GetStatus(), TrackPointStatus()) << "round " << round << " at " << at;
                ++at;
            }
            ASSERT_LT(at, out.size()) << "original " << i << " lost in round " << round;
            if (i > 0 && (!points[i].IsValid() || !points[i - 1].IsValid())) {
                EXPECT_EQ(out[at - 1], points[i - 1]) << "inserted next to filtered point " << i;
            }
            ++at;
        }
        EXPECT_EQ(at, out.size());
        // No leg between valid neighbours is left longer than a step.
        for (size_t i = 0; i + 1 < out.size(); ++i) {
            if (!out[i].IsValid() || !out[i + 1].IsValid())
                continue;
            EXPECT_LE(TrackPointMethods::GetRoughDist(out[i], out[i + 1]) * 1000.0, 10.0 + 1e-6);
            if (!out[i].GetTime().IsNull() && !out[i + 1].GetTime().IsNull()) {
                EXPECT_LE((out[i + 1].GetTime() - out[i].GetTime()).GetMicroseconds(), 1000001);
            }
        }
    }
}

TEST(IncreaseFrequencyInvariants, RealFileGainsTheSumOfItsParts)
{
    const LoadedTrackFile loaded = LoadManager().Load(FixturePath(QStringLiteral("gpx/gpsbabel/vitovtt-sample.gpx")));
    ASSERT_EQ(loaded.status, TrackLoaderI::Success);
    size_t segments = 0;
    for (const auto& [tid, data] : loaded.data->GetAll()) {
        const std::vector<TrackPoint>& points = data->GetPoints();
        ASSERT_GE(points.size(), 2u);
        ++segments;
        // Counted here from the definition: each leg adds ceil(seconds) - 1
        // or ceil(metres / 10) - 1 points, whichever is more.
        size_t expected = points.size();
        for (size_t i = 0; i + 1 < points.size(); ++i) {
            const double dt = (points[i + 1].GetTime() - points[i].GetTime()).GetInSeconds();
            const double d = TrackPointMethods::GetRoughDist(points[i], points[i + 1]) * 100.0;
            const bool valid = points[i].IsValid() && points[i + 1].IsValid();
            const double parts = valid ? std::max({1.0, std::ceil(dt), std::ceil(d)}) : 1.0;
            expected += static_cast<size_t>(parts) - 1;
        }
        const std::vector<TrackPoint> out = Densify(points);
        EXPECT_EQ(out.size(), expected);
        EXPECT_GT(out.size(), points.size());
        EXPECT_EQ(out.front(), points.front());
        EXPECT_EQ(out.back(), points.back());
    }
    EXPECT_GT(segments, 0u);
}
