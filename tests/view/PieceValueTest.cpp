#include "PieceValue.h"

#include "PieceValueTable.h"
#include "Track.h"
#include "TrackPtNavI.h"
#include "TrackPointMethods.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using namespace PaletteParameter;

// Degrees of longitude on the equator that the program measures as a metre.
double LonPerMetre()
{
    return 0.01 / (TrackPointMethods::GetRoughDist(TrackPointBase({0, 0, 0}), TrackPointBase({0.01, 0, 0})) * 1000);
}

struct Sample
{
    double metres;
    double elevation;
    int seconds;
    int heartRate;
    double gpsSpeed;
};

// Eastwards along the equator; receiver values only where given.
std::shared_ptr<Track> Segment(const std::vector<Sample>& samples)
{
    auto data = std::make_shared<TrackData>();
    for (const Sample& s : samples) {
        TrackPoint point({s.metres * LonPerMetre(), 0.0, s.elevation}, Time(2024, 5, 1, 10, 0, s.seconds));
        point.GetGpsParams().SetHeartRate(static_cast<unsigned char>(s.heartRate));
        point.GetGpsParams().SetGpsSpeed(s.gpsSpeed);
        point.GetGpsParams().SetGpsAzimuth(90.0 + s.seconds);
        data->GetPoints().push_back(point);
    }
    auto track = std::make_shared<Track>(data, 1, -1);
    track->Refresh(true);
    return track;
}

// 0 -> 100 m in 10 s (36 km/h), 100 -> 150 m in 10 s (18 km/h), 150 -> 450 m
// in 20 s (54 km/h); climbing 10 m, then 30 m.
const std::vector<Sample> Ride{
    {0, 100, 0, 120, 30},
    {100, 100, 10, 130, 40},
    {150, 110, 20, 140, 10},
    {450, 140, 40, 150, 60},
};

} // namespace

TEST(PieceValue, SpeedsByAggregateLeaveOutTheLegBeforeThePiece)
{
    const auto track = Segment(Ride);
    const std::vector<int> all{0, 1, 2, 3};
    EXPECT_NEAR(PieceValue::Compute(*track, Speed, Min, all), 18.0, 0.05);
    EXPECT_NEAR(PieceValue::Compute(*track, Speed, Max, all), 54.0, 0.05);
    // 450 m in 40 s.
    EXPECT_NEAR(PieceValue::Compute(*track, Speed, Avg, all), 40.5, 0.05);
    // From point 1 on: the 36 km/h leg into point 1 is not the piece's.
    EXPECT_NEAR(PieceValue::Compute(*track, Speed, Max, {1, 2}), 18.0, 0.05);

    // Receiver speeds are those of the points 1 to n - 1, the average
    // weighted by the time to the next point.
    EXPECT_DOUBLE_EQ(PieceValue::Compute(*track, GpsSpeed, Min, all), 10.0);
    EXPECT_DOUBLE_EQ(PieceValue::Compute(*track, GpsSpeed, Max, all), 40.0);
    EXPECT_NEAR(PieceValue::Compute(*track, GpsSpeed, Avg, all), (30 * 10 + 40 * 10 + 10 * 20) / 40.0, 1e-9);
}

TEST(PieceValue, ElevationSteepnessAndReceiverMeans)
{
    const auto track = Segment(Ride);
    const std::vector<int> all{0, 1, 2, 3};
    // (100 * 10 + 105 * 10 + 125 * 20) / 40.
    EXPECT_NEAR(PieceValue::Compute(*track, Elevation, Avg, all), 113.75, 1e-9);
    // 40 m up over the 3D length of the legs.
    const double length = 100 + std::hypot(50, 10) + std::hypot(300, 30);
    EXPECT_NEAR(PieceValue::Compute(*track, Steepness, Avg, all), 40 / length * 100, 0.01);
    // The last point's heart rate is left out.
    EXPECT_DOUBLE_EQ(PieceValue::Compute(*track, HeartRate, Avg, all), 130.0);
    EXPECT_DOUBLE_EQ(PieceValue::Compute(*track, GpsHeading, Avg, all), 130.0);
    EXPECT_NEAR(PieceValue::Compute(*track, Heading, Avg, all), 90.0, 1e-6);
}

TEST(PieceValue, ShortOrTimelessPiecesStayFinite)
{
    const auto track = Segment(Ride);
    EXPECT_EQ(PieceValue::Compute(*track, Speed, Avg, {2}), 0.0);
    EXPECT_EQ(PieceValue::Compute(*track, Elevation, Avg, {}), 0.0);
    EXPECT_EQ(PieceValue::Compute(*track, Segments, Avg, {0, 1}), 0.0);
    // Two points at one time: the duration counts as a millionth of an hour.
    const auto still = Segment({{0, 100, 5, 100, 0}, {0, 100, 5, 100, 0}});
    EXPECT_EQ(PieceValue::Compute(*still, Speed, Avg, {0, 1}), 0.0);
    EXPECT_EQ(PieceValue::Compute(*still, Steepness, Avg, {0, 1}), 0.0);
    EXPECT_EQ(PieceValue::Compute(*still, Elevation, Avg, {0, 1}), 0.0);
}

TEST(PieceValue, TheTableGivesWhatThePointsGiveForEveryParameterAndStretch)
{
    // A ride with every receiver value changing, some points without time
    // and some filtered, so that valid positions and point indices differ.
    auto data = std::make_shared<TrackData>();
    std::mt19937 random(3);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    double lon = 8.0, lat = 47.0;
    for (int i = 0; i < 3000; ++i) {
        lon += 0.0001 * (unit(random) - 0.3);
        lat += 0.0001 * (unit(random) - 0.5);
        const Time time = i % 97 == 5 ? Time() : Time(2024, 5, 1, 10) + TimeSpan::FromSeconds(i * 2 + (i % 7));
        TrackPoint point({lon, lat, 400.0 + 50.0 * unit(random)}, time);
        TrackPointGpsParams& gps = point.GetGpsParams();
        gps.SetHeartRate(static_cast<unsigned char>(100 + i % 80));
        gps.SetCadence(static_cast<unsigned char>(60 + i % 40));
        gps.SetTemperature(static_cast<float>(10.0 + unit(random) * 5.0));
        gps.SetGpsSpeed(unit(random) * 40.0);
        gps.SetGpsAzimuth(unit(random) * 360.0);
        if (i % 31 == 4)
            point.GetStatus().SetFilterReason(12);
        data->GetPoints().push_back(point);
    }
    auto track = std::make_shared<Track>(data, 1, -1);
    track->Refresh(true);
    std::vector<int> valid;
    track->GetPtNav().GetValidIndices(valid);
    ASSERT_LT(valid.size(), 3000u);

    std::vector<std::pair<int, int>> stretches{{0, 0}, {0, 1}, {5, 6}, {63, 64}, {0, 64}, {1, 200}};
    std::uniform_int_distribution<int> position(0, static_cast<int>(valid.size()) - 1);
    for (int i = 0; i < 300; ++i) {
        const int a = position(random), b = position(random);
        stretches.emplace_back(std::min(a, b), std::min(std::max(a, b), std::min(a, b) + (i % 3 == 0 ? 2000 : 40)));
    }
    stretches.emplace_back(0, static_cast<int>(valid.size()) - 1);
    for (const Id parameter : {Speed, Elevation, Steepness, HeartRate, Cadence, Temperature, GpsSpeed, Heading,
                               GpsHeading, Segments}) {
        for (const Aggregate aggregate : {Min, Avg, Max}) {
            const PieceValueTable table(*track, valid, parameter, aggregate);
            EXPECT_TRUE(table.IsFor(parameter, aggregate));
            for (const auto& [first, last] : stretches) {
                const std::vector<int> piece(valid.begin() + first, valid.begin() + last + 1);
                const double expected = PieceValue::Compute(*track, parameter, aggregate, piece);
                EXPECT_NEAR(table.Compute(first, last), expected, 1e-9 * std::max(1.0, std::abs(expected)))
                    << "parameter " << parameter << ", aggregate " << aggregate << ", " << first << " to " << last;
            }
        }
    }
    EXPECT_FALSE(PieceValueTable(*track, valid, Speed, Min).IsFor(Speed, Max));
    EXPECT_TRUE(PieceValueTable(*track, valid, Elevation, Min).IsFor(Elevation, Max));
}
