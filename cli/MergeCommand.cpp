#include "CliArgs.h"
#include "CliCommands.h"
#include "CliOpenTracks.h"
#include "OpenTracks.h"
#include "TrackRestructure.h"

int RunMergeCommand(const CliCommand& command, const QStringList& args)
{
    const CliArgs parsed(command, args);
    if (!parsed.GetError().isEmpty())
        return parsed.ReportError();
    std::vector<int> files;
    for (const QString& name : parsed.GetNames()) {
        const int file = CliOpenTracks::Open(name);
        if (file < 0)
            return 1;
        files.push_back(file);
    }
    OpenTracks& tracks = OpenTracks::Get();
    const int merged = TrackRestructure(tracks.model).Merge(files, {}, tracks.namer.GetDefaultName(files));
    if (merged < 0)
        return parsed.ReportFailure(QStringLiteral("the files hold no points"));
    return CliOpenTracks::SaveGpx(merged, parsed.GetValue(QStringLiteral("-o")));
}
