#include "CliArgs.h"
#include "CliCommands.h"
#include "CliOpenTracks.h"
#include "OpenTracks.h"
#include "StringIds.h"
#include "TimeShift.h"
#include "Translator.h"

int RunShiftCommand(const CliCommand& command, const QStringList& args)
{
    CliArgs parsed(command, args);
    const Time start = parsed.GetTime(QStringLiteral("--start"));
    return CliOpenTracks::EditFile(parsed, [&](int file) {
        const TrackPtr track = OpenTracks::Get().model.GetTrack(file);
        const Time oldStart = TimeShift::GetStartTime(track->GetTrackData());
        if (oldStart.IsNull())
            return ReportFileFailure(parsed.GetNames().front(),
                                     Translator::GetInstance().LoadStr(IDS_COMMAND_NOT_APPLICABLE));
        TimeShift::Apply(track->GetTrackData(), start - oldStart);
        track->Refresh(false);
        return 0;
    });
}
