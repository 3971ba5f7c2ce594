#include "CliArgs.h"
#include "CliCommands.h"
#include "CliOpenTracks.h"

#include "LoadManager.h"
#include "SaveManager.h"


int RunConvertCommand(const CliCommand& command, const QStringList& args)
{
    // A mistyped option must not become the name of the file written.
    const CliArgs parsed(command, args);
    if (!parsed.GetError().isEmpty())
        return parsed.ReportError();
    const QString& in = parsed.GetNames()[0];
    const QString& out = parsed.GetNames()[1];
    const LoadedTrackFile loaded = LoadManager().Load(in);
    if (!AcceptLoaded(in, loaded))
        return 1;
    return SaveTrackFile(out, SaveManager::TypeForPath(out), loaded.tree.GetReader(), loaded.fileTid, loaded.data);
}
