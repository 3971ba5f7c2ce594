#include "CliCommands.h"

#include "LoadManager.h"
#include "LoadStatusText.h"
#include "SaveManager.h"

#include <QTextStream>

// Reports a failed load as the program would, with the reader's detail.
int ReportLoadFailure(const QString& fileName, const LoadedTrackFile& loaded)
{
    QString message = LoadStatusText(loaded.status);
    if (!loaded.error.isEmpty())
        message += (message.isEmpty() ? QString() : QStringLiteral(" ")) + loaded.error;
    QTextStream(stderr) << fileName << ": " << message << '\n';
    return 1;
}

int RunConvertCommand(const QStringList& args)
{
    if (args.size() != 2) {
        QTextStream(stderr) << "convert: expected IN and OUT.gpx\n";
        return 2;
    }
    const LoadedTrackFile loaded = LoadManager().Load(args[0]);
    if (loaded.status != TrackLoaderI::Success)
        return ReportLoadFailure(args[0], loaded);
    SaveManager saving;
    TrackSaverI* saver = saving.GetTrackSaver(TrackFileGpx);
    if (saver->SaveTrack(args[1], loaded.tree.GetReader(), loaded.fileTid, loaded.data) != TrackSaverI::Success) {
        QTextStream(stderr) << args[1] << ": " << saver->GetErrorDesc() << '\n';
        return 1;
    }
    return 0;
}
