// Times frames of the map window on one large track: the whole track in
// view unselected, selected with arrows, selected and coloured by speed,
// and zoomed in so that most of it is clipped away; each with the lines
// simplified to what the pixels show (as the map draws them) and whole.
// Also the building of the simplified lines, their memory, and a pan
// without and with the map (tiles from a local folder, decoded before the
// pan starts, as a warm cache holds them).
// Frames and pans are timed twice: on the clock, and in the processor time
// of the process, which other programs on a busy machine inflate less.
// usage: bench_render [POINTS] [REPEATS] [lod-only] [no-pan]   (runs
// offscreen; lod-only skips the frames drawn from the whole lines, no-pan
// the pans, so that a run under callgrind counts frames alone)

#include "BenchOpenRide.h"
#include "BenchRide.h"
#include "BenchSupport.h"
#include "CalcDataGeneralI.h"
#include "CoordTransform.h"
#include "DrawingLayers.h"
#include "GEventManagerImpl.h"
#include "MapDownloaderData.h"
#include "MapLayersImpl.h"
#include "MapTileDrawer.h"
#include "OpenTracks.h"
#include "PaletteParameter.h"
#include "PickState.h"
#include "RangeColorMixer.h"
#include "TrackDrawAttrsImpl.h"
#include "TrackLineLod.h"
#include "TrackLodCache.h"
#include "TrackPainter.h"
#include "TrackTreeAlg.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>

#include <algorithm>
#include <ctime>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

class SpeedPalette : public PaletteI
{
public:
    SpeedPalette()
    {
        m_mixer->AddStop(0, RgbStruct(0, 0, 255));
        m_mixer->AddStop(30, RgbStruct(255, 0, 0));
        m_mixer->Build();
    }
    QString GetName() const override { return QStringLiteral("Speed"); }
    PaletteParameter::Id GetParameter() const override { return PaletteParameter::Speed; }
    PaletteParameter::Aggregate GetAggregate() const override { return PaletteParameter::Avg; }
    std::shared_ptr<const ColorMixerI> GetMixer() const override { return m_mixer; }

private:
    std::shared_ptr<RangeColorMixer> m_mixer = std::make_shared<RangeColorMixer>(1.0);
};

// Processor seconds of the whole process since it started.
double CpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Tiles of zoom levels 6 to 10 over the box, each a distinct picture with
// some texture so that decoding costs what a map tile costs, and a layer
// over them; gives the layer file.
QString WriteTileLayer(const QString& folder, const PointBounds& box)
{
    const auto tileX = [](double lon, int zoom) { return static_cast<int>((lon + 180.0) / 360.0 * (1 << zoom)); };
    const auto tileY = [](double lat, int zoom) {
        const double r = lat * M_PI / 180.0;
        return static_cast<int>((1.0 - std::asinh(std::tan(r)) / M_PI) / 2.0 * (1 << zoom));
    };
    for (int zoom = 6; zoom <= 10; ++zoom) {
        for (int x = tileX(box.minX, zoom); x <= tileX(box.maxX, zoom); ++x) {
            for (int y = tileY(box.maxY, zoom); y <= tileY(box.minY, zoom); ++y) {
                QImage tile(256, 256, QImage::Format_RGB32);
                tile.fill(QColor::fromHsv((x * 37 + y * 91) % 360, 40, 235));
                QPainter painter(&tile);
                painter.setPen(QColor(120, 120, 120));
                for (int i = 0; i < 256; i += 16)
                    painter.drawLine(i, 0, 255 - i, 255);
                painter.end();
                const QString dir = QStringLiteral("%1/%2/%3").arg(folder).arg(zoom).arg(x);
                QDir().mkpath(dir);
                tile.save(QStringLiteral("%1/%2.png").arg(dir).arg(y));
            }
        }
    }
    const QString layer = folder + QStringLiteral("/layer.xml");
    QFile file(layer);
    file.open(QIODevice::WriteOnly);
    file.write(QStringLiteral(R"(<layer guid="bench"><name>Bench</name>
<source type="osm"><base_url>%1/{z}/{x}/{y}.png</base_url></source>
<coverage><zoom min="6" max="10"/></coverage></layer>)")
                   .arg(QUrl::fromLocalFile(folder).toString())
                   .toUtf8());
    return layer;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 1000000;
    const int repeats = argc > 2 ? std::atoi(argv[2]) : 5;
    const bool lodOnly = argc > 3 && std::string(argv[3]) == "lod-only";
    const bool noPan = argc > 4 && std::string(argv[4]) == "no-pan";

    OpenTracks& open = OpenTracks::Get();
    const int opened = OpenRideAsFile(open.model, MakeRide(count));
    std::vector<int> segments;
    TrackTreeAlg(open.model.GetReader().get()).GetSubsegmentIds(opened, segments);

    CoordTransform transform;
    transform.SetViewRect({0, 0, 1200, 800});
    const PointBounds bounds = open.model.GetTrack(segments.front())->GetCalcData().GetValidBounds();
    transform.FitGeoRect({bounds.minX, bounds.minY, bounds.maxX, bounds.maxY}, 0.95);
    TrackDrawAttrsImpl attrs(open.model, open.holder.GetState(), GEventManagerImpl::GetInstance());
    PickState pick;
    QImage window(1200, 800, QImage::Format_ARGB32);

    TrackLodCache lods;
    // Median seconds of a frame on the clock and in processor time.
    const auto frameSeconds = [&](const TrackDrawOptions& options, TrackLodCache* cache) {
        std::vector<double> times, cpuTimes;
        for (int r = 0; r < repeats; ++r) {
            Stopwatch watch;
            const double cpuStart = CpuSeconds();
            DrawingLayers layers(Qt::white);
            layers.SetMapShown(options.mapShown);
            layers.BeginFrame(window, window.rect());
            pick.Begin({600, 400}, QRect(585, 385, 31, 31));
            TrackPainter(layers, transform, open.model, pick, cache).DrawSegments(attrs.Get(options), true);
            layers.EndFrame();
            times.push_back(watch.Seconds());
            cpuTimes.push_back(CpuSeconds() - cpuStart);
        }
        return std::pair(Median(times), Median(cpuTimes));
    };
    const auto both = [&](const char* name, const TrackDrawOptions& options) {
        const auto [wall, cpu] = frameSeconds(options, &lods);
        PrintFigure(std::string(name) + "_ms", wall * 1000, "ms");
        PrintFigure(std::string(name) + "_cpu_ms", cpu * 1000, "ms");
        if (!lodOnly)
            PrintFigure(std::string(name) + "_whole_line_ms", frameSeconds(options, nullptr).first * 1000, "ms");
    };

    PrintFigure("points", count, "points");
    const TrackPtr segment = open.model.GetTrack(segments.front());
    std::vector<double> builds;
    for (int r = 0; r < repeats; ++r) {
        Stopwatch watch;
        const TrackLineLod lod(*segment);
        builds.push_back(watch.Seconds());
    }
    PrintFigure("lod_build_ms", Median(builds) * 1000, "ms");
    std::vector<double> recalculations;
    for (int r = 0; r < repeats; ++r) {
        Stopwatch watch;
        segment->Refresh(false);
        recalculations.push_back(watch.Seconds());
    }
    PrintFigure("full_recalculation_ms", Median(recalculations) * 1000, "ms");
    PrintFigure("lod_bytes_per_point", double(TrackLineLod(*segment).GetMemoryBytes()) / count, "bytes");

    both("frame_whole_unselected", {true, false, nullptr});
    open.holder.SetSelection(segments);
    both("frame_whole_arrows", {true, true, nullptr});
    // While the map is dragged: what the window's thread spends drawing a
    // frame whose strokes wait, and what the worker then spends finishing it.
    {
        std::vector<double> drawing, finishing;
        for (int r = 0; r < repeats; ++r) {
            Stopwatch watch;
            DrawingLayers frame(Qt::white);
            frame.SetMapShown(true);
            frame.SetDeferStrokes(true);
            frame.BeginOffscreenFrame(window.size());
            TrackPainter(frame, transform, open.model, pick, &lods).DrawSegments(attrs.Get({true, true, nullptr}), true);
            drawing.push_back(watch.Seconds());
            Stopwatch finishWatch;
            frame.TakeOffscreenFrame();
            finishing.push_back(finishWatch.Seconds());
        }
        PrintFigure("drag_frame_arrows_window_thread_ms", Median(drawing) * 1000, "ms");
        PrintFigure("drag_frame_arrows_worker_ms", Median(finishing) * 1000, "ms");
    }

    both("frame_whole_by_speed", {true, false, std::make_shared<SpeedPalette>()});
    // A drag across the view: 100 frames, each moved 12 pixels.
    const auto pan = [&](MapTileDrawer* tiles, bool waitForTiles) {
        Stopwatch watch;
        const double cpuStart = CpuSeconds();
        DrawingLayers layers(Qt::white);
        layers.SetMapShown(tiles != nullptr);
        for (int frame = 0; frame < 100; ++frame) {
            transform.PanBy(12, 0);
            do {
                layers.BeginFrame(window, window.rect());
                if (tiles)
                    tiles->DrawTiles(layers, transform, 0);
                TrackPainter(layers, transform, open.model, pick, &lods)
                    .DrawSegments(attrs.Get({true, false, nullptr}), true);
                layers.EndFrame();
                if (tiles && waitForTiles && tiles->GetPendingTiles() > 0)
                    QThread::msleep(5);
            } while (tiles && waitForTiles && tiles->GetPendingTiles() > 0);
        }
        transform.PanBy(-1200, 0);
        return std::pair(watch.Seconds(), CpuSeconds() - cpuStart);
    };
    if (!noPan) {
        const auto [panWall, panCpu] = pan(nullptr, false);
        PrintFigure("pan_100_frames_selected_ms", panWall * 1000, "ms");
        PrintFigure("pan_100_frames_selected_cpu_ms", panCpu * 1000, "ms");

        QTemporaryDir folder;
        PointBounds area = bounds;
        area.maxX += (bounds.maxX - bounds.minX) * 1.5;
        MapTileDrawer tiles(std::make_shared<MapLayersImpl>(QStringList{WriteTileLayer(folder.path(), area)}));
        pan(&tiles, true);
        const auto [wall, cpu] = pan(&tiles, false);
        PrintFigure("pan_100_frames_selected_map_ms", wall * 1000, "ms");
        PrintFigure("pan_100_frames_selected_map_cpu_ms", cpu * 1000, "ms");
    }
    transform.ZoomBy(64.0);
    both("frame_zoomed_by_speed", {true, false, std::make_shared<SpeedPalette>()});
    return 0;
}
