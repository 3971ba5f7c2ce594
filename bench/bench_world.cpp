// Times the offline world map: reading each installed resolution (the first
// frame at its scale pays it), then frames of a 1600 x 900 window over the
// whole world, over Europe and over a coast.
// usage: bench_world [REPEATS]   (runs offscreen; needs gmt-gshhg-low)

#include "BenchSupport.h"
#include "CoordTransform.h"
#include "WorldBasemap.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct View
{
    std::string name;
    GeoPoint centre;
    double metresPerPixel;
};

double FrameSeconds(WorldBasemap& world, CoordTransform& transform, QImage& image)
{
    QPainter painter(&image);
    const Stopwatch watch;
    world.Draw(painter, transform);
    return watch.Seconds();
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int repeats = argc > 1 ? std::atoi(argv[1]) : 7;
    const QString folder = WorldBasemap::FindDataFolder();
    if (folder.isEmpty()) {
        std::fprintf(stderr, "No GSHHG data installed\n");
        return 1;
    }
    QImage image(1600, 900, QImage::Format_ARGB32_Premultiplied);
    CoordTransform transform;
    transform.SetViewRect({0, 0, image.width(), image.height()});
    const std::vector<View> views = {{"world", {0, 0}, CoordTransform::MaxScale},
                                     {"europe", {10, 50}, 3000},
                                     {"coast", {5.4, 43.25}, 80}};
    for (const View& view : views) {
        transform.SetCenter(view.centre);
        transform.SetScale(view.metresPerPixel);
        std::vector<double> loads;
        std::vector<double> frames;
        for (int i = 0; i < repeats; ++i) {
            // A new map each time: the first frame reads the files.
            WorldBasemap world(folder);
            loads.push_back(FrameSeconds(world, transform, image));
            frames.push_back(FrameSeconds(world, transform, image));
        }
        const std::string resolution(1, WorldBasemap(folder).ResolutionFor(view.metresPerPixel));
        PrintFigure("world_first_frame_" + view.name + "_" + resolution, Median(loads) * 1000, "ms");
        PrintFigure("world_frame_" + view.name + "_" + resolution, Median(frames) * 1000, "ms");
    }
    return 0;
}
