#include "TrackPointMethods.h"

#include <GeographicLib/Geodesic.hpp>

#include <cmath>
#include <random>
#include <vector>

#include <gtest/gtest.h>

namespace {

TrackPoint At(double lat, double lon, double seconds)
{
    return TrackPoint({lon, lat, 0.0}, Time(2024, 5, 1) + TimeSpan::FromSeconds(seconds));
}

double GeodesicKm(double lat1, double lon1, double lat2, double lon2)
{
    double metres = 0;
    GeographicLib::Geodesic::WGS84().Inverse(lat1, lon1, lat2, lon2, metres);
    return metres / 1000.0;
}

} // namespace

TEST(TrackPointMethods, RoughDistanceAgreesWithTheGeodesic)
{
    std::mt19937 random(20240501);
    std::uniform_real_distribution<double> lat(-80.0, 80.0);
    std::uniform_real_distribution<double> lon(-180.0, 180.0);
    std::uniform_real_distribution<double> legKm(0.001, 100.0);
    std::uniform_real_distribution<double> bearing(0.0, 360.0);
    double worst = 0;
    for (int i = 0; i < 20000; ++i) {
        const double lat1 = lat(random);
        const double lon1 = lon(random);
        double lat2 = 0, lon2 = 0;
        GeographicLib::Geodesic::WGS84().Direct(lat1, lon1, bearing(random), legKm(random) * 1000.0, lat2, lon2);
        const double expected = GeodesicKm(lat1, lon1, lat2, lon2);
        const double rough = TrackPointMethods::GetRoughDist(At(lat1, lon1, 0), At(lat2, lon2, 0));
        worst = std::max(worst, std::abs(rough - expected) / expected);
    }
    EXPECT_LT(worst, 0.005);
    // Across the antimeridian the short way round counts.
    EXPECT_NEAR(TrackPointMethods::GetRoughDist(At(0, 179.99, 0), At(0, -179.99, 0)),
                GeodesicKm(0, 179.99, 0, -179.99), 1e-3);
}

TEST(TrackPointMethods, SpeedAndHeading)
{
    // 0.01 degree of latitude north at the equator is 1105.7 m (geodesic).
    const TrackPoint a = At(0, 10, 0);
    const TrackPoint b = At(0.01, 10, 100);
    EXPECT_NEAR(TrackPointMethods::GetSpeed(a, b), GeodesicKm(0, 10, 0.01, 10) / (100.0 / 3600.0), 0.05);
    EXPECT_NEAR(TrackPointMethods::GetHeading(a, b), 0.0, 1e-9);
    EXPECT_NEAR(TrackPointMethods::GetHeading(b, a), 180.0, 1e-9);
    EXPECT_NEAR(TrackPointMethods::GetHeading(a, At(0, 10.01, 0)), 90.0, 1e-9);
    EXPECT_NEAR(TrackPointMethods::GetHeading(a, At(-0.01, 9.99, 0)), 225.0, 0.5);
    EXPECT_EQ(TrackPointMethods::GetHeading(a, a), 0.0);

    // No time, the same time, or going back in time: no speed, and no NaN.
    TrackPoint untimed = b;
    untimed.SetTime(Time());
    EXPECT_EQ(TrackPointMethods::GetSpeed(a, untimed), 0.0);
    EXPECT_EQ(TrackPointMethods::GetSpeed(a, At(0.01, 10, 0)), 0.0);
    EXPECT_EQ(TrackPointMethods::GetSpeed(b, a), 0.0);
}

TEST(TrackPointMethods, AccelerationsFollowThePhysics)
{
    // Straight north, speeding up: 10 m/s for 10 s, then 20 m/s for 10 s.
    // Acceleration (20 - 10) / 10 = 1 m/s², all of it along the path.
    const double metresPerDegree = 110574.3; // meridian degree at the equator
    const TrackPoint a = At(0, 0, 0);
    const TrackPoint b = At(100.0 / metresPerDegree, 0, 10);
    const TrackPoint c = At(300.0 / metresPerDegree, 0, 20);
    EXPECT_NEAR(TrackPointMethods::GetAccel(a, b, c), 1.0, 0.01);
    EXPECT_NEAR(TrackPointMethods::GetAccelTang(a, b, c), 1.0, 0.01);
    EXPECT_NEAR(TrackPointMethods::GetAccelNorm(a, b, c), 0.0, 1e-6);
    const TVector2<double> v = TrackPointMethods::GetAccelV(a, b, c);
    EXPECT_NEAR(v.x, 0.0, 1e-6);
    EXPECT_NEAR(v.y, 1.0, 0.01);

    // A right-angle turn at constant 10 m/s: v1 = (0, 10), v2 = (10, 0),
    // |dv| = 10·√2 over 10 s: 1.414 m/s² across, nothing along, no speed change.
    const double metresPerLonDegree = 111319.5; // equator
    const TrackPoint d = At(100.0 / metresPerDegree, 100.0 / metresPerLonDegree, 20);
    EXPECT_NEAR(TrackPointMethods::GetAccel(a, b, d), 0.0, 0.01);
    EXPECT_NEAR(TrackPointMethods::GetAccelTang(a, b, d), 0.0, 0.01);
    EXPECT_NEAR(TrackPointMethods::GetAccelNorm(a, b, d), std::sqrt(2.0), 0.01);

    // Braking shows as negative change of speed and tangential acceleration.
    EXPECT_EQ(TrackPointMethods::GetAccel(c, b, a), 0.0); // time runs backwards
    const TrackPoint e = At(350.0 / metresPerDegree, 0, 30);
    EXPECT_NEAR(TrackPointMethods::GetAccelTang(b, c, e), (5.0 - 20.0) / 10.0, 0.01);

    // Turning straight back: the motion out defines the direction.
    const TrackPoint back = At(0, 0, 20);
    EXPECT_TRUE(std::isfinite(TrackPointMethods::GetAccelTang(a, b, back)));
    EXPECT_NEAR(TrackPointMethods::GetAccelNorm(a, b, back), 0.0, 1e-6);
}

TEST(TrackPointMethods, MissingOrRepeatedTimesGiveZeroNotNaN)
{
    const TrackPoint a = At(0, 0, 0);
    const TrackPoint b = At(0.001, 0, 0); // same time as a
    const TrackPoint c = At(0.002, 0, 10);
    TrackPoint untimed = c;
    untimed.SetTime(Time());
    for (const TrackPoint* last : {&c, static_cast<const TrackPoint*>(&untimed)}) {
        EXPECT_EQ(TrackPointMethods::GetAccel(a, b, *last), 0.0);
        EXPECT_EQ(TrackPointMethods::GetAccelTang(a, b, *last), 0.0);
        EXPECT_EQ(TrackPointMethods::GetAccelNorm(a, b, *last), 0.0);
        EXPECT_EQ(TrackPointMethods::GetAccelV(a, b, *last).Length(), 0.0);
    }
    // Standing still: no direction, no acceleration, nothing undefined.
    EXPECT_EQ(TrackPointMethods::GetAccelNorm(At(1, 1, 0), At(1, 1, 1), At(1, 1, 2)), 0.0);
    EXPECT_EQ(TrackPointMethods::GetAccelTang(At(1, 1, 0), At(1, 1, 1), At(1, 1, 2)), 0.0);
}

// The figures of a whole track are computed through Measure; they must be
// the very bits the single functions give, missing and repeated times,
// coinciding points and the antimeridian included.
TEST(TrackPointMethods, MeasureGivesExactlyWhatEachFunctionGives)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> step(-0.01, 0.01);
    std::uniform_int_distribution<int> seconds(-1, 4);
    std::uniform_int_distribution<int> shape(0, 5);
    for (int trial = 0; trial < 3000; ++trial) {
        const double lon = trial % 7 == 0 ? 179.995 : step(random) * 1000.0;
        std::vector<TrackPoint> p;
        double t = 0;
        for (int k = 0; k < 3; ++k) {
            t += seconds(random);
            p.push_back(At(45.0 + step(random), lon + k * step(random), t));
        }
        if (shape(random) == 0)
            p[1] = TrackPoint({p[0].GetLon(), p[0].GetLat(), 0.0}, p[1].GetTime());
        if (shape(random) == 0)
            p[2] = TrackPoint({p[2].GetLon(), p[2].GetLat(), 0.0}, Time());
        const TrackPointMethods::Measures two = TrackPointMethods::Measure(p[0], p[1]);
        const TrackPointMethods::Measures three = TrackPointMethods::Measure(p[0], p[1], p[2]);
        for (const auto* m : {&two, &three}) {
            EXPECT_EQ(m->dist, TrackPointMethods::GetRoughDist(p[0], p[1])) << trial;
            EXPECT_EQ(m->speed, TrackPointMethods::GetSpeed(p[0], p[1])) << trial;
            EXPECT_EQ(m->heading, TrackPointMethods::GetHeading(p[0], p[1])) << trial;
        }
        EXPECT_EQ(two.accel, 0.0);
        EXPECT_EQ(three.accel, TrackPointMethods::GetAccel(p[0], p[1], p[2])) << trial;
        EXPECT_EQ(three.accelV.x, TrackPointMethods::GetAccelV(p[0], p[1], p[2]).x) << trial;
        EXPECT_EQ(three.accelV.y, TrackPointMethods::GetAccelV(p[0], p[1], p[2]).y) << trial;
        EXPECT_EQ(three.accelTang, TrackPointMethods::GetAccelTang(p[0], p[1], p[2])) << trial;
        EXPECT_EQ(three.accelNorm, TrackPointMethods::GetAccelNorm(p[0], p[1], p[2])) << trial;
    }
}
