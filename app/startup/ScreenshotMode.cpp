#include "ScreenshotMode.h"

#include "DlgBase.h"
#include "HelpCommands.h"
#include "OblFileDialog.h"
#include "OpenTracks.h"
#include "OptUnits.h"
#include "TrackTreeAlg.h"
#include "Translator.h"
#include "ValueFilterLimits.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

// Time for queued layout and paint events after the window is first exposed.
constexpr int kSettleMs = 300;
constexpr int kPollMs = 20;
constexpr int kCommandDialogWaitMs = 15000;

// Whether the picture of the command's dialog was written; empty while no
// dialog has been pictured.
std::optional<bool> g_dialogSaved;

bool SavePicture(QWidget& widget)
{
    const QString path = ScreenshotMode::GetTargetPath();
    // Light compression: the same pixels in a file a few per cent larger,
    // written in two thirds of the time.
    constexpr int kPngQuality = 80;
    const bool saved = widget.grab().save(path, "PNG", kPngQuality);
    if (!saved)
        std::fprintf(stderr, "Cannot write %s\n", qPrintable(path));
    return saved;
}

// The first dialog is shown, given time to lay itself out and paint, and
// pictured; every dialog is then cancelled so the run changes nothing.
int PictureDialog(DlgBase& dlg)
{
    std::fprintf(stderr, "Dialog: %s\n", qPrintable(dlg.windowTitle()));
    if (!g_dialogSaved) {
        dlg.show();
        QEventLoop settle;
        QTimer::singleShot(kSettleMs, &settle, &QEventLoop::quit);
        settle.exec();
        g_dialogSaved = SavePicture(dlg);
        dlg.hide();
    }
    return IDCANCEL;
}

void Finish(bool saved, const std::function<int()>& failures)
{
    const int failed = failures();
    if (failed > 0)
        std::fprintf(stderr, "%d file(s) could not be opened\n", failed);
    QCoreApplication::exit(!saved ? 1 : (failed > 0 ? 2 : 0));
}

// Some commands open their dialog only after work in the background (an
// update check asks the server first).
void WaitForDialog(QWidget* window, int command, QElapsedTimer waited, const std::function<int()>& failures)
{
    if (!g_dialogSaved && waited.elapsed() < kCommandDialogWaitMs) {
        QTimer::singleShot(kPollMs, window, [=] { WaitForDialog(window, command, waited, failures); });
        return;
    }
    if (!g_dialogSaved)
        std::fprintf(stderr, "Command %d opened no dialog\n", command);
    Finish(g_dialogSaved.value_or(false), failures);
}

void SaveWhenReady(QWidget* window, const std::function<bool()>& ready, const std::function<int()>& failures,
                   const std::function<void(int)>& runCommand)
{
    QWindow* handle = window->windowHandle();
    if (!handle || !handle->isExposed() || !ready()) {
        QTimer::singleShot(kPollMs, window, [=] { SaveWhenReady(window, ready, failures, runCommand); });
        return;
    }
    QTimer::singleShot(kSettleMs, window, [=] {
        if (const int command = ScreenshotMode::GetCommand()) {
            DlgBase::SetPresenter(PictureDialog);
            runCommand(command);
            QElapsedTimer waited;
            waited.start();
            WaitForDialog(window, command, waited, failures);
        } else {
            const QList<int> commands = ScreenshotMode::GetCommandsToRun();
            for (const int command : commands)
                runCommand(command);
            // The panes and the map take a frame or two to show what the
            // commands changed.
            QTimer::singleShot(commands.isEmpty() ? 0 : kSettleMs, window,
                               [=] { Finish(SavePicture(*window), failures); });
        }
    });
}

void PlaceLimits()
{
    const MeasuringSystem system = OptUnits::GetInstance().GetMeasuringSystem();
    for (const QString& pair : qEnvironmentVariable("QUORVEL_SCREENSHOT_LIMITS").split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList parts = pair.split(QLatin1Char('='));
        const auto& rows = ValueFilterRows::GetRows();
        const auto row = std::find_if(rows.begin(), rows.end(), [&](const ValueFilterRows::Row& r) {
            return parts.size() == 2 && parts[0] == QLatin1String(r.name);
        });
        if (row == rows.end())
            std::fprintf(stderr, "Unknown limit: %s\n", qPrintable(pair));
        else
            ValueFilterLimits::GetInstance().SetText(static_cast<int>(row - rows.begin()), parts[1], system);
    }
}

} // namespace

QString ScreenshotMode::GetTargetPath()
{
    return qEnvironmentVariable("QUORVEL_SCREENSHOT");
}

int ScreenshotMode::GetCommand()
{
    return qEnvironmentVariableIntValue("QUORVEL_SCREENSHOT_COMMAND");
}

double ScreenshotMode::GetZoom()
{
    bool ok = false;
    const double zoom = qEnvironmentVariable("QUORVEL_SCREENSHOT_ZOOM").toDouble(&ok);
    return ok && zoom > 0 ? zoom : 0.0;
}

QList<int> ScreenshotMode::GetCommandsToRun()
{
    QList<int> commands;
    for (const QString& id : qEnvironmentVariable("QUORVEL_SCREENSHOT_RUN").split(QLatin1Char(','), Qt::SkipEmptyParts))
        commands << id.trimmed().toInt();
    return commands;
}

void ScreenshotMode::SelectSegment()
{
    const int wanted = qEnvironmentVariableIntValue("QUORVEL_SCREENSHOT_SEGMENT");
    if (wanted < 1)
        return;
    OpenTracks& tracks = OpenTracks::Get();
    std::vector<int> segments;
    TrackTreeAlg alg(tracks.model.GetReader().get());
    alg.GetSubsegmentIds(alg.GetAllTids(), segments);
    if (wanted > static_cast<int>(segments.size()))
        return;
    const int segment = segments[static_cast<size_t>(wanted - 1)];
    tracks.holder.SetSelection({segment});
    PlaceLimits();
    const QStringList range = qEnvironmentVariable("QUORVEL_SCREENSHOT_RANGE").split(QLatin1Char('-'));
    if (range.size() == 2) {
        tracks.holder.SetCurrentPoint(segment, range[0].toInt());
        tracks.holder.SetPointRange(segment, range[0].toInt(), range[1].toInt());
    }
}

void ScreenshotMode::InstallDefaultAnswers()
{
    // Without a presenter the translator writes the text to stderr and
    // answers with the default button.
    Translator::GetInstance().SetMessageBoxPresenter({});
    HelpCommands::SetUrlOpener([](const QUrl& url) {
        std::fprintf(stderr, "Link: %s\n", qPrintable(url.toString()));
        return true;
    });
    // A dialog is confirmed as it stands; a file dialog is cancelled, since
    // no name would be the user's.
    DlgBase::SetPresenter([](DlgBase& dlg) {
        std::fprintf(stderr, "Dialog: %s\n", qPrintable(dlg.windowTitle()));
        return IDOK;
    });
    OblFileDialog::SetPresenter([](const FileDialogRequest& request) -> std::optional<FileDialogAnswer> {
        std::fprintf(stderr, "File dialog: %s\n", qPrintable(request.filters.join(QLatin1String(";;"))));
        return std::nullopt;
    });
}

void ScreenshotMode::TakeWhenReady(QWidget& window, std::function<bool()> ready, std::function<int()> failures,
                                   std::function<void(int)> runCommand)
{
    SaveWhenReady(&window, ready, failures, runCommand);
}
