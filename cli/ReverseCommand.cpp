#include "CliArgs.h"
#include "CliCommands.h"
#include "CliOpenTracks.h"
#include "OpenTracks.h"
#include "TrackReverser.h"

int RunReverseCommand(const CliCommand& command, const QStringList& args)
{
    return CliOpenTracks::EditFile(CliArgs(command, args), [](int file) {
        OpenTracks& tracks = OpenTracks::Get();
        TrackReverser(tracks.model, tracks.holder).Reverse({file});
        return 0;
    });
}
