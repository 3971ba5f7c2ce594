#include "UpdaterUI.h"

#include "AppExit.h"
#include "CommandIds.h"
#include "CommandUI.h"
#include "Dir.h"
#include "MainFrame.h"
#include "OblHash.h"
#include "RegistryKey.h"
#include "StringIds.h"
#include "Time.h"
#include "Translator.h"
#include "UpdateNotifyDlg.h"

#include <QDir>
#include <QMetaObject>

namespace {

const QString UpdaterKey = QStringLiteral("Updater");
const QString LastCheckValue = QStringLiteral("LastCheck");
const QString SettingsKey = QStringLiteral("Settings\\Update");

double Now()
{
    return Time::GetCurTime().GetAbsDays();
}

QString ServerAddress()
{
    QString server = RegistryKey(SettingsKey).ReadString(QStringLiteral("Server"), QStringLiteral(QUORVEL_UPDATE_SERVER));
    if (!server.isEmpty() && !server.endsWith(QLatin1Char('/')))
        server += QLatin1Char('/');
    return server;
}

} // namespace

UpdaterParams UpdaterUI::GetDefaultParams()
{
    UpdaterParams params;
    params.appDir = Dir::GetAppDir();
    params.exeName = QStringLiteral("quorvel");
    params.downloadDir = QDir(Dir::GetLocalAppDataDir())
                             .filePath(QStringLiteral("Update/") +
                                       QString::fromStdString(OblHash::Md5(params.appDir.toUtf8())));
    const QString server = ServerAddress();
    if (!server.isEmpty())
        params.baseUrl = server + QStringLiteral("system/update/");
    params.cachePath = QDir(params.appDir).filePath(QStringLiteral("Updater.bin"));
    params.updaterExeName = QStringLiteral("quorvel-updater");
    params.publicKey = QByteArray::fromHex(QUORVEL_UPDATE_PUBLIC_KEY);
    params.currentVersion.Parse(QStringLiteral(QUORVEL_VERSION));
    return params;
}

bool UpdaterUI::IsAutomaticCheckOn(const UpdaterParams& params)
{
    return !params.baseUrl.isEmpty() && RegistryKey(SettingsKey).ReadBool(QStringLiteral("AutoCheck"), true);
}

UpdaterUI::UpdaterUI(MainFrame& frame, UpdaterParams params)
    : QObject(&frame)
    , m_frame(frame)
    , m_updater(std::make_unique<Updater>(std::move(params)))
    , m_now(&Now)
{
    // Both callbacks come from the updater's worker thread.
    m_updater->SetEventCallback([this](int event) { Post([this, event] { OnEvent(event); }); });
    m_updater->SetDownloadCallback([this](const DownloadTaskInfo& info) { return OnDownloadTask(info); });
    m_command =
        frame.GetHub().SubscribeCommand(ID_HELP_CHECK_UPDATES, ID_HELP_CHECK_UPDATES, [this](int) { CheckNow(); });
    m_commandUI = frame.GetHub().SubscribeCommandUI(ID_HELP_CHECK_UPDATES, ID_HELP_CHECK_UPDATES, [this](CommandUI& ui) {
        ui.Enable(!m_updater->GetParams().baseUrl.isEmpty() && !m_downloadWindow);
    });
    m_exit = AppExit::GetSignal().connect([this](int stage) {
        if (stage == AppExit::Closing)
            OnAppClosing();
    });
}

UpdaterUI::~UpdaterUI()
{
    // No callback may reach a half-destroyed controller.
    m_updater.reset();
}

bool UpdaterUI::InstallWaitingUpdate()
{
    // InstallUpdates verifies the download itself; verifying it here too
    // would read every file twice.
    if (!m_installDeferred && m_updater->InstallUpdates())
        return true;
    if (!m_updater->IsReadyToInstallUpdates())
        m_updater->CleanUp();
    return false;
}

void UpdaterUI::StartAutomaticCheck()
{
    if (!IsAutomaticCheckOn(m_updater->GetParams()))
        return;
    const double lastCheck = RegistryKey(UpdaterKey).ReadReal(LastCheckValue, 0.0);
    if (lastCheck + CheckIntervalDays > m_now())
        return;
    m_updater->AsyncCheckUpdates();
}

void UpdaterUI::CheckNow()
{
    if (m_installDeferred && m_updater->IsReadyToInstallUpdates()) {
        AskRestart();
        return;
    }
    RegistryKey(UpdaterKey).ClearSection();
    m_manualCheck = true;
    m_updater->AsyncCheckUpdates();
}

void UpdaterUI::Post(std::function<void()> work)
{
    QMetaObject::invokeMethod(
        this,
        [this, work = std::move(work)] {
            m_posted.push_back(work);
            RunPosted();
        },
        Qt::QueuedConnection);
}

void UpdaterUI::RunPosted()
{
    if (m_running)
        return;
    m_running = true;
    while (!m_posted.empty()) {
        const std::function<void()> work = std::move(m_posted.front());
        m_posted.pop_front();
        work();
    }
    m_running = false;
}

void UpdaterUI::OnEvent(int event)
{
    switch (event) {
    case Updater::CheckFinished:
        OnCheckFinished();
        break;
    case Updater::CheckFailed:
        if (m_manualCheck)
            Translator::GetInstance().MessageBoxW(IDS_UPDATE_CHECK_FAILED, MB_OK | MB_ICONINFORMATION);
        m_manualCheck = false;
        break;
    case Updater::DownloadFinished:
        OnDownloaded();
        break;
    case Updater::DownloadStopped:
        // The reason, if any, has been shown; a window left open would wait
        // for ever.
        CloseDownloadWindow();
        break;
    case Updater::ShowDownloadWindow:
        ShowDownloadWindow();
        break;
    default:
        break;
    }
}

void UpdaterUI::OnCheckFinished()
{
    const bool manual = m_manualCheck;
    m_manualCheck = false;
    UpdateDesc update;
    if (m_updater->IsUpdateAvailable() && m_updater->GetUpdateDesc(update)) {
        UpdateNotifyDlg dialog(update, &m_frame);
        if (dialog.DoModal() == IDOK)
            StartDownload();
        else // "Remind later", or the window closed without an answer
            RegistryKey(UpdaterKey).WriteReal(LastCheckValue, m_now());
    } else if (manual) {
        Translator::GetInstance().MessageBoxW(IDS_UPDATE_NONE_AVAILABLE, MB_OK | MB_ICONINFORMATION);
    }
}

void UpdaterUI::StartDownload()
{
    // A folder the program cannot write could not take the update: say so
    // before anything is fetched.
    if (!m_updater->CanInstall()) {
        Translator::GetInstance().MessageBoxW(IDS_UPDATE_COPY_FAILED, MB_OK | MB_ICONERROR);
        return;
    }
    m_filesCount = m_updater->GetUpdateFilesCount();
    m_filesDone = 0;
    m_fileSize = 0;
    m_fileDone = 0;
    m_cancelled = false;
    ShowDownloadWindow();
    m_updater->AsyncDownloadUpdates();
}

void UpdaterUI::OnDownloaded()
{
    CloseDownloadWindow();
    if (!m_updater->CopyUpdateInfo()) {
        Translator::GetInstance().MessageBoxW(IDS_UPDATE_COPY_FAILED, MB_OK | MB_ICONERROR);
        return;
    }
    m_installDeferred = true;
    AskRestart();
}

void UpdaterUI::AskRestart()
{
    if (Translator::GetInstance().MessageBoxW(IDS_UPDATE_RESTART_NOW, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    m_installDeferred = false;
    // Closing asks about unsaved files first; the exit installs.
    m_frame.close();
}

int UpdaterUI::OnDownloadTask(const DownloadTaskInfo& info)
{
    switch (info.status) {
    case DownloadTaskInfo::SaveFailed:
        Post([] { Translator::GetInstance().MessageBoxW(IDS_UPDATE_SAVE_FAILED, MB_OK | MB_ICONERROR); });
        return -1;
    case DownloadTaskInfo::DownloadFailed: {
        const QString text = Translator::GetInstance().LoadStr(IDS_UPDATE_DOWNLOAD_FAILED) + QLatin1Char('\n') + info.error;
        Post([text] { Translator::GetInstance().MessageBoxW(text, MB_OK | MB_ICONERROR); });
        return -1;
    }
    case DownloadTaskInfo::FileStarted:
        m_fileSize = info.bytesTotal;
        m_fileDone = 0;
        break;
    case DownloadTaskInfo::FileDone:
        ++m_filesDone;
        m_fileDone = 0;
        break;
    case DownloadTaskInfo::FileProgress:
        m_fileDone = info.bytesDone;
        break;
    default:
        return 1;
    }
    // One progress update waits at a time; it reads the latest counters.
    if (!m_progressPosted.exchange(true))
        QMetaObject::invokeMethod(this, [this] { ShowProgress(); }, Qt::QueuedConnection);
    return m_cancelled ? -1 : 1;
}

void UpdaterUI::ShowProgress()
{
    m_progressPosted = false;
    if (!m_downloadWindow || m_filesCount <= 0)
        return;
    const qint64 size = m_fileSize;
    const double fileFraction = size > 0 ? double(m_fileDone) / double(size) : 0.0;
    m_downloadWindow->SetProgress((m_filesDone + fileFraction) / m_filesCount);
}

void UpdaterUI::ShowDownloadWindow()
{
    if (!m_downloadWindow) {
        m_downloadWindow = new UpdateDownloadDlg(
            [this] {
                m_cancelled = true;
                m_updater->Cancel();
            },
            &m_frame);
        m_downloadWindow->setAttribute(Qt::WA_DeleteOnClose);
    }
    if (!m_downloadWindow->isVisible())
        m_downloadWindow->DoCreate();
}

void UpdaterUI::CloseDownloadWindow()
{
    if (m_downloadWindow)
        m_downloadWindow->close();
}

void UpdaterUI::OnAppClosing()
{
    m_updater->Stop();
    CloseDownloadWindow();
    if (!m_installDeferred && m_updater->InstallUpdates())
        return;
    if (!m_updater->IsReadyToInstallUpdates())
        m_updater->CleanUp();
}
