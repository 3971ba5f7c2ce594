#include "CliArgs.h"
#include "CliCommands.h"
#include "CliOpenTracks.h"
#include "OpenTracks.h"
#include "TrackRestructure.h"

#include <QTextStream>

int RunMergeCommand(const QStringList& args)
{
    const QString output = QStringLiteral("-o");
    const CliArgs parsed(args, {output}, {});
    if (!parsed.GetError().isEmpty() || parsed.GetNames().isEmpty() || !parsed.Has(output)) {
        QTextStream(stderr) << "merge: expected IN... and -o OUT.gpx\n";
        return 2;
    }
    std::vector<int> files;
    for (const QString& name : parsed.GetNames()) {
        const int file = CliOpenTracks::Open(name);
        if (file < 0)
            return 1;
        files.push_back(file);
    }
    OpenTracks& tracks = OpenTracks::Get();
    const int merged = TrackRestructure(tracks.model).Merge(files, {}, tracks.namer.GetDefaultName(files));
    if (merged < 0) {
        QTextStream(stderr) << "merge: the files hold no points\n";
        return 1;
    }
    return CliOpenTracks::SaveGpx(merged, parsed.GetValue(output));
}
