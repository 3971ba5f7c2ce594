// Times the restructuring operations on one long recording with gaps:
// rebuilding the file's tree, reversing it, and densifying its points to
// 1 s / 10 m; prints the resulting point counts, the peak memory of each
// step and how the times grow from a quarter of the points to all of them.
// usage: bench_restructure [POINTS] [REPEATS]

#include "BenchOpenRide.h"
#include "BenchSupport.h"
#include "GEventManagerImpl.h"
#include "IncreaseFrequency.h"
#include "OpenTracksModel.h"
#include "TrackRestructure.h"
#include "TrackReverser.h"
#include "TrackTreeAlg.h"
#include "TracksStateHolderImpl.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>
#include <vector>

namespace {

double Megabytes(long long bytes)
{
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

// A ride logged every 2 s at 4–7 m/s, with a 6-minute stop every 4,000
// points, a 10-point burst between two such stops every 50,000 and a
// 2-hour break every 100,000.
std::vector<TrackPoint> MakeRide(int count)
{
    std::mt19937 random(20240501);
    std::normal_distribution<double> turn(0.0, 0.05);
    std::uniform_real_distribution<double> speed(4.0, 7.0);
    std::vector<TrackPoint> points;
    points.reserve(static_cast<size_t>(count));
    Time time(2024, 5, 1, 6, 0, 0);
    double lon = 8.5, lat = 47.3, heading = 0.0;
    for (int i = 0; i < count; ++i) {
        TimeSpan step = TimeSpan::FromSeconds(2);
        if (i % 100000 == 0 && i > 0)
            step = TimeSpan(TimeSpan::Hours, 2);
        else if (i % 4000 == 0 || i % 50000 == 0 || i % 50000 == 10)
            step = TimeSpan(TimeSpan::Minutes, 6);
        time += step;
        heading += turn(random);
        const double metres = 2.0 * speed(random);
        lat += metres * std::cos(heading) / 111320.0;
        lon += metres * std::sin(heading) / (111320.0 * std::cos(lat * 3.14159265358979 / 180.0));
        points.emplace_back(TVector3<double>(lon, lat, 400.0 + 50.0 * std::sin(i / 500.0)), time);
    }
    return points;
}

// The model of one run, with the ride opened as a file of one segment.
struct OpenRide
{
    explicit OpenRide(const std::vector<TrackPoint>& points)
    {
        file = OpenRideAsFile(model, points);
    }

    GEventManagerImpl events;
    OpenTracksModel model{events};
    TracksStateHolderImpl holder{model, events};
    int file = -1;
};

struct Timings
{
    std::vector<double> restructure, reverse, densify;
    long long segments = 0;
    long long densified = 0;
    double restructurePeakMb = 0, reversePeakMb = 0, densifyPeakMb = 0, baselineMb = 0;
};

void RunOnce(const std::vector<TrackPoint>& points, Timings& out)
{
    OpenRide ride(points);
    out.baselineMb = Megabytes(CurrentRssBytes());

    ResetPeakRss();
    Stopwatch restructure;
    TrackRestructure(ride.model).RestructureFile(ride.file, {});
    out.restructure.push_back(restructure.Seconds());
    out.restructurePeakMb = Megabytes(PeakRssBytes());
    std::vector<int> segments;
    TrackTreeAlg(ride.model.GetReader().get()).GetSubsegmentIds(ride.file, segments);
    out.segments = static_cast<long long>(segments.size());

    ResetPeakRss();
    Stopwatch reverse;
    TrackReverser(ride.model, ride.holder).Reverse({ride.file});
    out.reverse.push_back(reverse.Seconds());
    out.reversePeakMb = Megabytes(PeakRssBytes());

    ResetPeakRss();
    Stopwatch densify;
    const std::vector<TrackPoint> dense = IncreaseFrequency::Densify(points, TimeSpan::FromSeconds(1), 10.0);
    out.densify.push_back(densify.Seconds());
    out.densifyPeakMb = Megabytes(PeakRssBytes());
    out.densified = static_cast<long long>(dense.size());
}

Timings Measure(int count, int repeats)
{
    const std::vector<TrackPoint> points = MakeRide(count);
    Timings timings;
    for (int r = 0; r < repeats; ++r)
        RunOnce(points, timings);
    return timings;
}

} // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 1000000;
    const int repeats = argc > 2 ? std::atoi(argv[2]) : 3;

    const Timings quarter = Measure(count / 4, repeats);
    const Timings full = Measure(count, repeats);

    PrintFigure("points", count, "points");
    PrintFigure("restructure_s", Median(full.restructure), "s");
    PrintFigure("restructure_segments", static_cast<double>(full.segments), "segments");
    PrintFigure("restructure_peak_rss_mb", full.restructurePeakMb, "MB");
    PrintFigure("reverse_s", Median(full.reverse), "s");
    PrintFigure("reverse_peak_rss_mb", full.reversePeakMb, "MB");
    PrintFigure("densify_1s_10m_s", Median(full.densify), "s");
    PrintFigure("densify_1s_10m_points", static_cast<double>(full.densified), "points");
    PrintFigure("densify_peak_rss_mb", full.densifyPeakMb, "MB");
    PrintFigure("rss_before_steps_mb", full.baselineMb, "MB");
    // Four times the points should take about four times as long.
    PrintFigure("restructure_ratio_full_vs_quarter", Median(full.restructure) / Median(quarter.restructure), "x");
    PrintFigure("reverse_ratio_full_vs_quarter", Median(full.reverse) / Median(quarter.reverse), "x");
    PrintFigure("densify_ratio_full_vs_quarter", Median(full.densify) / Median(quarter.densify), "x");
    return 0;
}
