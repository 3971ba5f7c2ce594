#include "CliCommands.h"

#include "FilterManager.h"
#include "FilterReasons.h"
#include "LoadManager.h"
#include "LocalInconsistencyFilter.h"
#include "ParameterFilterImpl.h"
#include "SaveManager.h"
#include "SpikeFilter.h"
#include "String.h"
#include "TimeOrderCheck.h"
#include "Track.h"
#include "TrackTreeAlg.h"
#include "ValueFilterRows.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTextStream>

#include <algorithm>
#include <array>

namespace {

// The value options in the order of the filter-by-value rows, in metres,
// km/h and m/s².
constexpr std::array<const char*, ValueFilterRows::Count> kValueOptions = {
    "--min-dist", "--max-speed", "--min-speed", "--max-accel-fwd", "--max-accel-brake", "--max-accel-radial",
};

struct FilterOptions
{
    QString input;
    ValueFilterRows::Texts values;
    bool spikes = false;
    bool local = false;
    bool remove = false;
    QString output;
    QString report;
};

// What is wrong with the arguments; empty when nothing is.
QString Parse(const QStringList& args, FilterOptions& options)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        const auto* value = std::find_if(kValueOptions.begin(), kValueOptions.end(),
                                         [&arg](const char* name) { return arg == QLatin1String(name); });
        if (value != kValueOptions.end()) {
            // The dialog leaves such rows out; here a typo should not pass
            // unnoticed.
            if (!hasValue || !(String::Atof(args[i + 1]) > 0))
                return arg + QStringLiteral(" needs a number above 0");
            options.values[static_cast<size_t>(value - kValueOptions.begin())] = args[++i];
        } else if (arg == QLatin1String("--spikes")) {
            options.spikes = true;
        } else if (arg == QLatin1String("--local")) {
            options.local = true;
        } else if (arg == QLatin1String("--delete")) {
            options.remove = true;
        } else if (arg == QLatin1String("-o") || arg == QLatin1String("--report")) {
            if (!hasValue)
                return arg + QStringLiteral(" needs a file name");
            (arg == QLatin1String("-o") ? options.output : options.report) = args[++i];
        } else if (arg.startsWith(QLatin1Char('-')) || !options.input.isEmpty()) {
            return QStringLiteral("unexpected argument '") + arg + QLatin1Char('\'');
        } else {
            options.input = arg;
        }
    }
    return options.input.isEmpty() ? QStringLiteral("expected IN") : QString();
}

// A JSON string literal, quotes and escapes included.
QByteArray JsonString(const QString& text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

// The report entry of one segment, keys in the documented order: its tid,
// its number of points and every point that ends up filtered.
QByteArray SegmentReport(int tid, const TrackData& points)
{
    const FilterReasons& reasons = FilterReasons::GetInstance();
    QByteArrayList filtered;
    for (int i = 0; i < points.GetPointCount(); ++i) {
        const TrackPoint& point = points.GetTrackPoint(i);
        if (point.IsValid())
            continue;
        const int key = point.GetStatus().GetFilterReason();
        filtered << "{\"index\": " + QByteArray::number(i) + ", \"reason\": " + QByteArray::number(key)
                + ", \"text\": " + JsonString(reasons.GetText(key).text) + '}';
    }
    return "{\"tid\": " + QByteArray::number(tid) + ", \"points\": " + QByteArray::number(points.GetPointCount())
        + ", \"filtered\": [" + filtered.join(", ") + "]}";
}

bool WriteReport(const QString& fileName, const QByteArray& json)
{
    QFile file(fileName);
    const bool opened = fileName == QLatin1String("-") ? file.open(stdout, QIODevice::WriteOnly)
                                                       : file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    return opened && file.write(json) == json.size();
}

} // namespace

int RunFilterCommand(const QStringList& args)
{
    FilterOptions options;
    if (const QString error = Parse(args, options); !error.isEmpty()) {
        QTextStream(stderr) << "filter: " << error << '\n';
        return 2;
    }
    LoadedTrackFile loaded = LoadManager().Load(options.input);
    if (loaded.status != TrackLoaderI::Success)
        return ReportLoadFailure(options.input, loaded);

    // The rules are read in the program's own units, so their texts carry
    // the metric notations.
    const std::shared_ptr<ParameterFilterImpl> rules =
        ValueFilterRows::BuildFilter(options.values, MeasuringSystem::Metric, FilterReasons::GetInstance());
    const Filter::Function byValue = [rules](const TrackI& track) { return rules->Apply(track); };

    std::vector<int> segments;
    TrackTreeAlg(loaded.tree.GetReader().get()).GetSubsegmentIds(loaded.fileTid, segments);
    QByteArrayList report;
    for (int tid : segments) {
        const TrackDataPtr points = loaded.data->Get(tid);
        if (!points)
            continue;
        // The segment as the program opens it: its times checked first.
        TimeOrderCheck::Run(*points);
        const auto track = std::make_shared<Track>(points, tid, loaded.fileTid);
        // In the order of the Filter menu: by value, spikes, local.
        if (rules->GetRuleCount() > 0)
            FilterManager::ApplyFilter(byValue, track);
        if (options.spikes)
            SpikeFilter().Apply(*track);
        if (options.local)
            LocalInconsistencyFilter().Apply(*track);
        report << SegmentReport(tid, *points);
        if (options.remove)
            track->DeleteFiltered();
    }

    const QByteArray json = "{\"segments\": [" + report.join(", ") + "]}\n";
    if (!WriteReport(options.report.isEmpty() ? QStringLiteral("-") : options.report, json)) {
        QTextStream(stderr) << options.report << ": cannot write the report\n";
        return 1;
    }
    if (!options.output.isEmpty()) {
        SaveManager saving;
        TrackSaverI* saver = saving.GetTrackSaver(TrackFileGpx);
        if (saver->SaveTrack(options.output, loaded.tree.GetReader(), loaded.fileTid, loaded.data)
            != TrackSaverI::Success) {
            QTextStream(stderr) << options.output << ": " << saver->GetErrorDesc() << '\n';
            return 1;
        }
    }
    return 0;
}
