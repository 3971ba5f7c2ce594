#include "CliArgs.h"
#include "CliCommands.h"
#include "CliJson.h"
#include "CliOpenTracks.h"

#include "OpenTracks.h"
#include "TrackStatistics.h"
#include "TrackTreeAlg.h"

#include <QTextStream>

namespace {

// A whole number, null for none.
QByteArray Whole(const std::optional<int>& value)
{
    return value ? QByteArray::number(*value) : QByteArray("null");
}

// One line of the output; the keys in the order the help names them.
QByteArray SegmentLine(const QString& fileName, int position, const TrackStatistics& stats)
{
    using CliJson::Number;
    const QByteArrayList fields = {
        "\"file\": " + CliJson::String(fileName),
        "\"segment\": " + QByteArray::number(position),
        "\"points\": " + QByteArray::number(stats.points),
        "\"filtered\": " + QByteArray::number(stats.filtered),
        "\"distance_m\": " + Number(stats.distance),
        "\"duration_s\": " + Number(stats.duration),
        "\"moving_time_s\": " + Number(stats.movingTime),
        "\"avg_speed_kmh\": " + Number(stats.GetAverageSpeed()),
        "\"avg_moving_speed_kmh\": " + Number(stats.GetAverageMovingSpeed()),
        "\"max_speed_kmh\": " + Number(stats.maxSpeed),
        "\"ascent_m\": " + Number(stats.ascent),
        "\"descent_m\": " + Number(stats.descent),
        "\"min_ele_m\": " + Number(stats.minElevation),
        "\"max_ele_m\": " + Number(stats.maxElevation),
        "\"avg_hr\": " + Number(stats.GetAverageHeartRate()),
        "\"max_hr\": " + Whole(stats.maxHeartRate),
        "\"avg_cadence\": " + Number(stats.GetAverageCadence()),
        "\"max_cadence\": " + Whole(stats.maxCadence),
    };
    return '{' + fields.join(", ") + '}';
}

// Reads a number option above or at zero into value; an error otherwise.
void ReadLimit(CliArgs& parsed, const char* option, double& value)
{
    const QString name = QLatin1String(option);
    if (!parsed.GetNumber(name, value, value) || !(value >= 0))
        parsed.SetError(name + QStringLiteral(" needs a number of 0 or more"));
}

} // namespace

int RunStatsCommand(const CliCommand& command, const QStringList& args)
{
    CliArgs parsed(command, args);
    StatisticsParams params;
    ReadLimit(parsed, "--moving-speed", params.movingSpeedKmh);
    ReadLimit(parsed, "--hysteresis", params.climbHysteresisMetres);
    if (!parsed.GetError().isEmpty())
        return parsed.ReportError();
    const OpenTracksModel& model = OpenTracks::Get().model;
    QTextStream out(stdout);
    int status = 0;
    for (const QString& fileName : parsed.GetNames()) {
        const int file = CliOpenTracks::Open(fileName);
        if (file < 0) {
            status = 1;
            continue;
        }
        std::vector<int> segments;
        TrackTreeAlg(model.GetReader().get()).GetSubsegmentIds(file, segments);
        for (size_t i = 0; i < segments.size(); ++i) {
            const TrackPtr track = model.GetTrack(segments[i]);
            const TrackStatistics stats = track ? TrackStatistics::OfRange(*track, 0, -1, params) : TrackStatistics();
            out << SegmentLine(fileName, static_cast<int>(i), stats) << '\n';
        }
    }
    return status;
}
