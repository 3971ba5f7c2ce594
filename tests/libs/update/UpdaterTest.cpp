#include "LoopbackHttpServer.h"
#include "TestSupport.h"
#include "TestUpdateRelease.h"
#include "UpdateFolder.h"
#include "Updater.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

namespace {

using namespace std::chrono_literals;

// What an updater's worker reported, and a way to wait for it. The
// download callback answers from a script: a status to stop at, and a
// number of "paused" answers before going on.
class Reports
{
public:
    explicit Reports(Updater& updater)
    {
        updater.SetEventCallback([this](int event) {
            const std::lock_guard lock(m_mutex);
            m_events.push_back(event);
            m_changed.notify_all();
        });
        updater.SetDownloadCallback([this](const DownloadTaskInfo& info) {
            const std::lock_guard lock(m_mutex);
            m_tasks.push_back(info);
            if (info.status == stopAt)
                return -1;
            if (pauses > 0) {
                --pauses;
                return 0;
            }
            return 1;
        });
    }

    // The first event, waiting for it at most ten seconds; -1 for none.
    int WaitForEvent(size_t index = 0)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait_for(lock, 10s, [&] { return m_events.size() > index; });
        return m_events.size() > index ? m_events[index] : -1;
    }
    std::vector<int> Events()
    {
        const std::lock_guard lock(m_mutex);
        return m_events;
    }
    std::vector<DownloadTaskInfo> Tasks()
    {
        const std::lock_guard lock(m_mutex);
        return m_tasks;
    }
    std::vector<int> Statuses()
    {
        std::vector<int> statuses;
        for (const DownloadTaskInfo& task : Tasks())
            if (statuses.empty() || statuses.back() != task.status)
                statuses.push_back(task.status);
        return statuses;
    }

    int stopAt = -100;
    int pauses = 0;

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<int> m_events;
    std::vector<DownloadTaskInfo> m_tasks;
};

class UpdaterTest : public ::testing::Test
{
protected:
    UpdaterTest()
        : m_release(m_server)
    {
        m_release.AddFile(QStringLiteral("quorvel"), QByteArray(200000, 'q'), true);
        m_release.AddFile(QStringLiteral("data/Maps/Layer one.xml"), QByteArray("<layer/>"));
        m_release.Publish();
        m_params = m_release.MakeParams(MakeTempDir());
    }

    // Checks, and on an update downloads; the events of both.
    std::vector<int> CheckAndDownload(Updater& updater, Reports& reports)
    {
        updater.AsyncCheckUpdates();
        if (reports.WaitForEvent(0) == Updater::CheckFinished && updater.IsUpdateAvailable()) {
            updater.AsyncDownloadUpdates();
            while (reports.WaitForEvent(reports.Events().size()) == Updater::ShowDownloadWindow) {
            }
        }
        return reports.Events();
    }

    LoopbackHttpServer m_server;
    TestUpdateRelease m_release;
    UpdaterParams m_params;
};

} // namespace

TEST_F(UpdaterTest, FindsANewerSignedReleaseAndDownloadsItReadyToInstall)
{
    Updater updater(m_params);
    Reports reports(updater);
    EXPECT_EQ(CheckAndDownload(updater, reports),
              (std::vector<int>{Updater::CheckFinished, Updater::ShowDownloadWindow, Updater::DownloadFinished}));
    UpdateDesc desc;
    ASSERT_TRUE(updater.GetUpdateDesc(desc));
    EXPECT_EQ(desc.name, QStringLiteral("Quorvel 2.0.0"));
    EXPECT_EQ(desc.infoUrl, QStringLiteral("https://example.org/release-notes"));
    EXPECT_EQ(updater.GetUpdateFilesCount(), 2);
    // The path's blank travels percent-encoded.
    EXPECT_EQ(m_server.GetRequestCount("/system/update/2.0.0/data/Maps/Layer%20one.xml"), 1);

    // Per file: its size, its progress up to the whole, its end.
    const std::vector<DownloadTaskInfo> tasks = reports.Tasks();
    ASSERT_FALSE(tasks.empty());
    EXPECT_EQ(tasks.front().status, DownloadTaskInfo::FileStarted);
    EXPECT_EQ(tasks.front().bytesTotal, 200000);
    EXPECT_EQ(reports.Statuses(),
              (std::vector<int>{DownloadTaskInfo::FileStarted, DownloadTaskInfo::FileProgress, DownloadTaskInfo::FileDone,
                                DownloadTaskInfo::FileStarted, DownloadTaskInfo::FileProgress, DownloadTaskInfo::FileDone}));
    qint64 lastDone = 0;
    for (const DownloadTaskInfo& task : tasks)
        if (task.status == DownloadTaskInfo::FileProgress && task.fileName == QStringLiteral("quorvel")) {
            EXPECT_GT(task.bytesDone, lastDone);
            lastDone = task.bytesDone;
        }
    EXPECT_EQ(lastDone, 200000);

    // Only once it is marked is the download ready, and only while whole.
    EXPECT_FALSE(updater.IsReadyToInstallUpdates());
    ASSERT_TRUE(updater.CopyUpdateInfo());
    EXPECT_TRUE(updater.IsReadyToInstallUpdates());
    const UpdateFolder folder(m_params.downloadDir);
    EXPECT_TRUE(UpdateFolder::Matches(folder.GetFilePath(m_release.manifest.files[0]), m_release.manifest.files[0]));
    EXPECT_TRUE(Updater(m_params).IsReadyToInstallUpdates()) << "a later run sees the same download";

    WriteTestFile(folder.GetFilePath(m_release.manifest.files[1]), "<layer changed/>");
    EXPECT_FALSE(updater.IsReadyToInstallUpdates());

    updater.CleanUp();
    EXPECT_FALSE(QFileInfo::exists(m_params.downloadDir));
    EXPECT_FALSE(QFileInfo::exists(m_params.cachePath));
}

TEST_F(UpdaterTest, ASameOrOlderVersionIsNoUpdate)
{
    for (const char* current : {"2.0.0", "2.0.0.0", "2.1"}) {
        m_params.currentVersion.Parse(QString::fromLatin1(current));
        Updater updater(m_params);
        Reports reports(updater);
        updater.AsyncCheckUpdates();
        EXPECT_EQ(reports.WaitForEvent(), Updater::CheckFinished) << current;
        EXPECT_FALSE(updater.IsUpdateAvailable()) << current;
        EXPECT_EQ(updater.GetUpdateFilesCount(), 0);
        UpdateDesc desc;
        EXPECT_FALSE(updater.GetUpdateDesc(desc));
    }
}

TEST_F(UpdaterTest, AnythingNotSignedByTheKeyIsAFailedCheck)
{
    const auto check = [this](const char* what) {
        Updater updater(m_params);
        Reports reports(updater);
        updater.AsyncCheckUpdates();
        EXPECT_EQ(reports.WaitForEvent(), Updater::CheckFailed) << what;
        EXPECT_FALSE(updater.IsUpdateAvailable()) << what;
    };
    const std::string manifestPath = m_release.GetManifestPath().toStdString();
    const std::string signaturePath = std::string(TestUpdateRelease::BasePath) + "manifest.sig";

    QByteArray tampered = m_release.json;
    tampered.replace("200000", "200001");
    m_server.SetRoute(manifestPath, tampered);
    check("a manifest changed after signing");
    m_server.SetRoute(manifestPath, m_release.json);

    m_server.RemoveRoute(signaturePath);
    check("no signature");
    m_server.SetRoute(signaturePath, m_release.signature + "x");
    check("a signature too long");
    m_server.SetRoute(signaturePath, m_release.signature);

    TestUpdateRelease other(m_server);
    m_params.publicKey = other.publicKey;
    check("signed by another key");

    m_params.publicKey = m_release.publicKey;
    m_server.SetRoute(manifestPath, QByteArray(UpdateManifest::MaxManifestSize + 1, ' '));
    check("an endless manifest");
}

TEST_F(UpdaterTest, AServerThatHangsFailsTheCheckAfterTheTimeOut)
{
    m_server.SetRoute(m_release.GetManifestPath().toStdString(), LoopbackHttpServer::Route(m_release.json).Delayed(20000));
    m_params.checkTimeoutMs = 300;
    Updater updater(m_params);
    Reports reports(updater);
    const auto start = std::chrono::steady_clock::now();
    updater.AsyncCheckUpdates();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 100ms) << "the caller does not wait";
    EXPECT_EQ(reports.WaitForEvent(), Updater::CheckFailed);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
}

TEST_F(UpdaterTest, AFileUnlikeItsManifestEntryIsNeverKept)
{
    const std::string program = m_release.GetFilePath(QStringLiteral("quorvel"));
    const QByteArray good = m_release.contents[QStringLiteral("quorvel")];
    QByteArray changed = good;
    changed[100] = 'x';
    for (const auto& [what, route] : std::vector<std::pair<const char*, LoopbackHttpServer::Route>>{
             {"changed bytes", changed},
             {"one byte more", good + "!"},
             {"cut short", LoopbackHttpServer::Route(good).CutAfter(1000)},
             {"gone", LoopbackHttpServer::Route({}, 404)},
         }) {
        m_server.SetRoute(program, route);
        Updater updater(m_params);
        Reports reports(updater);
        EXPECT_EQ(CheckAndDownload(updater, reports).back(), Updater::DownloadStopped) << what;
        const std::vector<DownloadTaskInfo> tasks = reports.Tasks();
        ASSERT_FALSE(tasks.empty());
        EXPECT_EQ(tasks.back().status, DownloadTaskInfo::DownloadFailed) << what;
        EXPECT_FALSE(tasks.back().error.isEmpty()) << what;
        EXPECT_FALSE(QFileInfo::exists(UpdateFolder(m_params.downloadDir).GetFilePath(m_release.manifest.files[0])))
            << what;
        EXPECT_FALSE(updater.CopyUpdateInfo() && updater.IsReadyToInstallUpdates()) << what;
    }
}

TEST_F(UpdaterTest, TheCallbackPausesAndStopsTheDownload)
{
    {
        Updater updater(m_params);
        Reports reports(updater);
        reports.pauses = 3;
        EXPECT_EQ(CheckAndDownload(updater, reports).back(), Updater::DownloadFinished);
        // The paused report is asked again until it is answered.
        const std::vector<DownloadTaskInfo> tasks = reports.Tasks();
        ASSERT_GE(tasks.size(), 4u);
        EXPECT_EQ(tasks[0].status, DownloadTaskInfo::FileStarted);
        EXPECT_EQ(tasks[3].status, DownloadTaskInfo::FileStarted);
    }
    for (const int stopAt : {int(DownloadTaskInfo::FileStarted), int(DownloadTaskInfo::FileProgress),
                             int(DownloadTaskInfo::FileDone)}) {
        Updater updater(m_params);
        Reports reports(updater);
        reports.stopAt = stopAt;
        EXPECT_EQ(CheckAndDownload(updater, reports).back(), Updater::DownloadStopped) << stopAt;
        EXPECT_EQ(reports.Tasks().back().status, stopAt);
        EXPECT_FALSE(updater.CopyUpdateInfo() && updater.IsReadyToInstallUpdates()) << stopAt;
    }
}

TEST_F(UpdaterTest, AFolderThatCannotBeWrittenFailsTheSave)
{
    // A file where the download folder would go.
    WriteTestFile(m_params.downloadDir, "in the way");
    Updater updater(m_params);
    Reports reports(updater);
    EXPECT_EQ(CheckAndDownload(updater, reports).back(), Updater::DownloadStopped);
    ASSERT_FALSE(reports.Tasks().empty());
    EXPECT_EQ(reports.Tasks().back().status, DownloadTaskInfo::SaveFailed);
    EXPECT_EQ(m_server.GetRequestCount(m_release.GetFilePath(QStringLiteral("quorvel"))), 0);

    EXPECT_TRUE(updater.CanInstall());
    m_params.appDir = QDir(m_params.appDir).filePath(QStringLiteral("missing"));
    EXPECT_FALSE(Updater(m_params).CanInstall());
}
