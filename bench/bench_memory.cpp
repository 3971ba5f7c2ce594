// Peak memory of loading (and saving as GPX) generated worst cases of every
// format at growing input sizes (for a KMZ: the size of its KML); a bounded
// reader's peak grows in step with its input and stays within the format's
// LoadMemoryBound, which is printed beside it.
// usage: bench_memory [REPEATS] [SIZES_KB...] [CASE_PREFIX...]
// (default 3 repeats, 1024 2048 4096 KB, every case)
// Each load runs in a child process of its own, so every peak starts from
// the same heap.

#include "BenchFitRide.h"
#include "BenchSupport.h"
#include "FitBuilder.h"
#include "GEventManagerImpl.h"
#include "LoadManager.h"
#include "LoadMemoryBound.h"
#include "OpenTracksModel.h"
#include "SaveManager.h"
#include "TrackReverser.h"
#include "TracksStateHolderImpl.h"
#include "ZipArchive.h"

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

QByteArray KmlDeepFolders(qint64 n)
{
    return Fill(kKmlHead, [](int) {
        return Nested("<Folder><name>F</name>", kPlacemark, "</Folder>", kChainDepth) + "\n";
    }, kKmlTail, n);
}

QByteArray KmlManySegments(qint64 n)
{
    return Fill(kKmlHead, [](int) { return kPlacemark + "\n"; }, kKmlTail, n);
}

QByteArray KmlLongNames(qint64 n)
{
    return Fill(kKmlHead, [](int) { return "<Folder><name>" + QByteArray(4000, 'n') + "</name>" + kPlacemark + "</Folder>\n"; },
                kKmlTail, n);
}

// The KML of about n bytes packed as a KMZ: deflate shrinks such repeated
// text hundreds of times, the worst case of memory per input byte.
QByteArray Packed(const QByteArray& kml)
{
    return MakeZipArchive({{QStringLiteral("doc.kml"), kml}});
}

// Features after a first one, so that each piece starts with its comma.
const QByteArray kGeoJsonHead = "{\"type\": \"FeatureCollection\", \"features\": [\n"
                                "{\"type\": \"Feature\", \"properties\": {}, \"geometry\": {\"type\": \"Point\", \"coordinates\": [8, 47]}}";
const QByteArray kGeoJsonTail = "\n]}\n";

QByteArray GeoJsonLine(int i, const QByteArray& properties)
{
    return ",\n{\"type\": \"Feature\", \"properties\": {" + properties
        + "}, \"geometry\": {\"type\": \"LineString\", \"coordinates\": [[" + QByteArray::number(8 + i * 1e-6, 'f', 6)
        + ", 47, 500]]}}";
}

// FIT local message types of the generated files.
enum FitLocal { FitFileId = 0, FitEvent = 1, FitRecord = 2 };
constexpr int64_t kFitStart = 1'081'000'000;

// A FIT file of records of time, position and the extra fields after the
// file id; with timer breaks, each record is a segment of its own.
QByteArray FitRecords(qint64 bytes, const std::vector<FitBuilder::Field>& extraFields, bool timerBreaks)
{
    using F = FitBuilder;
    FitBuilder fit;
    fit.Define(FitFileId, 0, {{0, 1, F::Enum}, {4, 4, F::Uint32}});
    fit.Data(FitFileId, {4, kFitStart});
    fit.Define(FitEvent, 21, {{253, 4, F::Uint32}, {0, 1, F::Enum}, {1, 1, F::Enum}});
    std::vector<F::Field> fields = {{253, 4, F::Uint32}, {0, 4, F::Sint32}, {1, 4, F::Sint32}};
    fields.insert(fields.end(), extraFields.begin(), extraFields.end());
    fit.Define(FitRecord, 20, fields);
    std::vector<int64_t> values(fields.size(), 7);
    constexpr qint64 EventBytes = 1 + 4 + 1 + 1;
    qint64 perRecord = 1 + 4 + 4 + 4 + (timerBreaks ? 2 * EventBytes : 0);
    for (const F::Field& field : extraFields)
        perRecord += field.size;
    for (qint64 i = 0; i * perRecord < bytes; ++i) {
        values[0] = kFitStart + i;
        values[1] = F::Semicircles(47 + static_cast<double>(i) * 1e-6);
        values[2] = F::Semicircles(8);
        fit.Data(FitRecord, values);
        if (timerBreaks) {
            // Stop all, then start: the next record opens a segment.
            fit.Data(FitEvent, {kFitStart + i, 0, 4});
            fit.Data(FitEvent, {kFitStart + i, 0, 0});
        }
    }
    return fit.File();
}

// Record fields of one byte that the loader does not read.
std::vector<FitBuilder::Field> UnknownFitFields(int count)
{
    std::vector<FitBuilder::Field> fields;
    for (int i = 0; i < count; ++i)
        fields.push_back({static_cast<uint8_t>(100 + i), 1, FitBuilder::Uint8});
    return fields;
}

// A B record: time of day, position, validity, pressure and GNSS altitude.
QByteArray IgcFix(int i)
{
    const int seconds = 36000 + i % 50000;
    const QByteArray time = QByteArray::number(seconds / 3600 * 10000 + seconds / 60 % 60 * 100 + seconds % 60);
    const QByteArray minutes = QByteArray::number(7038 + i % 1000).rightJustified(5, '0');
    return "B" + time.rightJustified(6, '0') + "48" + minutes + "N01131000EA0050000600";
}

const QByteArray kIgcHead = "AXXX001\r\nHFDTE010524\r\n";

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
    {"kml_deep_folders", TrackFileKml, false, KmlDeepFolders},
    {"kml_many_segments", TrackFileKml, true, KmlManySegments},
    {"kml_long_names", TrackFileKml, false, KmlLongNames},
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
    {"geojson_many_segments", TrackFileGeoJson, true,
     [](qint64 n) { return Fill(kGeoJsonHead, [](int i) { return GeoJsonLine(i, {}); }, kGeoJsonTail, n); }},
    {"geojson_deep_nesting", TrackFileGeoJson, false,
     [](qint64 n) {
         return Fill(kGeoJsonHead, [](int i) {
             return "," + Nested("{\"type\": \"GeometryCollection\", \"geometries\": [", GeoJsonLine(i, {}).mid(2),
                                 "]}", kChainDepth);
         }, kGeoJsonTail, n);
     }},
    {"geojson_long_names", TrackFileGeoJson, false,
     [](qint64 n) {
         return Fill(kGeoJsonHead, [](int i) { return GeoJsonLine(i, "\"name\": \"" + QByteArray(4000, 'n') + "\""); },
                     kGeoJsonTail, n);
     }},
    {"geojson_many_fields", TrackFileGeoJson, false,
     [](qint64 n) {
         QByteArray fields;
         for (int k = 0; k < 50; ++k)
             fields += (k ? ", \"k" : "\"k") + QByteArray::number(k) + "\": " + QByteArray::number(k);
         return Fill(kGeoJsonHead, [&fields](int i) { return GeoJsonLine(i, fields); }, kGeoJsonTail, n);
     }},
    {"fit_ride", TrackFileFit, false, [](qint64 n) { return MakeBenchFitRide(n); }},
    {"fit_many_segments", TrackFileFit, true, [](qint64 n) { return FitRecords(n, {}, true); }},
    {"fit_many_fields", TrackFileFit, false, [](qint64 n) { return FitRecords(n, UnknownFitFields(150), false); }},
    {"igc_many_fixes", TrackFileIgc, false,
     [](qint64 n) { return Fill(kIgcHead, [](int i) { return IgcFix(i) + "\r\n"; }, {}, n); }},
    {"igc_many_extensions", TrackFileIgc, false,
     [](qint64 n) {
         // Extensions up to the last byte a B record's table can name.
         const QByteArray table = "I073638FXA3940SIU4143ENL4446TAS4749HDM5052VAT5399XYZ\r\n";
         return Fill(kIgcHead + table, [](int i) { return IgcFix(i) + "01205001230450901" + QByteArray(47, '7') + "\r\n"; },
                     {}, n);
     }},
    {"kmz_deep_folders", TrackFileKmz, false, [](qint64 n) { return Packed(KmlDeepFolders(n)); }},
    {"kmz_many_segments", TrackFileKmz, true, [](qint64 n) { return Packed(KmlManySegments(n)); }},
    {"kmz_long_names", TrackFileKmz, false, [](qint64 n) { return Packed(KmlLongNames(n)); }},
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
