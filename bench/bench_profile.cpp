// Times the profile chart on one large ride: building the series of the
// segment (once per change of its points), building the pixel columns of
// elevation and speed, and painting the chart from kept columns, each for
// the whole ride and zoomed to a twentieth of it, at 1200 x 300.
// usage: bench_profile [POINTS] [REPEATS]   (runs offscreen)

#include "BenchRide.h"
#include "BenchSupport.h"
#include "ProfileChart.h"
#include "ProfilePainter.h"
#include "Track.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int Width = 1200;
constexpr int Height = 300;

template <typename Work>
double MedianMs(int repeats, Work work)
{
    std::vector<double> times;
    for (int r = 0; r < repeats; ++r) {
        Stopwatch watch;
        work();
        times.push_back(watch.Seconds() * 1000);
    }
    return Median(times);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 1000000;
    const int repeats = argc > 2 ? std::atoi(argv[2]) : 7;

    Track track(std::make_shared<TrackData>(MakeRide(count)), 1, -1);
    track.Refresh(true);
    std::shared_ptr<const ProfileSeries> series;
    PrintFigure("series_build_ms", MedianMs(repeats, [&] {
                    series = std::make_shared<const ProfileSeries>(ProfileSeries::Build(track));
                }),
                "ms");

    ProfileChart chart;
    chart.SetSeries(series);
    chart.SetQuantities({ProfileQuantity::Elevation, ProfileQuantity::Speed});
    chart.SetSize(Width, Height);
    QImage image(Width, Height, QImage::Format_ARGB32_Premultiplied);
    ProfileMarks marks;
    marks.currentSample = series->Size() / 2;
    marks.hoverSample = series->Size() / 3;

    const auto measure = [&](const std::string& name) {
        // Columns anew each time: what a zoom, a resize or new points cost.
        PrintFigure(name + "_columns_ms", MedianMs(repeats, [&] {
                        chart.SetSize(Width + 1, Height);
                        chart.SetSize(Width, Height);
                        chart.GetColumns(ProfileQuantity::Elevation);
                        chart.GetColumns(ProfileQuantity::Speed);
                    }),
                    "ms");
        // A frame from kept columns: what hovering and the current point cost.
        PrintFigure(name + "_paint_ms", MedianMs(repeats, [&] {
                        QPainter painter(&image);
                        ProfilePainter::Paint(painter, chart, marks);
                    }),
                    "ms");
        PrintFigure(name + "_columns_and_paint_ms", MedianMs(repeats, [&] {
                        chart.SetSize(Width + 1, Height);
                        chart.SetSize(Width, Height);
                        QPainter painter(&image);
                        ProfilePainter::Paint(painter, chart, marks);
                    }),
                    "ms");
    };
    measure("full");
    chart.ZoomAt(Width / 2, 0.05);
    measure("zoomed");
    return 0;
}
