#include "CliArgs.h"
#include "CliCommands.h"
#include "CliOpenTracks.h"
#include "OpenTracks.h"
#include "TrackReverser.h"

#include <QTextStream>

int RunReverseCommand(const QStringList& args)
{
    const QString output = QStringLiteral("-o");
    const CliArgs parsed(args, {output}, {});
    if (!parsed.GetError().isEmpty() || parsed.GetNames().size() != 1 || !parsed.Has(output)) {
        QTextStream(stderr) << "reverse: expected IN and -o OUT.gpx\n";
        return 2;
    }
    const int file = CliOpenTracks::Open(parsed.GetNames().front());
    if (file < 0)
        return 1;
    OpenTracks& tracks = OpenTracks::Get();
    TrackReverser(tracks.model, tracks.holder).Reverse({file});
    return CliOpenTracks::SaveGpx(file, parsed.GetValue(output));
}
