#include "CliArgs.h"
#include "CliCommands.h"
#include "CliOpenTracks.h"
#include "OpenTracks.h"
#include "StringIds.h"
#include "TrackRestructure.h"
#include "Translator.h"

int RunRestructureCommand(const CliCommand& command, const QStringList& args)
{
    CliArgs parsed(command, args);
    RestructureParams params;
    params.folderMinutes = parsed.GetPositive(QStringLiteral("--folder-gap"), params.folderMinutes);
    params.segmentMinutes = parsed.GetPositive(QStringLiteral("--segment-gap"), params.segmentMinutes);
    params.keepBreaks = parsed.Has(QStringLiteral("--keep-breaks"));
    return CliOpenTracks::EditFile(parsed, [&](int file) {
        if (TrackRestructure(OpenTracks::Get().model).RestructureFile(file, params))
            return 0;
        return ReportFileFailure(parsed.GetNames().front(), Translator::GetInstance().LoadStr(IDS_SPLIT_ERROR));
    });
}
