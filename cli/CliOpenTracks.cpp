#include "CliOpenTracks.h"

#include "CliCommands.h"
#include "LoadManager.h"
#include "OpenTracks.h"
#include "SaveManager.h"

#include <QTextStream>

int CliOpenTracks::Open(const QString& fileName)
{
    LoadedTrackFile loaded = LoadManager().Load(fileName);
    if (loaded.status != TrackLoaderI::Success) {
        ReportLoadFailure(fileName, loaded);
        return -1;
    }
    return OpenTracks::Get().model.AddOpenedFile(*loaded.tree.GetReader(), loaded.fileTid, *loaded.data, fileName,
                                                 loaded.type);
}

int CliOpenTracks::SaveGpx(int fileTid, const QString& path)
{
    const OpenTracksModel& model = OpenTracks::Get().model;
    SaveManager saving;
    TrackSaverI* saver = saving.GetTrackSaver(TrackFileGpx);
    if (saver->SaveTrack(path, model.GetReader(), fileTid, model.GetDataSet()) != TrackSaverI::Success) {
        QTextStream(stderr) << path << ": " << saver->GetErrorDesc() << '\n';
        return 1;
    }
    return 0;
}
