#include "MainFrame.h"

#include "AppExit.h"
#include "AppTick.h"
#include "CommandIds.h"
#include "CommandLine.h"
#include "DockingPane.h"
#include "GEventKind.h"
#include "GEventManagerImpl.h"
#include "MouseTypes.h"
#include "OpenTracks.h"
#include "QuickLaunchDlg.h"
#include "StatusBarUIImpl.h"
#include "StringIds.h"
#include "TitleOptions.h"
#include "ToolbarIcons.h"
#include "TrackView.h"
#include "Translator.h"

#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include <algorithm>
#include <cstdio>

namespace {

// Refreshing the toolbar states every tick would be wasted work.
constexpr unsigned kTicksPerCommandUpdate = 10;

} // namespace

MainFrame::MainFrame()
    : m_actions(*this, [this](int id) { RunCommand(id); }, [this](CommandUI& ui) { QueryCommand(ui); })
    , m_panes(*this)
{
    // The name by which a later start finds this window.
    setObjectName(QStringLiteral("OrbelinQuorvel"));
    m_actions.BuildMenuBar(*menuBar());

    QToolBar* tools = AddToolbar(TOOLBAR_TOOLS, {ID_FILE_OPEN, ID_FILE_SAVE, 0, MouseModeDrag, MouseModeEdit});
    m_actions.Get(ID_FILE_OPEN)->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    m_actions.Get(ID_FILE_SAVE)->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    QToolBar* viewModes =
        AddToolbar(TOOLBAR_VIEW_MODES,
                   {ID_VIEW_MAP, ID_VIEW_FILTERED_POINTS, ID_VIEW_ARROWS, 0, ID_VIEW_MAP_CENTER, ID_VIEW_SCALE});
    for (QToolBar* toolbar : {tools, viewModes})
        for (QAction* action : toolbar->actions())
            if (const QIcon icon = ToolbarIcons::ForCommand(CommandActions::GetId(*action)); !icon.isNull())
                action->setIcon(icon);
    if (QWidget* colorBy = m_hub.OnCreateControl(ID_VIEW_COLOR_BY, viewModes))
        viewModes->addWidget(colorBy);
    m_hub.OnCustomizeToolbar(TOOLBAR_TOOLS, *tools);
    m_hub.OnCustomizeToolbar(TOOLBAR_VIEW_MODES, *viewModes);

    m_statusBarUI = std::make_unique<StatusBarUIImpl>(*statusBar());
    m_panes.BuildInitialLayout();
    m_panes.LoadLayout();
    m_paneCommands = m_panes.SubscribeCommands(m_hub);
    m_quickLaunch = new QuickLaunchDlg(*m_panes.GetPane(PANE_TRACK_VIEW), m_hub);

    UpdateTitle();
    m_titleOption = TitleOptions::GetInstance().Subscribe([this] { UpdateTitle(); });
    m_fileEvents = GEventManagerImpl::GetInstance().Subscribe(
        GEventFilter{GEventKind::TreeChanged, GEventKind::FileAttrChanged, GEventKind::PointsChanged,
                     GEventKind::PointRemovedRestored, GEventKind::PointAdded},
        [this] { UpdateTitle(); }, GEventGroup::Views);
    m_tick = AppTick::GetInstance().Subscribe([this] {
        if (AppTick::GetInstance().GetCount() % kTicksPerCommandUpdate == 0)
            m_actions.UpdateAll();
    });
    m_actions.UpdateAll();
}

MainFrame::~MainFrame() = default;

QToolBar* MainFrame::AddToolbar(int toolbarId, std::initializer_list<int> commands)
{
    QToolBar* toolbar = addToolBar(Translator::GetInstance().LoadStr(toolbarId));
    toolbar->setObjectName(QStringLiteral("Toolbar%1").arg(toolbarId));
    for (int id : commands) {
        if (id == 0)
            toolbar->addSeparator();
        else
            toolbar->addAction(m_actions.Get(id));
    }
    return toolbar;
}

QToolBar* MainFrame::GetToolbar(int toolbarId) const
{
    return findChild<QToolBar*>(QStringLiteral("Toolbar%1").arg(toolbarId));
}

QMenu* MainFrame::FindMenu(int titleId) const
{
    return menuBar()->findChild<QMenu*>(QStringLiteral("Menu%1").arg(titleId));
}

TrackView& MainFrame::GetTrackView()
{
    return m_panes.GetTrackView();
}

void MainFrame::OpenFiles(const QStringList& files)
{
    // Lets a test or a script see what reached the window.
    if (qEnvironmentVariableIsSet("QUORVEL_ECHO_FILES")) {
        for (const QString& file : files)
            std::printf("open %s\n", qPrintable(file));
        std::fflush(stdout);
    }
    if (m_fileOpener)
        m_fileOpener(files);
}

void MainFrame::ReceiveCommandLine(const QString& commandLine)
{
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
    OpenFiles(CommandLine::Parse(CommandLine::Split(commandLine)).GetFileNames());
}

void MainFrame::RunCommand(int id)
{
    if (!m_hub.OnCommand(id))
        RunFrameCommand(id);
}

void MainFrame::QueryCommand(CommandUI& ui)
{
    if (!m_hub.OnCommandUI(ui) && !QueryFrameCommand(ui))
        ui.Enable(false);
}

bool MainFrame::RunFrameCommand(int id)
{
    switch (id) {
    case ID_APP_EXIT:
        close();
        return true;
    case ID_VIEW_TOOLBAR: {
        const bool show = GetToolbar(TOOLBAR_TOOLS)->isHidden();
        GetToolbar(TOOLBAR_TOOLS)->setVisible(show);
        GetToolbar(TOOLBAR_VIEW_MODES)->setVisible(show);
        return true;
    }
    case ID_VIEW_STATUS_BAR:
        statusBar()->setVisible(statusBar()->isHidden());
        return true;
    default:
        return false;
    }
}

bool MainFrame::QueryFrameCommand(CommandUI& ui)
{
    switch (ui.GetId()) {
    case ID_APP_EXIT:
        return true;
    case ID_VIEW_TOOLBAR:
        ui.SetCheck(!GetToolbar(TOOLBAR_TOOLS)->isHidden());
        return true;
    case ID_VIEW_STATUS_BAR:
        ui.SetCheck(!statusBar()->isHidden());
        return true;
    default:
        return false;
    }
}

void MainFrame::UpdateTitle()
{
    const bool withVersion = TitleOptions::GetInstance().showVersion.Get();
    const Translator& tr = Translator::GetInstance();
    const QString title = tr.LoadStr(withVersion ? IDS_APP_TITLE_VERSION : IDS_APP_TITLE);
    const OpenTracksModel& model = OpenTracks::Get().model;
    const std::vector<int>& files = model.GetFileTids();
    const bool modified =
        std::any_of(files.begin(), files.end(), [&model](int file) { return model.GetFileAttr(file)->modified; });
    setWindowTitle(modified ? tr.LoadStr(IDS_TITLE_MODIFIED).arg(title) : title);
}

void MainFrame::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    m_panes.OnFrameShown();
}

void MainFrame::closeEvent(QCloseEvent* event)
{
    if (m_closeGuard && !m_closeGuard()) {
        event->ignore();
        return;
    }
    m_panes.SaveLayout();
    AppExit::OnClose();
    event->accept();
}
