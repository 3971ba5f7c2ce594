#include "CliArgs.h"
#include "CliCommands.h"
#include "CliOpenTracks.h"
#include "OpenTracks.h"
#include "StringIds.h"
#include "TrackTimeEdits.h"
#include "Translator.h"

int RunShiftCommand(const CliCommand& command, const QStringList& args)
{
    CliArgs parsed(command, args);
    const Time start = parsed.GetTime(QStringLiteral("--start"));
    return CliOpenTracks::EditFile(parsed, [&](int file) {
        if (TrackTimeEdits::ShiftToStart(*OpenTracks::Get().model.GetTrack(file), start))
            return 0;
        return ReportFileFailure(parsed.GetNames().front(),
                                 Translator::GetInstance().LoadStr(IDS_COMMAND_NOT_APPLICABLE));
    });
}
