#include "BenchRide.h"

#include <cmath>
#include <random>

std::vector<TrackPoint> MakeRide(int count)
{
    std::mt19937 random(20240501);
    std::normal_distribution<double> turn(0.0, 0.05);
    std::uniform_real_distribution<double> step(3.0, 7.0);
    const Time start(2024, 5, 1, 8, 0, 0);
    std::vector<TrackPoint> points;
    points.reserve(static_cast<size_t>(count));
    double lon = 8.5, lat = 47.3, heading = 0.0;
    for (int i = 0; i < count; ++i) {
        heading += turn(random);
        const double metres = step(random);
        lat += metres * std::cos(heading) / 111320.0;
        lon += metres * std::sin(heading) / (111320.0 * std::cos(lat * 3.14159265358979 / 180.0));
        const double elevation = 400.0 + 50.0 * std::sin(i / 500.0);
        points.emplace_back(TVector3<double>(lon, lat, elevation), start + TimeSpan::FromSeconds(i));
    }
    return points;
}
