#include "CliArgs.h"
#include "CliCommands.h"
#include "CliOpenTracks.h"
#include "OpenTracks.h"
#include "TrackTimeEdits.h"

int RunRetimeCommand(const CliCommand& command, const QStringList& args)
{
    CliArgs parsed(command, args);
    double speed = 0;
    if (!parsed.GetNumber(QStringLiteral("--speed"), 0.0, speed) || !(speed > 0))
        parsed.SetError(QStringLiteral("--speed needs a speed in km/h above 0"));
    const Time start = parsed.GetTime(QStringLiteral("--start"));
    return CliOpenTracks::EditFile(parsed, [&](int file) {
        if (TrackTimeEdits::Retime(*OpenTracks::Get().model.GetTrack(file), speed, start))
            return 0;
        return ReportFileFailure(parsed.GetNames().front(), QStringLiteral("no timestamps to start from; give --start"));
    });
}
