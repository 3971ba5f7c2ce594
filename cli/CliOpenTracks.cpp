#include "CliOpenTracks.h"

#include "CliArgs.h"
#include "LoadManager.h"
#include "LoadStatusText.h"
#include "OpenTracks.h"
#include "SaveLossCheck.h"
#include "SaveLossText.h"
#include "SaveManager.h"

#include <QTextStream>

int ReportFileFailure(const QString& fileName, const QString& why)
{
    QTextStream(stderr) << fileName << ": " << why << '\n';
    return 1;
}

QString LoadFailureText(const LoadedTrackFile& loaded)
{
    QString message = LoadStatusText(loaded.status);
    if (!loaded.error.isEmpty())
        message += (message.isEmpty() ? QString() : QStringLiteral(" ")) + loaded.error;
    return message;
}

int ReportLoadFailure(const QString& fileName, const LoadedTrackFile& loaded)
{
    return ReportFileFailure(fileName, LoadFailureText(loaded));
}

bool AcceptLoaded(const QString& fileName, const LoadedTrackFile& loaded)
{
    if (!TrackLoaderI::HasTracks(loaded.status)) {
        ReportLoadFailure(fileName, loaded);
        return false;
    }
    if (loaded.status == TrackLoaderI::Damaged)
        ReportLoadFailure(fileName, loaded);
    return true;
}

int SaveTrackFile(const QString& path, TrackFileType type, const TrackTreeReaderPtr& tree, int fileTid,
                  const std::shared_ptr<const TrackDataSetI>& data)
{
    // Nobody is there to ask: what the format leaves out is told, and the
    // file written all the same.
    const QString losses = SaveLossText(type, SaveLossCheck::Find(type, *tree, fileTid, *data));
    if (!losses.isEmpty())
        QTextStream(stderr) << path << ": " << losses << '\n';
    SaveManager saving;
    TrackSaverI* saver = saving.GetTrackSaver(type);
    if (saver->SaveTrack(path, tree, fileTid, data) != TrackSaverI::Success)
        return ReportFileFailure(path, saver->GetErrorDesc());
    return 0;
}

int SaveGpxFile(const QString& path, const TrackTreeReaderPtr& tree, int fileTid,
                const std::shared_ptr<const TrackDataSetI>& data)
{
    return SaveTrackFile(path, TrackFileGpx, tree, fileTid, data);
}

int CliOpenTracks::Open(const QString& fileName)
{
    LoadedTrackFile loaded = LoadManager().Load(fileName);
    if (!AcceptLoaded(fileName, loaded))
        return -1;
    return OpenTracks::Get().model.AddOpenedFile(*loaded.tree.GetReader(), loaded.fileTid, *loaded.data, fileName,
                                                 loaded.type);
}

int CliOpenTracks::SaveGpx(int fileTid, const QString& path)
{
    const OpenTracksModel& model = OpenTracks::Get().model;
    return SaveGpxFile(path, model.GetReader(), fileTid, model.GetDataSet());
}

int CliOpenTracks::EditFile(const CliArgs& parsed, const std::function<int(int fileTid)>& edit)
{
    if (!parsed.GetError().isEmpty())
        return parsed.ReportError();
    const int file = Open(parsed.GetNames().front());
    if (file < 0)
        return 1;
    if (const int status = edit(file); status != 0)
        return status;
    return SaveGpx(file, parsed.GetValue(QStringLiteral("-o")));
}
