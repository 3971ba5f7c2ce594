#include "CliArgs.h"
#include "CliCommands.h"
#include "CliOpenTracks.h"
#include "IsoTime.h"
#include "OpenTracks.h"
#include "ResetTimeCore.h"

#include <QTextStream>

int RunRetimeCommand(const QStringList& args)
{
    const QString speedOption = QStringLiteral("--speed");
    const QString startOption = QStringLiteral("--start");
    const QString output = QStringLiteral("-o");
    const CliArgs parsed(args, {speedOption, startOption, output}, {});
    QString error = parsed.GetError();
    if (error.isEmpty() && (parsed.GetNames().size() != 1 || !parsed.Has(output) || !parsed.Has(speedOption)))
        error = QStringLiteral("expected IN, --speed KMH and -o OUT.gpx");
    bool speedOk = false;
    const double speed = parsed.GetValue(speedOption).toDouble(&speedOk);
    if (error.isEmpty() && (!speedOk || !(speed > 0)))
        error = QStringLiteral("--speed needs a speed in km/h above 0");
    const Time start = IsoTime::Parse(parsed.GetValue(startOption).toStdString());
    if (error.isEmpty() && parsed.Has(startOption) && start.IsNull())
        error = QStringLiteral("--start needs an ISO 8601 time");
    if (!error.isEmpty()) {
        QTextStream(stderr) << "retime: " << error << '\n';
        return 2;
    }
    const int file = CliOpenTracks::Open(parsed.GetNames().front());
    if (file < 0)
        return 1;
    const TrackPtr track = OpenTracks::Get().model.GetTrack(file);
    ResetTimeCore core(track->GetTrackData());
    const ResetTimeCore::Choice choice{start, speed};
    if (!start.IsNull()) {
        // The recorded times are dropped: the track runs from the start.
        core.ClearTimes();
        core.Apply(ResetTimeCore::NoTimes, false, choice);
    } else if (!core.Run(true, [&choice](ResetTimeCore::TimeCase mode, ResetTimeCore::Choice& out) {
                   out = choice;
                   return mode != ResetTimeCore::NoTimes;
               })) {
        QTextStream(stderr) << parsed.GetNames().front() << ": no timestamps to start from; give --start\n";
        return 1;
    }
    track->Refresh(false);
    return CliOpenTracks::SaveGpx(file, parsed.GetValue(output));
}
