// Peak memory of loading (and saving as GPX) generated worst cases of every
// text format at growing input sizes; a bounded reader's peak grows in step
// with its input and stays within the format's LoadMemoryBound, which is
// printed beside it.
// usage: bench_memory [REPEATS] [SIZES_KB...] [CASE_PREFIX...]
// (default 3 repeats, 1024 2048 4096 KB, every case)
// Each load runs in a child process of its own, so every peak starts from
// the same heap.

#include "BenchSupport.h"
#include "GEventManagerImpl.h"
#include "LoadManager.h"
#include "LoadMemoryBound.h"
#include "OpenTracksModel.h"
#include "SaveManager.h"
#include "TrackReverser.h"
#include "TracksStateHolderImpl.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

// Repeats piece between head and tail until the whole reaches bytes.
QByteArray Fill(const QByteArray& head, const std::function<QByteArray(int)>& piece, const QByteArray& tail,
                qint64 bytes)
{
    QByteArray out = head;
    for (int i = 0; out.size() + tail.size() < bytes; ++i)
        out += piece(i);
    return out + tail;
}

QByteArray Nested(const QByteArray& open, const QByteArray& inner, const QByteArray& close, int depth)
{
    return open.repeated(depth) + inner + close.repeated(depth);
}

constexpr int kChainDepth = 250;
const QByteArray kGpxHead = "<gpx version=\"1.1\" xmlns=\"http://www.topografix.com/GPX/1/1\" xmlns:x=\"urn:x\">\n";
const QByteArray kGpxTail = "<trk><trkseg><trkpt lat=\"47\" lon=\"8\"/></trkseg></trk></gpx>\n";
const QByteArray kKmlHead = "<kml xmlns=\"http://www.opengis.net/kml/2.2\"><Document>\n";
const QByteArray kKmlTail = "</Document></kml>\n";
const QByteArray kPlacemark = "<Placemark><LineString><coordinates>8,47 8.1,47.1</coordinates></LineString></Placemark>";
const QByteArray kTcxHead = "<TrainingCenterDatabase xmlns=\"http://www.garmin.com/xmlschemas/TrainingCenterDatabase/v2\">"
                            "<Activities><Activity Sport=\"Biking\"><Id>2024-05-01T10:00:00Z</Id>\n";
const QByteArray kTcxTail = "</Activity></Activities></TrainingCenterDatabase>\n";
const QByteArray kTcxPoint = "<Time>2024-05-01T10:00:00Z</Time><Position><LatitudeDegrees>47</LatitudeDegrees>"
                             "<LongitudeDegrees>8</LongitudeDegrees></Position>";
const QByteArray kPltHead = "OziExplorer Track Point File Version 2.1\r\nWGS 84\r\nAltitude is in Feet\r\nReserved 3\r\n";

QByteArray Checksummed(const QByteArray& content)
{
    unsigned char sum = 0;
    for (char c : content)
        sum ^= static_cast<unsigned char>(c);
    return "$" + content + "*" + QByteArray::number(sum, 16).rightJustified(2, '0').toUpper() + "\r\n";
}

QByteArray Rmc(int i)
{
    const QByteArray time = QByteArray::number(10000 + i % 5000).rightJustified(6, '0');
    return Checksummed("GPRMC," + time + ",A,4807.038,N,01131.000,E,0.0,0.0,010524,,");
}

struct Case
{
    const char* name;
    TrackFileType type;
    // Whether the model also opens and reverses what was loaded.
    bool reverse;
    std::function<QByteArray(qint64)> make;
};

const std::vector<Case> kCases = {
    {"gpx_deep_nesting", TrackFileGpx, false,
     [](qint64 n) {
         return Fill(kGpxHead, [](int) {
             return "<wpt lat=\"47\" lon=\"8\"><extensions>" + Nested("<x:a>", "v", "</x:a>", kChainDepth)
                 + "</extensions></wpt>\n";
         }, kGpxTail, n);
     }},
    {"gpx_many_extensions", TrackFileGpx, false,
     [](qint64 n) {
         return Fill(kGpxHead, [](int) {
             return "<wpt lat=\"47\" lon=\"8\"><extensions>" + QByteArray("<x:e k=\"1\">v</x:e>").repeated(50)
                 + "</extensions></wpt>\n";
         }, kGpxTail, n);
     }},
    {"gpx_many_segments", TrackFileGpx, true,
     [](qint64 n) {
         return Fill(kGpxHead + "<trk>", [](int i) {
             return "<trkseg><trkpt lat=\"47\" lon=\"" + QByteArray::number(8 + i * 1e-6, 'f', 6)
                 + "\"><time>2024-05-01T10:00:00Z</time></trkpt></trkseg>\n";
         }, "</trk></gpx>\n", n);
     }},
    {"gpx_long_names", TrackFileGpx, false,
     [](qint64 n) {
         return Fill(kGpxHead, [](int) { return "<trk><name>" + QByteArray(4000, 'n') + "</name><trkseg><trkpt lat=\"47\" lon=\"8\"/></trkseg></trk>\n"; }, "</gpx>\n", n);
     }},
    {"kml_deep_folders", TrackFileKml, false,
     [](qint64 n) {
         return Fill(kKmlHead, [](int) {
             return Nested("<Folder><name>F</name>", kPlacemark, "</Folder>", kChainDepth) + "\n";
         }, kKmlTail, n);
     }},
    {"kml_many_segments", TrackFileKml, true,
     [](qint64 n) { return Fill(kKmlHead, [](int) { return kPlacemark + "\n"; }, kKmlTail, n); }},
    {"kml_long_names", TrackFileKml, false,
     [](qint64 n) {
         return Fill(kKmlHead, [](int) { return "<Folder><name>" + QByteArray(4000, 'n') + "</name>" + kPlacemark + "</Folder>\n"; },
                     kKmlTail, n);
     }},
    {"tcx_deep_extensions", TrackFileTcx, false,
     [](qint64 n) {
         return Fill(kTcxHead + "<Lap StartTime=\"2024-05-01T10:00:00Z\"><Track>", [](int) {
             return "<Trackpoint>" + kTcxPoint + "<Extensions>" + Nested("<a>", "", "</a>", kChainDepth - 10)
                 + "</Extensions></Trackpoint>\n";
         }, "</Track></Lap>" + kTcxTail, n);
     }},
    {"tcx_many_segments", TrackFileTcx, true,
     [](qint64 n) {
         return Fill(kTcxHead, [](int) {
             return "<Lap StartTime=\"2024-05-01T10:00:00Z\"><Track><Trackpoint>" + kTcxPoint
                 + "</Trackpoint></Track></Lap>\n";
         }, kTcxTail, n);
     }},
    {"nmea_many_fixes", TrackFileNmea, false, [](qint64 n) { return Fill({}, Rmc, {}, n); }},
    {"nmea_long_lines", TrackFileNmea, false,
     [](qint64 n) { return Fill({}, [](int i) { return Rmc(i) + QByteArray(4000, 'x') + "\r\n"; }, {}, n); }},
    {"plt_many_segments", TrackFileOzi, true,
     [](qint64 n) {
         return Fill(kPltHead + "0,2,255,Track,0,0,2,8421376\r\n0\r\n", [](int i) {
             return QByteArray::number(47 + i * 1e-6, 'f', 6) + ",8.000000,1,1000," + QByteArray::number(45413.4 + i / 86400.0, 'f', 7)
                 + ",,\r\n";
         }, {}, n);
     }},
    {"plt_long_name", TrackFileOzi, false,
     [](qint64 n) {
         return kPltHead + "0,2,255," + QByteArray(n, 'n') + ",0,0,2,8421376\r\n1\r\n47.0,8.0,0,1000,45413.4,,\r\n";
     }},
    {"magellan_long_lines", TrackFileMagellanSd, false,
     [](qint64 n) {
         return Fill({}, [](int i) {
             const QByteArray time = QByteArray::number(10000 + i % 5000).rightJustified(6, '0');
             return Checksummed("PMGNTRK,4231.829,N,08807.303,W,00210,M," + time + ".00,A," + QByteArray(200, 'n') + ",070804");
         }, {}, n);
     }},
};

struct Measure
{
    double peakMb = -1;
    double seconds = -1;
    long long segments = 0;
};

// Load, save as GPX and, when asked, reverse in the model, in a child.
Measure RunChild(const QString& path, bool reverse)
{
    int fds[2];
    if (pipe(fds) != 0)
        return {};
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        const long long before = CurrentRssBytes();
        ResetPeakRss();
        Stopwatch watch;
        Measure measure;
        LoadedTrackFile loaded = LoadManager().Load(path);
        if (loaded.status == TrackLoaderI::Success) {
            measure.segments = static_cast<long long>(loaded.data->GetAll().size());
            const SaveManager savers;
            savers.GetTrackSaver(TrackFileGpx)->SaveTrack(path + QStringLiteral(".saved.gpx"), loaded.tree.GetReader(),
                                                          loaded.fileTid, loaded.data);
            if (reverse) {
                GEventManagerImpl events;
                OpenTracksModel model(events);
                TracksStateHolderImpl holder(model, events);
                const int file = model.AddOpenedFile(*loaded.tree.GetReader(), loaded.fileTid, *loaded.data, path,
                                                     loaded.type);
                TrackReverser(model, holder).Reverse({file});
            }
        } else {
            std::fprintf(stderr, "%s: status %d %s\n", qPrintable(path), loaded.status, qPrintable(loaded.error));
        }
        measure.seconds = watch.Seconds();
        measure.peakMb = static_cast<double>(PeakRssBytes() - before) / (1 << 20);
        const ssize_t written = write(fds[1], &measure, sizeof measure);
        _exit(written == sizeof measure ? 0 : 1);
    }
    close(fds[1]);
    Measure measure;
    if (read(fds[0], &measure, sizeof measure) != sizeof measure)
        measure = {};
    close(fds[0]);
    waitpid(child, nullptr, 0);
    return measure;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int repeats = argc > 1 ? std::atoi(argv[1]) : 3;
    std::vector<qint64> sizesKb;
    std::vector<std::string> prefixes;
    for (int i = 2; i < argc; ++i) {
        if (std::atoll(argv[i]) > 0)
            sizesKb.push_back(std::atoll(argv[i]));
        else
            prefixes.emplace_back(argv[i]);
    }
    if (sizesKb.empty())
        sizesKb = {1024, 2048, 4096};
    QTemporaryDir dir;
    for (const Case& test : kCases) {
        const auto chosen = [&test](const std::string& prefix) { return std::string(test.name).starts_with(prefix); };
        if (!prefixes.empty() && std::none_of(prefixes.begin(), prefixes.end(), chosen))
            continue;
        for (const qint64 kb : sizesKb) {
            const QByteArray bytes = test.make(kb * 1024);
            const QString path = QDir(dir.path()).filePath(QString::fromLatin1(test.name));
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
                return 1;
            file.close();
            std::vector<double> peaks, seconds;
            long long segments = 0;
            for (int run = 0; run < repeats; ++run) {
                const Measure measure = RunChild(path, test.reverse);
                peaks.push_back(measure.peakMb);
                seconds.push_back(measure.seconds);
                segments = measure.segments;
            }
            const std::string name = std::string(test.name) + "_" + std::to_string(kb) + "KB";
            const double inputMb = static_cast<double>(bytes.size()) / (1 << 20);
            PrintFigure(name + "_peak", Median(peaks), "MB");
            PrintFigure(name + "_peak_per_input", Median(peaks) / inputMb, "x");
            PrintFigure(name + "_bound", static_cast<double>(LoadMemoryBound::Of(test.type).For(bytes.size())) / (1 << 20),
                        "MB");
            PrintFigure(name + "_time", Median(seconds), "s");
            PrintFigure(name + "_segments", static_cast<double>(segments), "");
        }
    }
    return 0;
}
