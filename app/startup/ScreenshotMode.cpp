#include "ScreenshotMode.h"

#include "DlgBase.h"
#include "HelpCommands.h"
#include "OblFileDialog.h"
#include "Translator.h"

#include <QCoreApplication>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cstdio>

namespace {

// Time for queued layout and paint events after the window is first exposed.
constexpr int kSettleMs = 300;
constexpr int kPollMs = 20;

void SaveWhenReady(QWidget* window, const std::function<bool()>& ready, const std::function<int()>& failures)
{
    QWindow* handle = window->windowHandle();
    if (!handle || !handle->isExposed() || !ready()) {
        QTimer::singleShot(kPollMs, window, [=] { SaveWhenReady(window, ready, failures); });
        return;
    }
    QTimer::singleShot(kSettleMs, window, [=] {
        const QString path = ScreenshotMode::GetTargetPath();
        const bool saved = window->grab().save(path, "PNG");
        if (!saved)
            std::fprintf(stderr, "Cannot write %s\n", qPrintable(path));
        const int failed = failures();
        if (failed > 0)
            std::fprintf(stderr, "%d file(s) could not be opened\n", failed);
        QCoreApplication::exit(!saved ? 1 : (failed > 0 ? 2 : 0));
    });
}

} // namespace

QString ScreenshotMode::GetTargetPath()
{
    return qEnvironmentVariable("QUORVEL_SCREENSHOT");
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

void ScreenshotMode::TakeWhenReady(QWidget& window, std::function<bool()> ready, std::function<int()> failures)
{
    SaveWhenReady(&window, ready, failures);
}
