// How responsive the user-interface thread stays while a big file opens:
// a 20 ms timer raises the tick as the program does; the longest gap
// between ticks is measured while the worker reads, and for the hand-over
// into the open tracks on the user-interface thread.
// usage: bench_open_ticks BIG.gpx

#include "AppTick.h"
#include "BenchSupport.h"
#include "OpenTracks.h"
#include "TrackOpenQueueImpl.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_open_ticks BIG.gpx\n");
        return 2;
    }
    TrackOpenQueueImpl& queue = TrackOpenQueueImpl::GetInstance();
    double handOverSeconds = 0;
    auto opened = queue.GetOpenedSignal().connect([&](const TrackOpenTask& task, TrackFileType type) {
        Stopwatch watch;
        OpenTracks::Get().model.AddOpenedFile(*task.GetTree(), task.GetTree()->GetChildren(-1).front(), *task.GetData(),
                                              task.GetFileName(), type, task.GetPrepared().get());
        handOverSeconds = watch.Seconds();
    });
    queue.Add(QString::fromLocal8Bit(argv[1]));

    QElapsedTimer sinceLast;
    qint64 longestWhileReading = 0;
    qint64 longestOverall = 0;
    bool started = false;
    int idleTicks = 0;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (started) {
            const qint64 gap = sinceLast.elapsed();
            longestOverall = std::max(longestOverall, gap);
            if (queue.IsBusy())
                longestWhileReading = std::max(longestWhileReading, gap);
        }
        started = true;
        sinceLast.start();
        AppTick::GetInstance().Raise();
        // A few ticks after the hand-over, so that its gap is measured too.
        if (queue.IsIdle() && ++idleTicks > 3)
            QCoreApplication::quit();
    });
    timer.start(20);
    app.exec();
    PrintFigure("longest_tick_gap_while_reading", static_cast<double>(longestWhileReading), "ms");
    PrintFigure("hand_over_seconds", handOverSeconds, "s");
    PrintFigure("longest_tick_gap_overall", static_cast<double>(longestOverall), "ms");
    return 0;
}
