#include "CliArgs.h"
#include "CliCommands.h"
#include "CliOpenTracks.h"
#include "OpenTracks.h"
#include "ResetTimeCore.h"

int RunRetimeCommand(const CliCommand& command, const QStringList& args)
{
    CliArgs parsed(command, args);
    double speed = 0;
    if (!parsed.GetNumber(QStringLiteral("--speed"), 0.0, speed) || !(speed > 0))
        parsed.SetError(QStringLiteral("--speed needs a speed in km/h above 0"));
    const Time start = parsed.GetTime(QStringLiteral("--start"));
    return CliOpenTracks::EditFile(parsed, [&](int file) {
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
            return ReportFileFailure(parsed.GetNames().front(),
                                     QStringLiteral("no timestamps to start from; give --start"));
        }
        track->Refresh(false);
        return 0;
    });
}
