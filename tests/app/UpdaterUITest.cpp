#include "AppExit.h"
#include "CommandActions.h"
#include "CommandIds.h"
#include "DialogScript.h"
#include "LoopbackHttpServer.h"
#include "MainFrame.h"
#include "MessageBoxScript.h"
#include "RegistryKey.h"
#include "StringIds.h"
#include "TestSupport.h"
#include "TestUpdateRelease.h"
#include "Translator.h"
#include "UpdateNotifyDlg.h"
#include "UpdaterUI.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

constexpr double kToday = 20000.0; // days since 1970, in 2024

// Runs the event loop until done() holds or ms pass; done() at the end.
bool WaitFor(const std::function<bool()>& done, int ms = 10000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QThread::msleep(2);
    }
    return done();
}

// A frame with the update controller over a loopback server that offers
// version 2.0.0 to an installation of 1.0.0. The installation's updater
// program is a script that writes its arguments into a file, so that a
// test sees whether and how an install was started.
class UpdaterUITest : public ::testing::Test
{
protected:
    UpdaterUITest()
        : m_release(m_server)
    {
        m_release.AddFile(QStringLiteral("quorvel"), QByteArray(300000, 'q'), true);
        m_release.AddFile(QStringLiteral("data/Doc/notes.html"), QByteArray("<p>new</p>"));
        m_release.Publish();
        m_root = MakeTempDir();
        m_params = m_release.MakeParams(m_root);
        const QString updater = QDir(m_params.appDir).filePath(m_params.updaterExeName);
        // Written aside and renamed, so that a test waiting for the record
        // never reads it half written.
        WriteTestFile(updater, QStringLiteral("#!/bin/sh\necho \"$@\" > '%1.part' && mv '%1.part' '%1'\n")
                                   .arg(UpdaterRecord())
                                   .toUtf8());
        QFile::setPermissions(updater, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        RegistryKey(QStringLiteral("Updater")).ClearSection();
        RegistryKey(QStringLiteral("Settings\\Update")).ClearSection();
    }

    ~UpdaterUITest() override
    {
        RegistryKey(QStringLiteral("Updater")).ClearSection();
        RegistryKey(QStringLiteral("Settings\\Update")).ClearSection();
    }

    UpdaterUI& MakeController()
    {
        auto* controller = new UpdaterUI(m_frame, m_params);
        controller->SetClock([] { return kToday; });
        return *controller;
    }

    QString UpdaterRecord() const { return QDir(m_root).filePath(QStringLiteral("updater-ran")); }
    int ManifestRequests() const { return m_server.GetRequestCount(m_release.GetManifestPath().toStdString()); }
    int ProgramRequests() const { return m_server.GetRequestCount(m_release.GetFilePath(QStringLiteral("quorvel"))); }
    static double LastCheck() { return RegistryKey(QStringLiteral("Updater")).ReadReal(QStringLiteral("LastCheck"), 0.0); }

    // The texts of the message boxes shown so far.
    static std::vector<QString> Texts(const MessageBoxScript& boxes)
    {
        std::vector<QString> texts;
        for (const MessageBoxScript::Shown& shown : boxes.GetShown())
            texts.push_back(shown.text);
        return texts;
    }
    static QString Text(int id) { return Translator::GetInstance().LoadStr(id); }

    // Answers the notification with answer once it shows; the download that
    // may follow runs to its end (or failure) before this returns.
    void CheckNowAndAnswer(UpdaterUI& controller, DialogScript& dialogs, int answer)
    {
        const size_t before = dialogs.GetShownTitles().size();
        dialogs.AddAnswer(answer);
        controller.CheckNow();
        EXPECT_TRUE(WaitFor([&] { return dialogs.GetShownTitles().size() > before; }));
        WaitFor([&] { return !controller.GetDownloadWindow(); });
    }

    LoopbackHttpServer m_server;
    TestUpdateRelease m_release;
    QString m_root;
    UpdaterParams m_params;
    MainFrame m_frame;
};

} // namespace

TEST_F(UpdaterUITest, TheAutomaticCheckWaitsSevenDaysAfterRemindLater)
{
    UpdaterUI& controller = MakeController();
    DialogScript dialogs;
    // Never asked: at once.
    dialogs.AddAnswer(UpdateNotifyDlg::RemindLater);
    controller.StartAutomaticCheck();
    ASSERT_TRUE(WaitFor([&] { return dialogs.GetShownTitles().size() == 1; }));
    EXPECT_EQ(dialogs.GetShownTitles()[0], Text(IDS_UPDATE_NOTIFY_TITLE));
    EXPECT_EQ(LastCheck(), kToday);

    // Within seven days of "Remind later": nothing is asked.
    controller.SetClock([] { return kToday + 6.9; });
    controller.StartAutomaticCheck();
    WaitFor([] { return false; }, 300);
    EXPECT_EQ(ManifestRequests(), 1);

    // Seven days on it asks again; closing the window counts as "later".
    controller.SetClock([] { return kToday + 7.0; });
    dialogs.AddAnswer(IDCANCEL);
    controller.StartAutomaticCheck();
    ASSERT_TRUE(WaitFor([&] { return dialogs.GetShownTitles().size() == 2; }));
    EXPECT_EQ(ManifestRequests(), 2);
    EXPECT_EQ(LastCheck(), kToday + 7.0);

    // "Check for updates" asks at once, and clears the wait.
    dialogs.AddAction([](DlgBase& dlg) {
        auto& notify = dynamic_cast<UpdateNotifyDlg&>(dlg);
        EXPECT_EQ(notify.GetNameLabel().text(), QStringLiteral("Quorvel 2.0.0"));
        EXPECT_TRUE(notify.GetNameLabel().font().bold());
        EXPECT_EQ(notify.GetNameLabel().font().pointSize(), UpdateNotifyDlg::NamePointSize);
        EXPECT_TRUE(notify.GetInfoLink().text().contains(QStringLiteral("https://example.org/release-notes")));
        EXPECT_EQ(notify.GetRemindButton().text(), QStringLiteral("&Remind later"));
        EXPECT_TRUE(notify.GetInstallButton().isDefault());
        return IDCANCEL;
    });
    MessageBoxScript boxes;
    controller.SetClock([] { return kToday + 8.0; });
    controller.CheckNow();
    EXPECT_FALSE(RegistryKey(QStringLiteral("Updater")).HasValue(QStringLiteral("LastCheck")));
    ASSERT_TRUE(WaitFor([&] { return dialogs.GetShownTitles().size() == 3; }));
    EXPECT_TRUE(boxes.GetShown().empty());

    // A user who turned the automatic check off is never asked.
    RegistryKey(QStringLiteral("Settings\\Update")).WriteBool(QStringLiteral("AutoCheck"), false);
    controller.SetClock([] { return kToday + 100.0; });
    controller.StartAutomaticCheck();
    WaitFor([] { return false; }, 300);
    EXPECT_EQ(ManifestRequests(), 3);
}

TEST_F(UpdaterUITest, OnlyAManualCheckSaysThatThereIsNothingOrThatItFailed)
{
    m_params.currentVersion.Parse(QStringLiteral("2.0.0"));
    UpdaterUI& controller = MakeController();
    MessageBoxScript boxes;
    controller.StartAutomaticCheck();
    ASSERT_TRUE(WaitFor([&] { return ManifestRequests() == 1; }));
    WaitFor([] { return false; }, 300);
    EXPECT_TRUE(boxes.GetShown().empty());

    controller.CheckNow();
    ASSERT_TRUE(WaitFor([&] { return boxes.GetShown().size() == 1; }));
    EXPECT_EQ(boxes.GetShown()[0].text, Text(IDS_UPDATE_NONE_AVAILABLE));
    EXPECT_EQ(boxes.GetShown()[0].flags & MB_ICONMASK, MB_ICONINFORMATION);

    m_server.RemoveRoute(m_release.GetManifestPath().toStdString());
    RegistryKey(QStringLiteral("Updater")).ClearSection();
    controller.StartAutomaticCheck();
    ASSERT_TRUE(WaitFor([&] { return ManifestRequests() == 3; }));
    WaitFor([] { return false; }, 300);
    EXPECT_EQ(boxes.GetShown().size(), 1u) << "a failed automatic check is silent";

    controller.CheckNow();
    ASSERT_TRUE(WaitFor([&] { return boxes.GetShown().size() == 2; }));
    EXPECT_EQ(boxes.GetShown()[1].text, Text(IDS_UPDATE_CHECK_FAILED));
    EXPECT_EQ(boxes.GetShown()[1].flags & MB_ICONMASK, MB_ICONINFORMATION);
}

TEST_F(UpdaterUITest, AHangingServerNeitherFreezesTheWindowNorWaitsForEver)
{
    m_server.SetRoute(m_release.GetManifestPath().toStdString(),
                      LoopbackHttpServer::Route(m_release.json).Delayed(20000));
    m_params.checkTimeoutMs = 800;
    UpdaterUI& controller = MakeController();
    MessageBoxScript boxes;
    int ticks = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&ticks] { ++ticks; });
    tick.start(20);
    QElapsedTimer timer;
    timer.start();
    controller.CheckNow();
    EXPECT_LT(timer.elapsed(), 200);
    ASSERT_TRUE(WaitFor([&] { return !boxes.GetShown().empty(); }));
    EXPECT_EQ(boxes.GetShown()[0].text, Text(IDS_UPDATE_CHECK_FAILED));
    // The window's loop kept turning the whole time.
    EXPECT_GT(ticks, 20);
}

TEST_F(UpdaterUITest, ADownloadPutOffInstallsAtTheNextStartNotAtThisExit)
{
    // Slow enough to see the window at work.
    m_server.SetRoute(m_release.GetFilePath(QStringLiteral("quorvel")),
                      LoopbackHttpServer::Route(m_release.contents[QStringLiteral("quorvel")]).Delayed(300));
    UpdaterUI& controller = MakeController();
    DialogScript dialogs;
    MessageBoxScript boxes{IDNO};
    dialogs.AddAnswer(IDOK);
    controller.CheckNow();
    ASSERT_TRUE(WaitFor([&] { return controller.GetDownloadWindow() != nullptr; }));
    UpdateDownloadDlg* window = controller.GetDownloadWindow();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), Text(IDS_DOWNLOAD_TITLE));
    m_frame.GetActions().UpdateAll();
    EXPECT_FALSE(m_frame.GetActions().Get(ID_HELP_CHECK_UPDATES)->isEnabled()) << "no second check while downloading";
    ASSERT_TRUE(WaitFor([&] { return !controller.GetDownloadWindow(); }));

    ASSERT_EQ(Texts(boxes), std::vector<QString>{Text(IDS_UPDATE_RESTART_NOW)});
    EXPECT_TRUE(controller.IsInstallDeferred());
    EXPECT_TRUE(controller.GetUpdater().IsReadyToInstallUpdates());

    // Asking again offers the restart instead of checking again.
    boxes.AddAnswer(IDNO);
    controller.CheckNow();
    EXPECT_EQ(Texts(boxes).size(), 2u);
    EXPECT_EQ(Texts(boxes).back(), Text(IDS_UPDATE_RESTART_NOW));
    WaitFor([] { return false; }, 200);
    EXPECT_EQ(ManifestRequests(), 1);

    // This exit leaves the download for the next start.
    AppExit::OnClose();
    EXPECT_FALSE(QFileInfo::exists(UpdaterRecord()));
    EXPECT_TRUE(controller.GetUpdater().IsReadyToInstallUpdates());

    // The next start installs it and goes no further.
    UpdaterUI& nextRun = MakeController();
    EXPECT_TRUE(nextRun.InstallWaitingUpdate());
    ASSERT_TRUE(WaitFor([&] { return QFileInfo::exists(UpdaterRecord()); }));
    QFile record(UpdaterRecord());
    ASSERT_TRUE(record.open(QIODevice::ReadOnly));
    const QString arguments = QString::fromUtf8(record.readAll());
    EXPECT_TRUE(arguments.contains(QStringLiteral("--wait-pid %1").arg(QCoreApplication::applicationPid())));
    EXPECT_TRUE(arguments.contains(QStringLiteral("--program-dir ") + m_params.appDir));
    EXPECT_TRUE(arguments.contains(QStringLiteral("--restart ") + QDir(m_params.appDir).filePath(QStringLiteral("quorvel"))));
}

TEST_F(UpdaterUITest, RestartingNowInstallsAsTheWindowCloses)
{
    m_frame.show();
    UpdaterUI& controller = MakeController();
    DialogScript dialogs;
    MessageBoxScript boxes{IDYES};
    CheckNowAndAnswer(controller, dialogs, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !boxes.GetShown().empty(); }));
    EXPECT_EQ(Texts(boxes), std::vector<QString>{Text(IDS_UPDATE_RESTART_NOW)});
    EXPECT_FALSE(m_frame.isVisible());
    EXPECT_TRUE(WaitFor([&] { return QFileInfo::exists(UpdaterRecord()); }));
}

TEST_F(UpdaterUITest, EveryFailureOfTheDownloadIsSaidAndNothingIsLeftReady)
{
    UpdaterUI& controller = MakeController();
    DialogScript dialogs;
    MessageBoxScript boxes;

    // A file unlike the one the signed manifest lists.
    QByteArray changed = m_release.contents[QStringLiteral("quorvel")];
    changed[5] = 'x';
    m_server.SetRoute(m_release.GetFilePath(QStringLiteral("quorvel")), changed);
    CheckNowAndAnswer(controller, dialogs, IDOK);
    ASSERT_TRUE(WaitFor([&] { return boxes.GetShown().size() == 1; }));
    EXPECT_TRUE(boxes.GetShown()[0].text.startsWith(Text(IDS_UPDATE_DOWNLOAD_FAILED) + QLatin1Char('\n')));
    EXPECT_TRUE(boxes.GetShown()[0].text.contains(QStringLiteral("quorvel")));
    EXPECT_EQ(boxes.GetShown()[0].flags & MB_ICONMASK, MB_ICONERROR);
    EXPECT_FALSE(controller.GetDownloadWindow());
    EXPECT_FALSE(controller.GetUpdater().IsReadyToInstallUpdates());

    // A download folder that cannot be made.
    m_server.SetRoute(m_release.GetFilePath(QStringLiteral("quorvel")), m_release.contents[QStringLiteral("quorvel")]);
    QDir(m_params.downloadDir).removeRecursively();
    WriteTestFile(m_params.downloadDir, "in the way");
    CheckNowAndAnswer(controller, dialogs, IDOK);
    ASSERT_TRUE(WaitFor([&] { return boxes.GetShown().size() == 2; }));
    EXPECT_EQ(boxes.GetShown()[1].text, Text(IDS_UPDATE_SAVE_FAILED));
    EXPECT_EQ(boxes.GetShown()[1].flags & MB_ICONMASK, MB_ICONERROR);
    QFile::remove(m_params.downloadDir);

    // A program folder that cannot take the files: refused before fetching.
    const int fetched = ProgramRequests();
    m_params.appDir = QDir(m_root).filePath(QStringLiteral("read-only program"));
    UpdaterUI& packaged = MakeController();
    CheckNowAndAnswer(packaged, dialogs, IDOK);
    ASSERT_TRUE(WaitFor([&] { return boxes.GetShown().size() == 3; }));
    EXPECT_EQ(boxes.GetShown()[2].text, Text(IDS_UPDATE_COPY_FAILED));
    EXPECT_EQ(ProgramRequests(), fetched);
    EXPECT_FALSE(packaged.GetDownloadWindow());
}

TEST_F(UpdaterUITest, CancelStopsTheDownloadAndTheExitCleansUp)
{
    m_server.SetRoute(m_release.GetFilePath(QStringLiteral("data/Doc/notes.html")),
                      LoopbackHttpServer::Route(m_release.contents[QStringLiteral("data/Doc/notes.html")]).Delayed(5000));
    UpdaterUI& controller = MakeController();
    DialogScript dialogs;
    MessageBoxScript boxes;
    dialogs.AddAnswer(IDOK);
    controller.CheckNow();
    // The first file is in, the second hangs: half-way.
    ASSERT_TRUE(WaitFor([&] {
        return controller.GetDownloadWindow() && controller.GetDownloadWindow()->GetProgressBar().value() == 50;
    }));
    EXPECT_EQ(controller.GetDownloadWindow()->GetPercentLabel().text(), QStringLiteral("50%"));
    controller.GetDownloadWindow()->reject();
    ASSERT_TRUE(WaitFor([&] { return !controller.GetDownloadWindow(); }));
    EXPECT_TRUE(boxes.GetShown().empty());
    EXPECT_FALSE(controller.GetUpdater().IsReadyToInstallUpdates());
    EXPECT_TRUE(QFileInfo::exists(m_params.downloadDir));

    AppExit::OnClose();
    EXPECT_FALSE(QFileInfo::exists(m_params.downloadDir));
    EXPECT_FALSE(QFileInfo::exists(UpdaterRecord()));
}
