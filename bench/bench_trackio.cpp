// Loads and saves large track files through the track library.
// usage: bench_trackio BIG.gpx [BIG.nmea or ""] [REPEATS] [FIT_MB]
// Make the GPX and NMEA files with ../shared/tools/make_track.py (see
// bench/README.md); the FIT ride (default 100 MB) is generated here.

#include "BareExpatWalk.h"
#include "BareFitWalk.h"
#include "BareGpxScan.h"
#include "BenchFitRide.h"
#include "BenchSupport.h"
#include "GpxLoader.h"
#include "LoadManager.h"
#include "SaveManager.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

bool BenchGpx(const QString& fileName, int repeats)
{
    const LoadManager manager;
    // The same loads with expat alone, as before the fast scanner.
    const LoadManager expatManager;
    dynamic_cast<GpxLoader&>(*expatManager.GetLoaderBase(TrackFileGpx)).GetEngine().SetFastAllowed(false);
    std::vector<double> bare, scan, load, expatLoad, save;
    double bytesPerPoint = 0;
    long long points = 0;
    QTemporaryDir out;
    for (int run = 0; run < repeats; ++run) {
        Stopwatch bareWatch;
        const long long barePoints = BareExpatWalk(fileName);
        bare.push_back(bareWatch.Seconds());

        Stopwatch scanWatch;
        const long long scanPoints = BareGpxScan(fileName);
        scan.push_back(scanWatch.Seconds());
        if (scanPoints != barePoints)
            std::fprintf(stderr, "note: the byte scan saw %lld points, the bare walk %lld\n", scanPoints, barePoints);

        const long long before = CurrentRssBytes();
        ResetPeakRss();
        Stopwatch loadWatch;
        LoadedTrackFile loaded = manager.Load(fileName);
        load.push_back(loadWatch.Seconds());
        if (loaded.status != TrackLoaderI::Success) {
            std::fprintf(stderr, "load failed: %d %s\n", loaded.status, qPrintable(loaded.error));
            return false;
        }
        points = loaded.data->GetTotalPointCount();
        if (points != barePoints)
            std::fprintf(stderr, "note: loader kept %lld points, the bare walk saw %lld\n", points, barePoints);
        // Only the first load starts from a heap that has not held a track.
        if (run == 0)
            bytesPerPoint = static_cast<double>(PeakRssBytes() - before) / static_cast<double>(points);

        Stopwatch expatWatch;
        if (expatManager.Load(fileName).status != TrackLoaderI::Success) {
            std::fprintf(stderr, "load with expat alone failed\n");
            return false;
        }
        expatLoad.push_back(expatWatch.Seconds());

        SaveManager saving;
        Stopwatch saveWatch;
        const auto status = saving.GetTrackSaver(TrackFileGpx)->SaveTrack(
            QDir(out.path()).filePath(QStringLiteral("saved.gpx")), loaded.tree.GetReader(), loaded.fileTid, loaded.data);
        save.push_back(saveWatch.Seconds());
        if (status != TrackSaverI::Success) {
            std::fprintf(stderr, "save failed\n");
            return false;
        }
    }
    PrintFigure("gpx_points", static_cast<double>(points), "points");
    PrintFigure("bare_expat_seconds", Median(bare), "s");
    PrintFigure("load_seconds", Median(load), "s");
    PrintFigure("load_ratio_to_bare_expat", Median(load) / Median(bare), "x");
    PrintFigure("expat_load_seconds", Median(expatLoad), "s");
    PrintFigure("byte_scan_seconds", Median(scan), "s");
    PrintFigure("load_ratio_to_scan", Median(load) / Median(scan), "x");
    PrintFigure("bytes_per_point_loaded", bytesPerPoint, "B");
    PrintFigure("save_seconds", Median(save), "s");
    return true;
}

bool BenchNmea(const QString& fileName, int repeats)
{
    const LoadManager manager;
    std::vector<double> load;
    long long points = 0;
    for (int run = 0; run < repeats; ++run) {
        Stopwatch watch;
        const LoadedTrackFile loaded = manager.Load(fileName);
        load.push_back(watch.Seconds());
        if (loaded.status != TrackLoaderI::Success) {
            std::fprintf(stderr, "NMEA load failed: %d %s\n", loaded.status, qPrintable(loaded.error));
            return false;
        }
        points = loaded.data->GetTotalPointCount();
    }
    PrintFigure("nmea_points", static_cast<double>(points), "points");
    PrintFigure("nmea_load_seconds", Median(load), "s");
    return true;
}

bool BenchFit(long long megabytes, int repeats)
{
    QTemporaryDir folder;
    const QString fileName = QDir(folder.path()).filePath(QStringLiteral("ride.fit"));
    const long long records = WriteBenchFitRide(fileName, megabytes * 1'000'000);
    if (records == 0) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(fileName));
        return false;
    }
    const LoadManager manager;
    std::vector<double> bare, load, bareCpu, loadCpu;
    double bytesPerPoint = 0;
    long long points = 0;
    for (int run = 0; run < repeats; ++run) {
        const CpuStopwatch bareCpuWatch;
        const Stopwatch bareWatch;
        const long long barePoints = BareFitWalk(fileName);
        bare.push_back(bareWatch.Seconds());
        bareCpu.push_back(bareCpuWatch.Seconds());

        const long long before = CurrentRssBytes();
        ResetPeakRss();
        const CpuStopwatch loadCpuWatch;
        const Stopwatch loadWatch;
        const LoadedTrackFile loaded = manager.Load(fileName);
        load.push_back(loadWatch.Seconds());
        loadCpu.push_back(loadCpuWatch.Seconds());
        if (loaded.status != TrackLoaderI::Success) {
            std::fprintf(stderr, "FIT load failed: %d %s\n", loaded.status, qPrintable(loaded.error));
            return false;
        }
        points = loaded.data->GetTotalPointCount();
        if (points != barePoints || points != records)
            std::fprintf(stderr, "note: FIT loader kept %lld points, the bare walk saw %lld, %lld written\n", points,
                         barePoints, records);
        if (run == 0)
            bytesPerPoint = static_cast<double>(PeakRssBytes() - before) / static_cast<double>(points);
    }
    PrintFigure("fit_megabytes", static_cast<double>(QFileInfo(fileName).size()) / 1e6, "MB");
    PrintFigure("fit_points", static_cast<double>(points), "points");
    PrintFigure("fit_bare_walk_seconds", Median(bare), "s");
    PrintFigure("fit_load_seconds", Median(load), "s");
    PrintFigure("fit_load_ratio_to_bare_walk", Median(load) / Median(bare), "x");
    PrintFigure("fit_bare_walk_cpu_seconds", Median(bareCpu), "s");
    PrintFigure("fit_load_cpu_seconds", Median(loadCpu), "s");
    PrintFigure("fit_first_load_seconds", load.front(), "s");
    PrintFigure("fit_bytes_per_point_loaded", bytesPerPoint, "B");
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: bench_trackio BIG.gpx [BIG.nmea] [REPEATS] [FIT_MB]\n");
        return 2;
    }
    const int repeats = args.size() > 2 ? std::max(1, args[2].toInt()) : 5;
    if (!BenchGpx(args[0], repeats))
        return 1;
    if (args.size() > 1 && !args[1].isEmpty() && !BenchNmea(args[1], repeats))
        return 1;
    const long long fitMegabytes = args.size() > 3 ? std::max(1, args[3].toInt()) : 100;
    return BenchFit(fitMegabytes, repeats) ? 0 : 1;
}
