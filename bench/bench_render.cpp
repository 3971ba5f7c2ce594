// Times frames of the map window on one large track: the whole track in
// view unselected, selected with arrows, selected and coloured by speed,
// and zoomed in so that most of it is clipped away.
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
#include "TrackPainter.h"
#include "TrackTree.h"
#include "TrackTreeAlg.h"

#include <QGuiApplication>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
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

    const auto frameSeconds = [&](const TrackDrawOptions& options) {
        std::vector<double> times;
        for (int r = 0; r < repeats; ++r) {
            Stopwatch watch;
            DrawingLayers layers(Qt::white);
            layers.SetMapShown(options.mapShown);
            layers.BeginFrame(window, window.rect());
            pick.Begin({600, 400}, QRect(585, 385, 31, 31));
            TrackPainter(layers, transform, open.model, pick).DrawSegments(attrs.Get(options), true);
            layers.EndFrame();
            times.push_back(watch.Seconds());
        }
        return Median(times);
    };

    PrintFigure("points", count, "points");
    PrintFigure("frame_whole_unselected_ms", frameSeconds({true, false, nullptr}) * 1000, "ms");
    open.holder.SetSelection(segments);
    PrintFigure("frame_whole_arrows_ms", frameSeconds({true, true, nullptr}) * 1000, "ms");
    PrintFigure("frame_whole_by_speed_ms", frameSeconds({true, false, std::make_shared<SpeedPalette>()}) * 1000, "ms");
    transform.ZoomBy(64.0);
    PrintFigure("frame_zoomed_by_speed_ms", frameSeconds({true, false, std::make_shared<SpeedPalette>()}) * 1000, "ms");
    return 0;
}
