#include "MainApp.h"

#include "AppExit.h"
#include "AppTickDriver.h"
#include "CleaningUI.h"
#include "EditUndoUI.h"
#include "FilterUI.h"
#include "HelpCommands.h"
#include "InstanceSocketFolder.h"
#include "MainFrame.h"
#include "OptionsUI.h"
#include "PointRangeUI.h"
#include "QtMessageBoxPresenter.h"
#include "RegistryKey.h"
#include "ScreenshotMode.h"
#include "TrackMenuUI.h"
#include "TrackOpening.h"
#include "TrackView.h"
#include "ViewUI.h"
#include "TracksFileUI.h"
#include "SingleInstance.h"
#include "UpdaterUI.h"
#include "StringIds.h"
#include "Translator.h"

#include <QApplication>
#include <QDir>
#include <QScreen>

#include <cstdio>
#include <utility>

MainApp::MainApp()
{
    AppExit::OnStart();
}

MainApp::~MainApp()
{
    // The window goes before the tick that drives it, after what it hosts;
    // a file still loading is cancelled and its worker waited for first.
    m_files.reset();
    m_opening.reset();
    m_help.reset();
    m_frame.reset();
    m_tick.reset();
    AppExit::OnExit();
}

bool MainApp::InitInstance(const QStringList& args)
{
    QCoreApplication::setOrganizationName(QStringLiteral("Orbelin"));
    QCoreApplication::setApplicationName(QStringLiteral("Quorvel"));
    RegistryKey::SetAppSection(QStringLiteral("Orbelin\\Quorvel"));

    m_commandLine = CommandLine::Parse(args);

    // An unattended picture run stays out of the way of a running instance:
    // it neither hands its files over nor takes the instance's socket.
    if (!ScreenshotMode::IsOn() && HandOverToRunningInstance())
        return false;

    if (ScreenshotMode::IsOn())
        ScreenshotMode::InstallDefaultAnswers();
    else
        Translator::GetInstance().SetMessageBoxPresenter(QtMessageBoxPresenter());

    m_frame = std::make_unique<MainFrame>();
    if (m_instance)
        m_instance->SetReceiver([this](const QString& line) { m_frame->ReceiveCommandLine(line); });
    m_help = std::make_unique<HelpCommands>(m_frame->GetHub());
    m_opening = std::make_unique<TrackOpening>(*m_frame, !ScreenshotMode::IsOn());
    m_files = std::make_unique<TracksFileUI>(*m_frame);
    new EditUndoUI(*m_frame); // a child of the frame, which deletes it
    new FilterUI(*m_frame); // a child of the frame, which deletes it
    new TrackMenuUI(*m_frame); // a child of the frame, which deletes it
    new CleaningUI(*m_frame); // a child of the frame, which deletes it
    new PointRangeUI(*m_frame, *m_files); // a child of the frame, which deletes it
    new ViewUI(*m_frame, m_frame->GetTrackView()); // a child of the frame, which deletes it
    new OptionsUI(*m_frame); // a child of the frame, which deletes it
    auto* updater = new UpdaterUI(*m_frame, UpdaterUI::GetDefaultParams()); // a child of the frame
    // An unattended picture run neither installs nor asks the server.
    if (!ScreenshotMode::IsOn()) {
        if (updater->InstallWaitingUpdate())
            return false;
        updater->StartAutomaticCheck();
    }

    ShowMainWindow();
    m_frame->OpenFiles(m_commandLine.GetFileNames());
    return true;
}

bool MainApp::HandOverToRunningInstance()
{
    const Translator& texts = Translator::GetInstance();
    const InstanceSocketFolder::Result folder = InstanceSocketFolder::FindOwn();
    if (!folder.path.isEmpty()) {
        m_instance = std::make_unique<SingleInstance>(QDir(folder.path).filePath(SingleInstance::OwnServerName()));
        if (m_instance->HandOver(CommandLine::Join(m_commandLine.GetFileNamesFrom(QDir::currentPath()))))
            return true;
        if (m_instance->Listen())
            return false;
        m_instance.reset();
    } else {
        std::fprintf(stderr, "%s\n", qPrintable(folder.problem));
    }
    std::fprintf(stderr, "%s\n", qPrintable(texts.LoadStr(IDS_INSTANCE_SEPARATE)));
    return false;
}

void MainApp::ShowMainWindow()
{
    if (m_commandLine.HasWindowSize()) {
        // The size asked for wins over a maximised window of the saved layout.
        m_frame->setWindowState(Qt::WindowNoState);
        m_frame->setGeometry(10, 10, m_commandLine.GetWidth(), m_commandLine.GetHeight());
        m_frame->show();
    } else {
        // The pane sizes are laid out for the size the window has when it
        // shows; a maximised window would otherwise get it only afterwards.
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            m_frame->resize(screen->availableGeometry().size());
        m_frame->showMaximized();
    }
}

int MainApp::Run()
{
    MainFrame* frame = m_frame.get();
    m_tick = std::make_unique<AppTickDriver>([frame] { return frame->isMinimized(); });
    m_tick->Start();
    if (ScreenshotMode::IsOn())
        ScreenshotMode::TakeWhenReady(
            *frame,
            [this, frame, selected = false]() mutable {
                if (!m_opening->IsIdle())
                    return false;
                if (!std::exchange(selected, true)) {
                    ScreenshotMode::SelectSegment();
                    if (const double zoom = ScreenshotMode::GetZoom(); zoom > 0)
                        frame->GetTrackView().GetTransform().ZoomBy(zoom);
                }
                return true;
            }, [this] { return m_opening->GetFailureCount(); },
            [frame](int command) { frame->RunCommand(command); });
    return QApplication::exec();
}
