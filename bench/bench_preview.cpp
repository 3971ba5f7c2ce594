// Times one move of a cut-off line of the Histogram pane on one large
// track: working out what the filter by value would mark (count and
// points; the part the pane does before the next mouse event, and all of
// it), and drawing the pane's chart with the cut-off part; then a map
// frame of the whole track with the preview's dots against one without.
// The moves sweep a maximum speed down from above every speed to below
// the spikes' speeds, as a drag from the right edge does. For comparison,
// the same work by the filter's sliding window judging every window.
// Figures are medians (and the slowest move), on the clock and in
// processor time.
// usage: bench_preview [POINTS] [REPEATS]   (runs offscreen)

#include "BenchOpenRide.h"
#include "BenchRide.h"
#include "BenchSupport.h"
#include "CalcDataGeneralI.h"
#include "CoordTransform.h"
#include "DrawingLayers.h"
#include "FilterWindow.h"
#include "GEventManagerImpl.h"
#include "HistogramView.h"
#include "OpenTracks.h"
#include "ParameterFilterImpl.h"
#include "PickState.h"
#include "TrackDrawAttrsImpl.h"
#include "TrackLodCache.h"
#include "TrackPainter.h"
#include "TrackTreeAlg.h"
#include "ValueFilterPreview.h"

#include <QApplication>
#include <QImage>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <map>
#include <vector>

namespace {

double CpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Every 500th point thrown 300 m to the side and back: a spike of about
// 1000 km/h for the preview to find among the ride's 10 to 25 km/h.
std::vector<TrackPoint> MakeSpikyRide(int count)
{
    std::vector<TrackPoint> points = MakeRide(count);
    for (size_t i = 250; i < points.size(); i += 500)
        points[i].Set2D({points[i].GetLon(), points[i].GetLat() + 300.0 / 111320.0});
    return points;
}

std::shared_ptr<ParameterFilterImpl> MaxSpeed(double limit)
{
    auto rules = std::make_shared<ParameterFilterImpl>();
    rules->Add(ParameterFilterImpl::KindHighSpeed, ParameterFilterImpl::KindHighSpeed, limit);
    return rules;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 1000000;
    const int repeats = argc > 2 ? std::atoi(argv[2]) : 5;

    OpenTracks& open = OpenTracks::Get();
    const int file = OpenRideAsFile(open.model, MakeSpikyRide(count));
    std::vector<int> segments;
    TrackTreeAlg(open.model.GetReader().get()).GetSubsegmentIds(file, segments);
    const TrackPtr track = open.model.GetTrack(segments.front());

    // Once per segment (or change of its points): the sorted values.
    ValueFilterPreview preview(track);
    Stopwatch columnWatch;
    const std::vector<double>& speeds = preview.ColumnOf(MaxSpeed(1)->GetRule(0)).values;
    PrintFigure("preview_columns_ms", columnWatch.Seconds() * 1000.0, "ms");

    HistogramView chart;
    chart.resize(400, 200);
    chart.SetValues(speeds);
    QImage chartImage(chart.size(), QImage::Format_ARGB32_Premultiplied);

    // 60 moves from 200 km/h (nothing above but the spikes) down to 20.
    std::vector<double> limits;
    for (int i = 0; i < 60; ++i)
        limits.push_back(200.0 - i * 3.0);
    // A move is what the pane does on the window's thread before it takes
    // the next mouse event: the first part of the marks (as long as the
    // pane gives it) and the chart. The rest of the marks, in parts while
    // the window waits for input, is timed apart: until they are complete.
    constexpr auto PanePart = std::chrono::milliseconds(8);
    std::vector<double> moves, moveCpu, completes;
    double slowest = 0, slowestComplete = 0;
    size_t marked = 0;
    for (int r = 0; r < repeats; ++r) {
        for (const double limit : limits) {
            Stopwatch watch;
            const double cpu = CpuSeconds();
            const auto partEnd = ValueFilterPreview::Clock::now() + PanePart;
            preview.Start(MaxSpeed(limit));
            preview.Continue(partEnd);
            chart.SetCutOffs({{1, true, limit}});
            chart.render(&chartImage);
            const double seconds = watch.Seconds();
            moves.push_back(seconds * 1000.0);
            moveCpu.push_back((CpuSeconds() - cpu) * 1000.0);
            slowest = std::max(slowest, seconds * 1000.0);
            preview.Continue(ValueFilterPreview::Clock::time_point::max());
            completes.push_back(watch.Seconds() * 1000.0);
            slowestComplete = std::max(slowestComplete, completes.back());
            marked = preview.GetMarks().size();
        }
    }
    PrintFigure("move_count_and_histogram_ms", Median(moves), "ms");
    PrintFigure("move_count_and_histogram_cpu_ms", Median(moveCpu), "ms");
    PrintFigure("move_slowest_ms", slowest, "ms");
    PrintFigure("move_to_complete_marks_ms", Median(completes), "ms");
    PrintFigure("move_to_complete_marks_slowest_ms", slowestComplete, "ms");
    PrintFigure("marked_at_lowest_limit", static_cast<double>(marked), "points");

    // The filter's own window judging every window, for one limit.
    std::vector<double> plain;
    for (int r = 0; r < std::min(repeats, 3); ++r) {
        const std::shared_ptr<ParameterFilterImpl> rules = MaxSpeed(100.0);
        Stopwatch watch;
        FilterWindow window(*track);
        window.Run([&rules](const TrackI& t) { return rules->Apply(t); });
        plain.push_back(watch.Seconds() * 1000.0);
    }
    PrintFigure("window_without_shortcut_ms", Median(plain), "ms");

    // Map frames of the whole track, selected, from the simplified lines.
    CoordTransform transform;
    transform.SetViewRect({0, 0, 1200, 800});
    const PointBounds bounds = track->GetCalcData().GetValidBounds();
    transform.FitGeoRect({bounds.minX, bounds.minY, bounds.maxX, bounds.maxY}, 0.95);
    open.holder.SetSelection({file});
    TrackDrawAttrsImpl attrs(open.model, open.holder.GetState(), GEventManagerImpl::GetInstance());
    TrackLodCache lods;
    PickState pick;
    QImage window(1200, 800, QImage::Format_ARGB32);
    const std::map<int, int> spikes = preview.Compute(*MaxSpeed(100.0));
    std::vector<int> indices;
    for (const auto& [index, key] : spikes)
        indices.push_back(index);
    const auto frame = [&](bool withPreview) {
        std::vector<double> times;
        for (int r = 0; r < repeats + 1; ++r) {
            Stopwatch watch;
            DrawingLayers layers(Qt::white);
            layers.SetMapShown(false);
            layers.BeginFrame(window, window.rect());
            TrackPainter painter(layers, transform, open.model, pick, &lods);
            painter.DrawSegments(attrs.Get(TrackDrawOptions()), true);
            if (withPreview)
                painter.DrawPreviewMarks(track->GetTid(), indices);
            layers.EndFrame();
            // The first frame builds the simplified lines.
            if (r > 0)
                times.push_back(watch.Seconds() * 1000.0);
        }
        return Median(times);
    };
    PrintFigure("map_frame_ms", frame(false), "ms");
    PrintFigure("map_frame_with_preview_ms", frame(true), "ms");
    PrintFigure("preview_dots", static_cast<double>(indices.size()), "points");
    return 0;
}
