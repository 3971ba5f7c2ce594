#include "CliArgs.h"
#include "CliCommands.h"
#include "CliJson.h"
#include "CliOpenTracks.h"

#include "FilterManager.h"
#include "FilterReasons.h"
#include "LoadManager.h"
#include "LocalInconsistencyFilter.h"
#include "ParameterFilterImpl.h"
#include "SameFile.h"
#include "SpikeFilter.h"
#include "String.h"
#include "TimeOrderCheck.h"
#include "Track.h"
#include "TrackTreeAlg.h"
#include "ValueFilterRows.h"

#include <QFile>

#include <array>

namespace {

// The value options in the order of the filter-by-value rows, in metres,
// km/h and m/s².
constexpr std::array<const char*, ValueFilterRows::Count> kValueOptions = {
    "--min-dist", "--max-speed", "--min-speed", "--max-accel-fwd", "--max-accel-brake", "--max-accel-radial",
};

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
                + ", \"text\": " + CliJson::String(reasons.GetText(key).text) + '}';
    }
    return "{\"tid\": " + QByteArray::number(tid) + ", \"points\": " + QByteArray::number(points.GetPointCount())
        + ", \"filtered\": [" + filtered.join(", ") + "]}";
}

// Empty when the whole report reached the file or stdout ("-"), else why
// not: a full disk shows only when the buffered bytes are flushed.
QString WriteReport(const QString& fileName, const QByteArray& json)
{
    QFile file(fileName);
    const bool opened = fileName == QLatin1String("-") ? file.open(stdout, QIODevice::WriteOnly)
                                                       : file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    if (!opened || file.write(json) != json.size() || !file.flush())
        return file.errorString();
    file.close();
    return file.error() == QFileDevice::NoError ? QString() : file.errorString();
}

} // namespace

int RunFilterCommand(const CliCommand& command, const QStringList& args)
{
    CliArgs parsed(command, args);
    ValueFilterRows::Texts values;
    for (size_t row = 0; row < kValueOptions.size(); ++row) {
        const QString option = QLatin1String(kValueOptions[row]);
        if (!parsed.Has(option))
            continue;
        values[row] = parsed.GetValue(option);
        // The dialog leaves such rows out; here a typo should not pass
        // unnoticed.
        if (!(String::Atof(values[row]) > 0))
            parsed.SetError(option + QStringLiteral(" needs a number above 0"));
    }
    const QString reportFile = parsed.GetValue(QStringLiteral("--report"));
    const QString output = parsed.GetValue(QStringLiteral("-o"));
    if (parsed.GetError().isEmpty() && reportFile != QLatin1String("-")) {
        // Written before anything else, the report would destroy the track
        // it is about, or be replaced by the saved track.
        if (IsSameFile(reportFile, parsed.GetNames().front()))
            parsed.SetError(QStringLiteral("the report would overwrite the input file ") + reportFile);
        else if (IsSameFile(reportFile, output))
            parsed.SetError(QStringLiteral("the report and -o name the same file ") + reportFile);
    }
    if (!parsed.GetError().isEmpty())
        return parsed.ReportError();
    const QString input = parsed.GetNames().front();
    LoadedTrackFile loaded = LoadManager().Load(input);
    if (!AcceptLoaded(input, loaded))
        return 1;

    // The rules are read in the program's own units, so their texts carry
    // the metric notations.
    const std::shared_ptr<ParameterFilterImpl> rules =
        ValueFilterRows::BuildFilter(values, MeasuringSystem::Metric, FilterReasons::GetInstance());
    const Filter::Function byValue = [rules](const TrackI& track) { return rules->Apply(track); };
    const bool spikes = parsed.Has(QStringLiteral("--spikes"));
    const bool local = parsed.Has(QStringLiteral("--local"));
    const bool remove = parsed.Has(QStringLiteral("--delete"));

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
        if (spikes)
            SpikeFilter().Apply(*track);
        if (local)
            LocalInconsistencyFilter().Apply(*track);
        report << SegmentReport(tid, *points);
        if (remove)
            track->DeleteFiltered();
    }

    const QByteArray json = "{\"segments\": [" + report.join(", ") + "]}\n";
    const QString reportTarget = reportFile.isEmpty() ? QStringLiteral("-") : reportFile;
    const QString reportError = WriteReport(reportTarget, json);
    if (!reportError.isEmpty())
        return ReportFileFailure(reportTarget, QStringLiteral("cannot write the report: ") + reportError);
    if (!output.isEmpty())
        return SaveGpxFile(output, loaded.tree.GetReader(), loaded.fileTid, loaded.data);
    return 0;
}
