#pragma once

#include "CleaningLog.h"
#include "CommandActions.h"
#include "MainFrameImpl.h"
#include "PaneLayoutManager.h"

#include <QMainWindow>
#include <QStringList>

#include <boost/signals2/connection.hpp>

#include <functional>
#include <memory>
#include <vector>

class QMenu;
class QuickLaunchDlg;
class QToolBar;
class TrackView;
class StatusBarUIImpl;

// The main window. It routes every command and command-state query to the
// hub, where the parts of the program registered theirs; what no part
// handles falls back to the few commands of the window itself (exit, the
// toolbar and status-bar switches) or is disabled.
class MainFrame : public QMainWindow
{
public:
    // Decides whether the window may close (unsaved changes); none allows it.
    using CloseGuard = std::function<bool()>;
    using FileOpener = std::function<void(const QStringList& files)>;

    MainFrame();
    ~MainFrame() override;

    MainFrameImpl& GetHub() { return m_hub; }
    PaneLayoutManager& GetPanes() { return m_panes; }
    CommandActions& GetActions() { return m_actions; }
    // What the cleaning commands changed last, and the recipe being recorded.
    CleaningLog& GetCleaningLog() { return m_cleaningLog; }
    StatusBarUIImpl& GetStatusBarUI() { return *m_statusBarUI; }
    QuickLaunchDlg& GetQuickLaunch() { return *m_quickLaunch; }
    QToolBar* GetToolbar(int toolbarId) const;
    // A menu of the menu bar by the string id of its title, for parts that
    // fill a list of commands (recent tracks, map layers, colour-by).
    QMenu* FindMenu(int titleId) const;

    void SetCloseGuard(CloseGuard guard) { m_closeGuard = std::move(guard); }
    // Asked before files close one by one (from the track list): false
    // keeps them open. Without a guard they close.
    using FilesCloseGuard = std::function<bool(const std::vector<int>& fileTids)>;
    void SetFilesCloseGuard(FilesCloseGuard guard) { m_filesCloseGuard = std::move(guard); }
    bool MayCloseFiles(const std::vector<int>& fileTids) const
    {
        return !m_filesCloseGuard || m_filesCloseGuard(fileTids);
    }
    // Whether an open file may take a new name (the file commands tell the
    // user why not); every name passes while no check is set.
    using FileNameCheck = std::function<bool(int fileTid, const QString& newName)>;
    void SetFileNameCheck(FileNameCheck check) { m_fileNameCheck = std::move(check); }
    bool MayRenameFile(int fileTid, const QString& newName) const
    {
        return !m_fileNameCheck || m_fileNameCheck(fileTid, newName);
    }
    // Where files to open go: the opening queue.
    void SetFileOpener(FileOpener opener) { m_fileOpener = std::move(opener); }
    void OpenFiles(const QStringList& files);
    // A command line handed over by a later start of the program.
    void ReceiveCommandLine(const QString& commandLine);

    void RunCommand(int id);
    void QueryCommand(CommandUI& ui);
    // The map window in its pane.
    TrackView& GetTrackView();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QToolBar* AddToolbar(int toolbarId, std::initializer_list<int> commands);
    bool RunFrameCommand(int id);
    bool QueryFrameCommand(CommandUI& ui);
    void UpdateTitle();

    MainFrameImpl m_hub;
    CommandActions m_actions;
    CleaningLog m_cleaningLog;
    PaneLayoutManager m_panes;
    std::unique_ptr<StatusBarUIImpl> m_statusBarUI;
    QuickLaunchDlg* m_quickLaunch;
    CloseGuard m_closeGuard;
    FilesCloseGuard m_filesCloseGuard;
    FileNameCheck m_fileNameCheck;
    FileOpener m_fileOpener;
    std::vector<MainFrameImpl::Connection> m_paneCommands;
    boost::signals2::scoped_connection m_titleOption;
    // Files changed, saved or undone: the title shows whether changes wait.
    boost::signals2::scoped_connection m_fileEvents;
    boost::signals2::scoped_connection m_tick;
};
