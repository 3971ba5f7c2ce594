#pragma once

#include "MainFrameImpl.h"
#include "UpdateDownloadDlg.h"
#include "Updater.h"

#include <QObject>
#include <QPointer>

#include <atomic>
#include <boost/signals2/connection.hpp>
#include <deque>
#include <functional>
#include <memory>

class MainFrame;

// When to look for updates, what to ask and show, and when to install:
// at start an update that waits is installed, otherwise a check runs once
// seven days have passed since the user chose "Remind later"; Help > Check
// for updates checks at once; a download is installed when the program
// exits, or at the next start when the user put the restart off.
// A child of the frame, which deletes it.
class UpdaterUI : public QObject
{
public:
    static constexpr double CheckIntervalDays = 7.0;

    // The installation's own parameters: its folder, a download folder of
    // its own, the update server of the build (or of the setting "Server" of
    // "Settings\Update"), the release key and the program's version.
    static UpdaterParams GetDefaultParams();
    // False when the setting "AutoCheck" of "Settings\Update" is off or the
    // build has no update server.
    static bool IsAutomaticCheckOn(const UpdaterParams& params);

    UpdaterUI(MainFrame& frame, UpdaterParams params);
    ~UpdaterUI() override;

    // Start-up: installs an update that waits; true when the updater took
    // over and the program must not go on starting. Otherwise removes what
    // earlier downloads left.
    bool InstallWaitingUpdate();
    // Start-up: checks quietly unless a check was put off less than seven
    // days ago.
    void StartAutomaticCheck();
    // Help > Check for updates.
    void CheckNow();

    // Replaces the clock (days since 1970) for tests.
    void SetClock(std::function<double()> now) { m_now = std::move(now); }
    Updater& GetUpdater() { return *m_updater; }
    // While a download runs.
    UpdateDownloadDlg* GetDownloadWindow() const { return m_downloadWindow; }
    bool IsInstallDeferred() const { return m_installDeferred; }

private:
    // Runs work on the user-interface thread, one item at a time: a message
    // box of one must not let the next one in.
    void Post(std::function<void()> work);
    void RunPosted();

    void OnEvent(int event);
    void OnCheckFinished();
    void OnDownloaded();
    int OnDownloadTask(const DownloadTaskInfo& info);
    void StartDownload();
    void ShowDownloadWindow();
    void CloseDownloadWindow();
    void ShowProgress();
    void AskRestart();
    void OnAppClosing();

    MainFrame& m_frame;
    std::unique_ptr<Updater> m_updater;
    std::function<double()> m_now;
    MainFrameImpl::Connection m_command;
    MainFrameImpl::Connection m_commandUI;
    boost::signals2::scoped_connection m_exit;

    bool m_manualCheck = false;
    bool m_installDeferred = false;
    QPointer<UpdateDownloadDlg> m_downloadWindow;

    // Shared with the download worker.
    std::atomic<int> m_filesCount{0};
    std::atomic<int> m_filesDone{0};
    std::atomic<qint64> m_fileSize{0};
    std::atomic<qint64> m_fileDone{0};
    std::atomic<bool> m_cancelled{false};
    std::atomic<bool> m_progressPosted{false};

    std::deque<std::function<void()>> m_posted;
    bool m_running = false;
};
