// Times frames of the map window on one large track: the whole track in
// view unselected, selected with arrows, selected and coloured by speed,
// and zoomed in so that most of it is clipped away; each with the lines
// simplified to what the pixels show (as the map draws them) and whole.
// Also the building of the simplified lines, their memory, and a pan.
// usage: bench_render [POINTS] [REPEATS]   (runs offscreen)

#include "BenchRide.h"
#include "BenchSupport.h"
#include "CalcDataGeneralI.h"
#include "CoordTransform.h"
#include "DrawingLayers.h"
#include "GEventManagerImpl.h"
#include "OpenTracks.h"
#include "PaletteParameter.h"
#include "PickState.h"
#include "RangeColorMixer.h"
#include "TrackDrawAttrsImpl.h"
#include "TrackLineLod.h"
#include "TrackLodCache.h"
#include "TrackPainter.h"
#include "TrackTree.h"
#include "TrackTreeAlg.h"

#include <QGuiApplication>
#include <QImage>

#include <algorithm>
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

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 1000000;
    const int repeats = argc > 2 ? std::atoi(argv[2]) : 5;

    OpenTracks& open = OpenTracks::Get();
    TrackTree tree;
    const int file = tree.GetCreator()->AddFile(QStringLiteral("ride"), QString(), TrackFileGpx);
    TrackDataSetImpl data;
    data.Add(tree.GetCreator()->AddSegment(file, QString()), std::make_shared<TrackData>(MakeRide(count)));
    const int opened = open.model.AddOpenedFile(*tree.GetReader(), file, data, QStringLiteral("ride.gpx"), TrackFileGpx);
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
    const auto frameSeconds = [&](const TrackDrawOptions& options, TrackLodCache* cache) {
        std::vector<double> times;
        for (int r = 0; r < repeats; ++r) {
            Stopwatch watch;
            DrawingLayers layers(Qt::white);
            layers.SetMapShown(options.mapShown);
            layers.BeginFrame(window, window.rect());
            pick.Begin({600, 400}, QRect(585, 385, 31, 31));
            TrackPainter(layers, transform, open.model, pick, cache).DrawSegments(attrs.Get(options), true);
            layers.EndFrame();
            times.push_back(watch.Seconds());
        }
        return Median(times);
    };
    const auto both = [&](const char* name, const TrackDrawOptions& options) {
        PrintFigure(std::string(name) + "_ms", frameSeconds(options, &lods) * 1000, "ms");
        PrintFigure(std::string(name) + "_whole_line_ms", frameSeconds(options, nullptr) * 1000, "ms");
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
    both("frame_whole_by_speed", {true, false, std::make_shared<SpeedPalette>()});
    // A drag across the view: 100 frames, each moved 12 pixels.
    {
        Stopwatch watch;
        DrawingLayers layers(Qt::white);
        for (int frame = 0; frame < 100; ++frame) {
            transform.PanBy(12, 0);
            layers.BeginFrame(window, window.rect());
            TrackPainter(layers, transform, open.model, pick, &lods).DrawSegments(attrs.Get({true, false, nullptr}), true);
            layers.EndFrame();
        }
        PrintFigure("pan_100_frames_selected_ms", watch.Seconds() * 1000, "ms");
        transform.PanBy(-1200, 0);
    }
    transform.ZoomBy(64.0);
    both("frame_zoomed_by_speed", {true, false, std::make_shared<SpeedPalette>()});
    return 0;
}
