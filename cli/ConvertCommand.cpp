#include "CliCommands.h"
#include "CliOpenTracks.h"

#include "LoadManager.h"
#include "SaveManager.h"

#include <QTextStream>

int RunConvertCommand(const CliCommand&, const QStringList& args)
{
    if (args.size() != 2) {
        QTextStream(stderr) << "convert: expected IN and OUT\n";
        return 2;
    }
    const LoadedTrackFile loaded = LoadManager().Load(args[0]);
    if (!AcceptLoaded(args[0], loaded))
        return 1;
    return SaveTrackFile(args[1], SaveManager::TypeForPath(args[1]), loaded.tree.GetReader(), loaded.fileTid,
                         loaded.data);
}
