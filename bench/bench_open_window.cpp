// Opens a big file the way a user does, in the real program, and splits the
// time into the load and what comes after it (panes, first frames, fitting
// the view). Each repeat starts the program offscreen in screenshot mode,
// which exits once the file is open and the window painted, and then loads
// the same file in this process through the track library.
// usage: bench_open_window PROGRAM BIG.gpx [REPEATS]
// PROGRAM is the built quorvel (build/app/quorvel); see bench/README.md.

#include "BenchSupport.h"
#include "LoadManager.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct ProgramRun
{
    bool ok = false;
    double seconds = 0;
    double cpuSeconds = 0;
};

double CpuSeconds(const rusage& usage)
{
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The environment of this process with the screenshot variables replaced:
// fresh settings, so every run starts from the layout a new user gets.
std::vector<std::string> ProgramEnvironment(const QString& picture, const QString& configDir)
{
    std::vector<std::string> env;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text(*entry);
        if (text.rfind("QUORVEL_SCREENSHOT", 0) != 0 && text.rfind("QT_QPA_PLATFORM=", 0) != 0
            && text.rfind("XDG_CONFIG_HOME=", 0) != 0)
            env.push_back(text);
    }
    env.push_back("QT_QPA_PLATFORM=offscreen");
    env.push_back("QUORVEL_SCREENSHOT=" + picture.toStdString());
    env.push_back("XDG_CONFIG_HOME=" + configDir.toStdString());
    return env;
}

ProgramRun OpenInProgram(const std::string& program, const std::string& file, const QTemporaryDir& dir, int run)
{
    const QString picture = dir.filePath(QStringLiteral("window%1.png").arg(run));
    const QString config = dir.filePath(QStringLiteral("config%1").arg(run));
    QDir().mkpath(config);
    std::vector<std::string> env = ProgramEnvironment(picture, config);
    std::vector<char*> envp;
    for (std::string& entry : env)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::string size = "-s";
    std::string dims = "1600x1000";
    std::string programArg = program;
    std::string fileArg = file;
    char* argv[] = {programArg.data(), size.data(), dims.data(), fileArg.data(), nullptr};

    ProgramRun result;
    Stopwatch watch;
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, envp.data()) != 0) {
        std::perror("posix_spawn");
        return result;
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) {
        std::perror("wait4");
        return result;
    }
    result.seconds = watch.Seconds();
    result.cpuSeconds = CpuSeconds(usage);
    const bool exited = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    result.ok = exited && QFileInfo(picture).size() > 0;
    if (!result.ok)
        std::fprintf(stderr, "the program failed (status %d) or wrote no picture\n", status);
    return result;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_open_window PROGRAM BIG.gpx [REPEATS]\n");
        return 2;
    }
    const std::string program = argv[1];
    const QString file = QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath();
    const int repeats = argc > 3 ? std::atoi(argv[3]) : 5;
    QTemporaryDir dir;
    if (!dir.isValid() || repeats < 1) {
        std::fprintf(stderr, "no temporary folder, or no repeats\n");
        return 2;
    }

    const LoadManager manager;
    std::vector<double> open, openCpu, load, loadCpu;
    for (int run = 0; run < repeats; ++run) {
        const ProgramRun opened = OpenInProgram(program, file.toStdString(), dir, run);
        if (!opened.ok)
            return 1;
        open.push_back(opened.seconds);
        openCpu.push_back(opened.cpuSeconds);

        CpuStopwatch cpu;
        Stopwatch watch;
        const LoadedTrackFile loaded = manager.Load(file);
        load.push_back(watch.Seconds());
        loadCpu.push_back(cpu.Seconds());
        if (loaded.status != TrackLoaderI::Success) {
            std::fprintf(stderr, "load failed: %d %s\n", loaded.status, qPrintable(loaded.error));
            return 1;
        }
        std::fprintf(stderr, "run %d: open %.3f s (cpu %.3f s), load %.3f s (cpu %.3f s)\n", run + 1, opened.seconds,
                     opened.cpuSeconds, load.back(), loadCpu.back());
    }
    const double openMedian = Median(open);
    const double loadMedian = Median(load);
    const double openCpuMedian = Median(openCpu);
    const double loadCpuMedian = Median(loadCpu);
    PrintFigure("open_to_idle_seconds", openMedian, "s");
    PrintFigure("load_alone_seconds", loadMedian, "s");
    PrintFigure("after_load_seconds", openMedian - loadMedian, "s");
    PrintFigure("open_to_idle_cpu_seconds", openCpuMedian, "s");
    PrintFigure("load_alone_cpu_seconds", loadCpuMedian, "s");
    PrintFigure("after_load_cpu_seconds", openCpuMedian - loadCpuMedian, "s");
    return 0;
}
