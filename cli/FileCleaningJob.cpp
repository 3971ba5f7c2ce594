#include "FileCleaningJob.h"

#include "CliOpenTracks.h"
#include "LoadManager.h"
#include "PrivateOpenTracks.h"
#include "RecipeRunner.h"
#include "SaveManager.h"

#include <QFile>

namespace {

FileCleaningResult Failed(FileCleaningResult& result, const QString& fileName, const QString& why)
{
    result.cleaned = false;
    result.messages << fileName + QStringLiteral(": ") + why;
    return std::move(result);
}

} // namespace

FileCleaningResult FileCleaningJob::Run(const RecipeRunner& runner, const QString& input, const QString& output,
                                        const QString& backupPath)
{
    FileCleaningResult result;
    LoadedTrackFile loaded = LoadManager().Load(input);
    if (!TrackLoaderI::HasTracks(loaded.status))
        return Failed(result, input, LoadFailureText(loaded));
    if (loaded.status == TrackLoaderI::Damaged)
        result.messages << input + QStringLiteral(": ") + LoadFailureText(loaded);
    if (!backupPath.isEmpty() && loaded.type != TrackFileGpx)
        return Failed(result, input,
                      QStringLiteral("--in-place rewrites GPX files only; write this one with -o"));

    PrivateOpenTracks tracks;
    OpenTracksModel& model = tracks.model;
    const int file = model.AddOpenedFile(*loaded.tree.GetReader(), loaded.fileTid, *loaded.data, input, loaded.type);
    result.report = runner.Run(model, file);
    if (!result.report.error.isEmpty())
        return Failed(result, input, result.report.error);

    if (!backupPath.isEmpty()) {
        // A backup of an earlier run is the only copy of the original.
        if (QFile::exists(backupPath))
            return Failed(result, input,
                          QStringLiteral("the backup %1 exists already; the file is left as it was").arg(backupPath));
        QFile original(input);
        if (!original.copy(backupPath))
            return Failed(result, input,
                          QStringLiteral("cannot keep a backup as %1: %2").arg(backupPath, original.errorString()));
    }
    SaveManager saving;
    TrackSaverI* saver = saving.GetTrackSaver(TrackFileGpx);
    if (saver->SaveTrack(output, model.GetReader(), file, model.GetDataSet()) != TrackSaverI::Success)
        return Failed(result, output, saver->GetErrorDesc());
    result.cleaned = true;
    return result;
}
