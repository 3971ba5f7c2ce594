// Times the filters on one large track against one full recalculation of
// the same track in the same run: filter by value with all six rules, the
// spike filter, the local-inconsistency filter, and deleting the filtered
// points. Each filter runs on a fresh copy of the track. It also times the
// figures of a cleaning report (the statistics of the file's segments taken
// before a cleaning and again for the report), the cost every cleaning
// command adds.
// usage: bench_filters [POINTS] [REPEATS]

#include "BenchOpenRide.h"
#include "BenchSupport.h"
#include "CleaningReportBuilder.h"
#include "FilterManager.h"
#include "GEventManagerImpl.h"
#include "LocalInconsistencyFilter.h"
#include "OpenTracksModel.h"
#include "ParameterFilterImpl.h"
#include "SpikeFilter.h"
#include "Track.h"
#include "TrackPtNavI.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <vector>

namespace {

// A ride, one point a second, 3..7 m apart, turning slowly; every 500th
// point is thrown 300 m off the road, and every 3000th point starts a
// standstill of 30 samples jittering within half a metre.
std::vector<TrackPoint> MakeRide(int count)
{
    std::mt19937 random(20240601);
    std::normal_distribution<double> turn(0.0, 0.05);
    std::uniform_real_distribution<double> step(3.0, 7.0);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    const Time start(2024, 6, 1, 8, 0, 0);
    const double metresPerDegree = 111320.0;
    std::vector<TrackPoint> points;
    points.reserve(static_cast<size_t>(count));
    double lon = 8.5, lat = 47.3, heading = 0.0;
    int standing = 0;
    for (int i = 0; i < count; ++i) {
        const double cosLat = std::cos(lat * M_PI / 180.0);
        if (i % 3000 == 0)
            standing = 30;
        double metres = step(random);
        if (standing > 0) {
            --standing;
            metres = 0.0;
        }
        heading += turn(random);
        lat += metres * std::cos(heading) / metresPerDegree;
        lon += metres * std::sin(heading) / (metresPerDegree * cosLat);
        double x = lon, y = lat;
        if (metres == 0.0) {
            x += 0.5 * unit(random) / (metresPerDegree * cosLat);
            y += 0.5 * unit(random) / metresPerDegree;
        } else if (i % 500 == 250) {
            x += 300.0 * unit(random) / (metresPerDegree * cosLat);
            y += 300.0 / metresPerDegree;
        }
        points.emplace_back(TVector3<double>(x, y, 400.0 + 50.0 * std::sin(i / 500.0)),
                            start + TimeSpan::FromSeconds(i));
    }
    return points;
}

struct Timing
{
    double seconds = 0;
    int filtered = 0;
};

// Runs the operation on a fresh track over the points; returns its time
// and the valid points lost.
Timing TimeOn(const std::vector<TrackPoint>& points, const std::function<void(const TrackPtr&)>& operation)
{
    const TrackPtr track = std::make_shared<Track>(std::make_shared<TrackData>(points), 1, -1);
    const int before = track->GetPtNav().GetValidCount();
    Stopwatch watch;
    operation(track);
    return {watch.Seconds(), before - track->GetPtNav().GetValidCount()};
}

} // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 1000000;
    const int repeats = argc > 2 ? std::atoi(argv[2]) : 3;
    if (count < 1000 || repeats < 1) {
        std::fprintf(stderr, "usage: bench_filters [POINTS >= 1000] [REPEATS]\n");
        return 1;
    }
    const std::vector<TrackPoint> points = MakeRide(count);

    auto rules = std::make_shared<ParameterFilterImpl>();
    rules->Add(ParameterFilterImpl::KindDist, 106, 1.0);
    rules->Add(ParameterFilterImpl::KindHighSpeed, 107, 80.0);
    rules->Add(ParameterFilterImpl::KindLowSpeed, 108, 1.0);
    rules->Add(ParameterFilterImpl::KindAccForward, 104, 4.0);
    rules->Add(ParameterFilterImpl::KindAccBrake, 103, 6.0);
    rules->Add(ParameterFilterImpl::KindAccRadial, 105, 8.0);
    const Filter::Function byValue = [rules](const TrackI& track) { return rules->Apply(track); };

    std::vector<double> recalc, value, spike, local, remove, report;
    int valueCount = 0, spikeCount = 0, localCount = 0, removed = 0;
    for (int run = 0; run < repeats; ++run) {
        recalc.push_back(TimeOn(points, [](const TrackPtr& track) { track->Refresh(false); }).seconds);

        const Timing byValueRun = TimeOn(points, [&byValue](const TrackPtr& track) {
            FilterManager::ApplyFilter(byValue, track);
        });
        value.push_back(byValueRun.seconds);
        valueCount = byValueRun.filtered;

        const Timing spikeRun = TimeOn(points, [](const TrackPtr& track) { SpikeFilter().Apply(*track); });
        spike.push_back(spikeRun.seconds);
        spikeCount = spikeRun.filtered;

        const Timing localRun = TimeOn(points, [](const TrackPtr& track) { LocalInconsistencyFilter().Apply(*track); });
        local.push_back(localRun.seconds);
        localCount = localRun.filtered;

        // Deleting what the filter by value left, timed alone.
        const TrackPtr track = std::make_shared<Track>(std::make_shared<TrackData>(points), 1, -1);
        FilterManager::ApplyFilter(byValue, track);
        const int before = track->GetPointCount();
        Stopwatch watch;
        track->DeleteFiltered();
        remove.push_back(watch.Seconds());
        removed = before - track->GetPointCount();

        GEventManagerImpl events;
        OpenTracksModel model(events);
        const int file = OpenRideAsFile(model, points);
        Stopwatch reportWatch;
        CleaningReportBuilder builder(model, file, StatisticsParams(), true);
        const CleaningReport figures = builder.Finish();
        report.push_back(reportWatch.Seconds());
        if (!figures.error.isEmpty())
            std::fprintf(stderr, "note: the report failed: %s\n", qPrintable(figures.error));
    }

    const double base = Median(recalc);
    PrintFigure("points", count, "points");
    PrintFigure("full_recalc_s", base, "s");
    PrintFigure("value_filter_s", Median(value), "s");
    PrintFigure("spike_filter_s", Median(spike), "s");
    PrintFigure("local_filter_s", Median(local), "s");
    PrintFigure("delete_filtered_s", Median(remove), "s");
    PrintFigure("value_filter_ratio", Median(value) / base, "x");
    PrintFigure("spike_filter_ratio", Median(spike) / base, "x");
    PrintFigure("local_filter_ratio", Median(local) / base, "x");
    PrintFigure("delete_filtered_ratio", Median(remove) / base, "x");
    PrintFigure("value_filtered_points", valueCount, "points");
    PrintFigure("spike_filtered_points", spikeCount, "points");
    PrintFigure("local_filtered_points", localCount, "points");
    PrintFigure("deleted_points", removed, "points");
    PrintFigure("cleaning_report_s", Median(report), "s");
    PrintFigure("cleaning_report_ratio", Median(report) / base, "x");
    return 0;
}
