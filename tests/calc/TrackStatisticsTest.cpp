#include "FilterTestTracks.h"
#include "LoadManager.h"
#include "TimeOrderCheck.h"
#include "TrackStatistics.h"
#include "TrackTreeAlg.h"

#include "TestSupport.h"

#include <GeographicLib/Geodesic.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using filtertest::At;
using filtertest::MakeTrack;

namespace {

// The program measures legs on a local plane; over short legs that stays
// within this share of the geodesic.
constexpr double kDistanceTolerance = 0.003;

double GeodesicMetres(const TrackPoint& a, const TrackPoint& b)
{
    double metres = 0;
    GeographicLib::Geodesic::WGS84().Inverse(a.GetLat(), a.GetLon(), b.GetLat(), b.GetLon(), metres);
    return metres;
}

double Seconds(const TrackPoint& a, const TrackPoint& b)
{
    return (b.GetTime() - a.GetTime()).GetInSeconds();
}

std::vector<TrackPoint> Kept(const std::vector<TrackPoint>& points)
{
    std::vector<TrackPoint> kept;
    std::copy_if(points.begin(), points.end(), std::back_inserter(kept),
                 [](const TrackPoint& point) { return point.IsValid(); });
    return kept;
}

double PathMetres(const std::vector<TrackPoint>& kept)
{
    double metres = 0;
    for (size_t i = 1; i < kept.size(); ++i)
        metres += GeodesicMetres(kept[i - 1], kept[i]);
    return metres;
}

TrackPoint AtHeight(double east, double seconds, double elevation)
{
    TrackPoint point = At(east, 0, seconds);
    point.SetElevation(elevation);
    return point;
}

// Walking east at 1.5 m/s, a point every 10 s, with a stop in the middle:
// a 300 s stop at 300 m where the receiver drifts by half a metre.
std::vector<TrackPoint> WalkWithStop()
{
    std::vector<TrackPoint> points;
    double seconds = 0;
    double east = 0;
    for (int i = 0; i <= 20; ++i, seconds += 10, east += 15)
        points.push_back(AtHeight(east, seconds, 100));
    east -= 15;
    for (int i = 0; i < 30; ++i)
        points.push_back(AtHeight(east + (i % 2 ? 0.5 : 0.0), seconds += 10, 100));
    for (int i = 0; i < 10; ++i)
        points.push_back(AtHeight(east += 15, seconds += 10, 100));
    return points;
}

const StatisticsParams kParams;

} // namespace

TEST(TrackStatisticsTest, AStopCountsInTheDurationButNotInTheMovingTime)
{
    const std::vector<TrackPoint> points = WalkWithStop();
    const TrackStatistics stats = TrackStatistics::OfRange(*MakeTrack(points), 0, -1, kParams);
    // 20 legs before the stop, 10 after, 10 s each, at 5.4 km/h; the stop's
    // 30 legs of at most 0.5 m in 10 s stay below the moving speed.
    EXPECT_NEAR(*stats.duration, Seconds(points.front(), points.back()), 1e-6);
    EXPECT_NEAR(*stats.movingTime, 300.0, 1e-6);
    EXPECT_NEAR(*stats.GetAverageMovingSpeed(), 5.4, 5.4 * kDistanceTolerance);
    EXPECT_NEAR(stats.distance, PathMetres(points), PathMetres(points) * kDistanceTolerance);
    EXPECT_NEAR(*stats.GetAverageSpeed(), stats.distance / *stats.duration * 3.6, 1e-9);
    EXPECT_NEAR(*stats.maxSpeed, 5.4, 5.4 * kDistanceTolerance);
    EXPECT_EQ(stats.points, static_cast<int>(points.size()));
    EXPECT_EQ(stats.filtered, 0);
}

TEST(TrackStatisticsTest, TheMovingSpeedDecidesWhatCountsAsMoving)
{
    const std::vector<TrackPoint> points = WalkWithStop();
    // 0.5 m in 10 s is 0.18 km/h: a threshold below it takes the 29 legs
    // that drift as moving too.
    const TrackStatistics drifting = TrackStatistics::OfRange(*MakeTrack(points), 0, -1, {0.1, 2.0});
    EXPECT_NEAR(*drifting.movingTime, 300.0 + 290.0, 1e-6);
    const TrackStatistics tooFast = TrackStatistics::OfRange(*MakeTrack(points), 0, -1, {6.0, 2.0});
    EXPECT_EQ(*tooFast.movingTime, 0.0);
    EXPECT_FALSE(tooFast.GetAverageMovingSpeed());
}

TEST(TrackStatisticsTest, FilteredPointsAreLeftOutOfEveryFigure)
{
    std::vector<TrackPoint> points = WalkWithStop();
    // A spike 1 km north, high up, with heart rate, all of it filtered.
    TrackPoint spike = At(150, 1000, 105);
    spike.SetElevation(900);
    spike.GetGpsParams().SetHeartRate(220);
    spike.GetStatus().SetFilterReason(7);
    points.insert(points.begin() + 11, spike);
    const TrackStatistics stats = TrackStatistics::OfRange(*MakeTrack(points), 0, -1, kParams);
    const std::vector<TrackPoint> kept = Kept(points);
    EXPECT_EQ(stats.points, static_cast<int>(points.size()));
    EXPECT_EQ(stats.filtered, 1);
    EXPECT_NEAR(stats.distance, PathMetres(kept), PathMetres(kept) * kDistanceTolerance);
    EXPECT_LT(*stats.maxSpeed, 6.0);
    EXPECT_EQ(*stats.maxElevation, 100.0);
    EXPECT_EQ(*stats.ascent, 0.0);
    EXPECT_FALSE(stats.maxHeartRate);
}

TEST(TrackStatisticsTest, ARangeStartsAtItsFirstPoint)
{
    const std::vector<TrackPoint> points = WalkWithStop();
    const auto track = MakeTrack(points);
    const int first = 5;
    const int last = 15;
    const TrackStatistics range = TrackStatistics::OfRange(*track, first, last, kParams);
    const std::vector<TrackPoint> part(points.begin() + first, points.begin() + last + 1);
    EXPECT_EQ(range.points, last - first + 1);
    EXPECT_NEAR(range.distance, PathMetres(part), PathMetres(part) * kDistanceTolerance);
    EXPECT_NEAR(*range.duration, Seconds(points[first], points[last]), 1e-6);
    EXPECT_NEAR(*range.movingTime, 100.0, 1e-6);

    // Two ranges that meet at a point add up to the whole.
    const int cut = 25;
    TrackStatistics halves = TrackStatistics::OfRange(*track, 0, cut, kParams);
    halves.Add(TrackStatistics::OfRange(*track, cut, -1, kParams));
    const TrackStatistics whole = TrackStatistics::OfRange(*track, 0, -1, kParams);
    EXPECT_NEAR(halves.distance, whole.distance, 1e-6);
    EXPECT_NEAR(*halves.duration, *whole.duration, 1e-6);
    EXPECT_NEAR(*halves.movingTime, *whole.movingTime, 1e-6);
    EXPECT_EQ(halves.points, whole.points + 1);
}

TEST(TrackStatisticsTest, AStaircaseClimbIsCountedWithoutItsNoise)
{
    // 5 m steps up to 50 m and down again, each step held for ten points
    // that wobble by up to 0.8 m (below the 2 m hysteresis).
    std::vector<TrackPoint> points;
    int i = 0;
    for (int step = 0; step <= 20; ++step) {
        const double level = 5.0 * (step <= 10 ? step : 20 - step);
        for (int k = 0; k < 10; ++k, ++i)
            points.push_back(AtHeight(i * 10.0, i * 5.0, 300 + level + 0.8 * std::sin(i * 1.7)));
    }
    const TrackStatistics stats = TrackStatistics::OfRange(*MakeTrack(points), 0, -1, kParams);
    EXPECT_NEAR(*stats.ascent, 50.0, 1.6);
    EXPECT_NEAR(*stats.descent, 50.0, 1.6);
    double low = 1e9;
    double high = -1e9;
    for (const TrackPoint& point : points) {
        low = std::min(low, point.GetElevation());
        high = std::max(high, point.GetElevation());
    }
    EXPECT_EQ(*stats.minElevation, low);
    EXPECT_EQ(*stats.maxElevation, high);
}

TEST(TrackStatisticsTest, ASegmentWithoutTimesElevationsOrSensorsGivesNoSuchFigures)
{
    std::vector<TrackPoint> points;
    for (int i = 0; i < 5; ++i) {
        TrackPoint point;
        point.Set3D(At(i * 100.0, 0, 0).Get3D());
        points.push_back(point);
    }
    const TrackStatistics stats = TrackStatistics::OfRange(*MakeTrack(points), 0, -1, kParams);
    EXPECT_NEAR(stats.distance, 400.0, 400.0 * kDistanceTolerance);
    EXPECT_FALSE(stats.duration);
    EXPECT_FALSE(stats.movingTime);
    EXPECT_FALSE(stats.GetAverageSpeed());
    EXPECT_FALSE(stats.maxSpeed);
    EXPECT_FALSE(stats.ascent);
    EXPECT_FALSE(stats.minElevation);
    EXPECT_FALSE(stats.GetAverageHeartRate());
    EXPECT_FALSE(stats.maxCadence);
}

TEST(TrackStatisticsTest, SegmentsAddUpAsAFolder)
{
    std::vector<TrackPoint> first = WalkWithStop();
    for (size_t i = 0; i < first.size(); ++i)
        first[i].GetGpsParams().SetHeartRate(static_cast<unsigned char>(100 + i % 7));
    std::vector<TrackPoint> second;
    for (int i = 0; i < 40; ++i) {
        second.push_back(AtHeight(i * 50.0, 7200 + i * 10.0, 50.0 + i));
        second.back().GetGpsParams().SetHeartRate(static_cast<unsigned char>(150 + i % 3));
        second.back().GetGpsParams().SetCadence(static_cast<unsigned char>(80 + i % 5));
    }
    const TrackStatistics a = TrackStatistics::OfRange(*MakeTrack(first), 0, -1, kParams);
    const TrackStatistics b = TrackStatistics::OfRange(*MakeTrack(second), 0, -1, kParams);
    TrackStatistics folder = a;
    folder.Add(b);
    // The hours between the segments are no part of either.
    EXPECT_NEAR(*folder.duration, Seconds(first.front(), first.back()) + Seconds(second.front(), second.back()), 1e-6);
    EXPECT_NEAR(*folder.movingTime, 300.0 + 390.0, 1e-6);
    EXPECT_NEAR(folder.distance, PathMetres(first) + PathMetres(second),
                (PathMetres(first) + PathMetres(second)) * kDistanceTolerance);
    EXPECT_NEAR(*folder.maxSpeed, 18.0, 18.0 * kDistanceTolerance);
    EXPECT_EQ(*folder.minElevation, 50.0);
    EXPECT_EQ(*folder.maxElevation, 100.0);
    EXPECT_NEAR(*folder.ascent, 39.0, 1e-9);
    double beats = 0;
    for (const auto* points : {&first, &second})
        for (const TrackPoint& point : *points)
            beats += point.GetGpsParams().GetHeartRate();
    EXPECT_NEAR(*folder.GetAverageHeartRate(), beats / (first.size() + second.size()), 1e-9);
    EXPECT_EQ(*folder.maxHeartRate, 152);
    // Only the second segment has cadence: its figures stand alone.
    EXPECT_EQ(*folder.maxCadence, 84);
    EXPECT_NEAR(*folder.GetAverageCadence(), 82.0, 1e-9);
}

// Real recordings, read and checked as the program opens them; every figure
// worked out here from the kept points.
class TrackStatisticsFileTest : public ::testing::TestWithParam<const char*>
{
};

TEST_P(TrackStatisticsFileTest, FiguresMatchTheKeptPoints)
{
    LoadedTrackFile loaded = LoadManager().Load(FixturePath(QString::fromLatin1(GetParam())));
    ASSERT_TRUE(TrackLoaderI::HasTracks(loaded.status));
    std::vector<int> segments;
    TrackTreeAlg(loaded.tree.GetReader().get()).GetSubsegmentIds(loaded.fileTid, segments);
    ASSERT_FALSE(segments.empty());
    const StatisticsParams noHysteresis{kParams.movingSpeedKmh, 0.0};
    for (const int tid : segments) {
        const TrackDataPtr data = loaded.data->Get(tid);
        TimeOrderCheck::Run(*data);
        const std::vector<TrackPoint> points = data->GetPoints();
        const std::vector<TrackPoint> kept = Kept(points);
        if (kept.size() < 2)
            continue;
        const TrackStatistics stats = TrackStatistics::OfRange(*MakeTrack(points), 0, -1, noHysteresis);
        ASSERT_TRUE(stats.duration && stats.movingTime && stats.ascent && stats.minElevation);
        EXPECT_EQ(stats.points, static_cast<int>(points.size()));
        EXPECT_EQ(stats.filtered, static_cast<int>(points.size() - kept.size()));
        EXPECT_NEAR(stats.distance, PathMetres(kept), PathMetres(kept) * kDistanceTolerance + 1.0);
        EXPECT_NEAR(*stats.duration, Seconds(kept.front(), kept.back()), 1e-3);
        double up = 0;
        double low = kept.front().GetElevation();
        int beats = 0;
        int heartRates = 0;
        int maxHeartRate = 0;
        for (size_t i = 1; i < kept.size(); ++i) {
            up += std::max(0.0, kept[i].GetElevation() - kept[i - 1].GetElevation());
            low = std::min(low, kept[i].GetElevation());
        }
        for (const TrackPoint& point : kept) {
            if (!point.GetGpsParams().HasHeartRate())
                continue;
            beats += point.GetGpsParams().GetHeartRate();
            ++heartRates;
            maxHeartRate = std::max<int>(maxHeartRate, point.GetGpsParams().GetHeartRate());
        }
        EXPECT_NEAR(*stats.ascent, up, 1e-6);
        EXPECT_EQ(*stats.minElevation, low);
        if (heartRates > 0) {
            EXPECT_EQ(*stats.maxHeartRate, maxHeartRate);
            EXPECT_NEAR(*stats.GetAverageHeartRate(), static_cast<double>(beats) / heartRates, 1e-9);
        } else {
            EXPECT_FALSE(stats.maxHeartRate);
        }
        EXPECT_LE(*stats.movingTime, *stats.duration);
    }
}

INSTANTIATE_TEST_SUITE_P(Recordings, TrackStatisticsFileTest,
                         ::testing::Values("fit/python-fitparse/garmin-edge-500-activity.fit",
                                           "gpx/gpsbabel/vitovtt-sample.gpx", "tcx/gpsbabel/gtrnctr-lap_s.tcx",
                                           "gpx/gpxpy/cerknicko-jezero.gpx"));
