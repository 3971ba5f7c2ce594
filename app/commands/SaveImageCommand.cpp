#include "SaveImageCommand.h"

#include "MapImageWriter.h"
#include "MapScene.h"
#include "MessageBoxStyle.h"
#include "OblFileSaveDlg.h"
#include "OpenTracks.h"
#include "SaveImageDlg.h"
#include "StringIds.h"
#include "TrackView.h"
#include "Translator.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProgressDialog>

namespace {

// Tiles are drawn again this often while they arrive.
constexpr int RedrawMilliseconds = 250;
// Saved without the rest when no tile came for this long.
constexpr int PatienceMilliseconds = 30000;

// Draws until every tile is there, the user gives up (false) or the
// server stops answering; missing is what did not come.
bool WaitForTiles(MapImageWriter& writer, MapScene& scene, MapTileDrawer& tiles, QWidget* parent, int& missing)
{
    missing = writer.Record(scene, tiles);
    if (missing == 0)
        return true;
    const Translator& texts = Translator::GetInstance();
    QProgressDialog progress(texts.Format(IDS_SAVE_IMAGE_WAITING, QString::number(missing)), texts.LoadStr(IDS_BUTTON_CANCEL), 0, 0,
                             parent);
    progress.setWindowTitle(texts.LoadStr(IDS_SAVE_IMAGE_TITLE));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    QElapsedTimer sinceArrival;
    sinceArrival.start();
    int fewest = missing;
    while (missing > 0 && sinceArrival.elapsed() < PatienceMilliseconds) {
        QElapsedTimer pause;
        pause.start();
        while (pause.elapsed() < RedrawMilliseconds) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, RedrawMilliseconds);
            if (progress.wasCanceled())
                return false;
        }
        missing = writer.Record(scene, tiles);
        if (missing < fewest) {
            fewest = missing;
            sinceArrival.restart();
        }
        progress.setLabelText(texts.Format(IDS_SAVE_IMAGE_WAITING, QString::number(missing)));
    }
    return true;
}

} // namespace

void RunSaveImageCommand(TrackView& view, QWidget* parent)
{
    SaveImageDlg sizes(view.size(), parent);
    if (sizes.DoModal() != IDOK)
        return;
    Translator& texts = Translator::GetInstance();
    OblFileSaveDlg files(OFN_OVERWRITEPROMPT, parent);
    files.AddFilter(texts.LoadStr(IDS_FILTER_PNG), QStringLiteral("*.png"));
    files.AddFilter(texts.LoadStr(IDS_FILTER_PDF), QStringLiteral("*.pdf"));
    files.AddFilter(texts.LoadStr(IDS_FILTER_SVG), QStringLiteral("*.svg"));
    files.SetRegKey(QStringLiteral("TracksDlg"), QStringLiteral("LastImageFilter"));
    QString path = QStringLiteral("map");
    if (!files.StartDialog(path))
        return;

    MapScene scene(OpenTracks::Get().model, view.GetDrawAttrs(), view.GetTiles(), view.GetLods());
    MapImageWriter writer(view.GetTransform(), sizes.GetPictureSize());
    int missing = 0;
    if (!WaitForTiles(writer, scene, view.GetTiles(), parent, missing))
        return;
    QString error;
    if (!writer.Write(path, error)) {
        texts.MessageBoxW(texts.Format(IDS_SAVE_IMAGE_FAILED, QDir::toNativeSeparators(path), error),
                          MB_OK | MB_ICONERROR);
        return;
    }
    if (missing > 0)
        texts.MessageBoxW(texts.Format(IDS_SAVE_IMAGE_TILES_MISSING, QString::number(missing)), MB_OK | MB_ICONWARNING);
}
