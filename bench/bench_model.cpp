// Times the track objects on tracks generated in code: building a track,
// the full recalculation against a bare loop over the same kinematics, one
// point edit at two track lengths, deleting filtered points, and the memory a
// point takes with its derived record.
// usage: bench_model [POINTS] [REPEATS]

#include "BenchRide.h"
#include "BenchSupport.h"
#include "CalculatedData.h"
#include "Track.h"
#include "TrackPointMethods.h"
#include "TrackPtNav.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// The derived parameters of every point against its raw neighbours, with
// nothing else: what the full recalculation is measured against.
void BareLoop(const std::vector<TrackPoint>& points, std::vector<CalcTrackParams>& records)
{
    const size_t n = points.size();
    records.resize(n);
    double sum = 0.0;
    for (size_t i = 0; i < n; ++i) {
        const TrackPoint& a = points[i > 0 ? i - 1 : 0];
        const TrackPoint& b = points[i];
        const TrackPoint& c = points[i + 1 < n ? i + 1 : n - 1];
        CalcTrackParams& r = records[i];
        r.Dist = TrackPointMethods::GetRoughDist(a, b) * 1000.0;
        const double rise = b.GetElevation() - a.GetElevation();
        r.Dist3D = std::sqrt(r.Dist * r.Dist + rise * rise);
        r.Speed = i == 0 ? 0.0f : static_cast<float>(TrackPointMethods::GetSpeed(a, b));
        r.Heading = static_cast<float>(TrackPointMethods::GetHeading(a, b));
        if (i > 0 && i + 1 < n) {
            const TVector2<double> v = TrackPointMethods::GetAccelV(a, b, c);
            r.Accel = static_cast<float>(TrackPointMethods::GetAccel(a, b, c));
            r.AccelAbs = static_cast<float>(std::sqrt(v.x * v.x + v.y * v.y));
            r.AccelTang = static_cast<float>(TrackPointMethods::GetAccelTang(a, b, c));
            r.AccelNorm = static_cast<float>(TrackPointMethods::GetAccelNorm(a, b, c));
        }
        sum += r.Dist;
        r.DistFromStart = sum;
    }
}

// Seconds per SetPoint in the middle of a track of count points, changing
// the point's position and, when asked, its validity every time.
double SetPointSeconds(int count, bool toggleValidity)
{
    Track track(std::make_shared<TrackData>(MakeRide(count)), 1, -1);
    const int middle = count / 2;
    TrackPoint original;
    track.GetPoint(middle, original);
    TrackPoint changed = original;
    changed.Set2D({original.GetLon() + 0.0001, original.GetLat()});
    if (toggleValidity)
        changed.GetStatus().SetFilterReason(7);
    const int edits = 20000;
    Stopwatch watch;
    for (int i = 0; i < edits; ++i)
        track.SetPoint(middle, i % 2 == 0 ? changed : original);
    return watch.Seconds() / edits;
}

} // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 1000000;
    const int repeats = argc > 2 ? std::atoi(argv[2]) : 5;
    if (count < 20000 || repeats < 1) {
        std::fprintf(stderr, "usage: bench_model [POINTS >= 20000] [REPEATS]\n");
        return 1;
    }

    // Memory first, on a fresh heap: the points and everything a track
    // keeps beside them.
    double bytesPerPoint = 0;
    {
        const long long before = CurrentRssBytes();
        Track track(std::make_shared<TrackData>(MakeRide(count)), 1, -1);
        track.Refresh(true);
        bytesPerPoint = static_cast<double>(CurrentRssBytes() - before) / count;
    }

    const std::vector<TrackPoint> points = MakeRide(count);
    std::vector<TrackPoint> withFiltered = points;
    for (size_t i = 0; i < withFiltered.size(); i += 20)
        withFiltered[i].GetStatus().SetFilterReason(7);

    std::vector<double> build, refresh, full, bare, deleteFiltered, set10k, set1m, move10k, move1m;
    std::vector<CalcTrackParams> bareRecords;
    for (int run = 0; run < repeats; ++run) {
        auto data = std::make_shared<TrackData>(points);
        Stopwatch buildWatch;
        Track track(data, 1, -1);
        Stopwatch refreshWatch;
        track.Refresh(true);
        refresh.push_back(refreshWatch.Seconds());
        build.push_back(buildWatch.Seconds());

        TrackPtNav navigator(*data);
        CalculatedData calc(navigator, data);
        Stopwatch fullWatch;
        calc.Recalculate(0, -1);
        full.push_back(fullWatch.Seconds());

        Stopwatch bareWatch;
        BareLoop(points, bareRecords);
        bare.push_back(bareWatch.Seconds());

        Track filtered(std::make_shared<TrackData>(withFiltered), 2, -1);
        Stopwatch deleteWatch;
        filtered.DeleteFiltered();
        deleteFiltered.push_back(deleteWatch.Seconds());

        set10k.push_back(SetPointSeconds(10000, true));
        set1m.push_back(SetPointSeconds(count, true));
        move10k.push_back(SetPointSeconds(10000, false));
        move1m.push_back(SetPointSeconds(count, false));
    }

    PrintFigure("points", count, "points");
    PrintFigure("build_track_s", Median(build), "s");
    PrintFigure("refresh_true_s", Median(refresh), "s");
    PrintFigure("full_recalc_s", Median(full), "s");
    PrintFigure("bare_loop_s", Median(bare), "s");
    PrintFigure("full_recalc_ratio", Median(full) / Median(bare), "x");
    PrintFigure("delete_filtered_5pct_s", Median(deleteFiltered), "s");
    PrintFigure("setpoint_10k_us", Median(set10k) * 1e6, "us");
    PrintFigure("setpoint_1m_us", Median(set1m) * 1e6, "us");
    PrintFigure("setpoint_ratio_1m_vs_10k", Median(set1m) / Median(set10k), "x");
    PrintFigure("setpoint_move_10k_us", Median(move10k) * 1e6, "us");
    PrintFigure("setpoint_move_1m_us", Median(move1m) * 1e6, "us");
    PrintFigure("setpoint_move_ratio_1m_vs_10k", Median(move1m) / Median(move10k), "x");
    PrintFigure("bytes_per_point", bytesPerPoint, "B");
    PrintFigure("point_plus_record_sizeof", static_cast<double>(sizeof(TrackPoint) + sizeof(CalcTrackParams)), "B");
    return 0;
}
