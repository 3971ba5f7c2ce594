#include "LoopbackHttpServer.h"
#include "TestSupport.h"
#include "TestUpdateRelease.h"
#include "UpdateFolder.h"
#include "UpdateInstaller.h"
#include "Updater.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <QUrl>

#include <gtest/gtest.h>

#include <atomic>
#include <map>

namespace {

using FileMap = std::map<QString, QByteArray>;

// Every file under a folder by its relative path, with its bytes.
FileMap FilesUnder(const QString& folder)
{
    FileMap files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        files[QDir(folder).relativeFilePath(path)] = file.readAll();
    }
    return files;
}

// A program folder with an installed version, and a downloaded update of
// it that replaces one file and adds a new one in a new folder.
class UpdateInstallerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_root = MakeTempDir();
        m_programDir = QDir(m_root).filePath(QStringLiteral("program"));
        m_installed = {{QStringLiteral("quorvel"), "old program"}, {QStringLiteral("data/keep.txt"), "kept"},
                       {QStringLiteral("data/Palettes/speed.xml"), "old palette"}};
        for (const auto& [path, bytes] : m_installed)
            WriteTestFile(QDir(m_programDir).filePath(path), bytes);
        QFile::setPermissions(QDir(m_programDir).filePath(QStringLiteral("quorvel")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        m_update = {{QStringLiteral("quorvel"), "new program"},
                    {QStringLiteral("data/Palettes/speed.xml"), "new palette"},
                    {QStringLiteral("data/Doc/new/guide.html"), "guide"}};
        m_manifest.version.Parse(QStringLiteral("2.0"));
        for (const auto& [path, bytes] : m_update) {
            m_manifest.files.push_back({path, bytes.size(), QCryptographicHash::hash(bytes, QCryptographicHash::Sha256),
                                        path == QStringLiteral("quorvel")});
            WriteTestFile(Folder().GetFilePath(m_manifest.files.back()), bytes);
        }
        WriteTestFile(Folder().GetManifestPath(), m_manifest.ToJson());
    }

    UpdateFolder Folder() const { return UpdateFolder(QDir(m_root).filePath(QStringLiteral("download"))); }
    QString BackupDir() const { return QDir(m_programDir).filePath(QStringLiteral(".quorvel-backup-test")); }

    FileMap Expected(const FileMap& over) const
    {
        FileMap files = m_installed;
        for (const auto& [path, bytes] : over)
            files[path] = bytes;
        return files;
    }

    QString m_root;
    QString m_programDir;
    FileMap m_installed;
    FileMap m_update;
    UpdateManifest m_manifest;
};

} // namespace

TEST_F(UpdateInstallerTest, ReplacesAndAddsFilesAndLeavesNothingBehind)
{
    UpdateInstaller installer(m_programDir, Folder(), BackupDir());
    ASSERT_TRUE(installer.Install(m_manifest)) << installer.GetError().toStdString();
    // No staged copies or backups remain: exactly the old files plus the new.
    EXPECT_EQ(FilesUnder(m_programDir), Expected(m_update));
    EXPECT_FALSE(QFileInfo::exists(BackupDir()));
    EXPECT_TRUE(QFileInfo(QDir(m_programDir).filePath(QStringLiteral("quorvel"))).isExecutable());
    EXPECT_FALSE(QFileInfo(QDir(m_programDir).filePath(QStringLiteral("data/Doc/new/guide.html"))).isExecutable());
}

TEST_F(UpdateInstallerTest, AFailingStepPutsEveryFileBack)
{
    // The last file in the manifest cannot be moved aside: its backup place
    // is taken by a folder that is not empty. The two before it are in
    // place by then and must go back.
    WriteTestFile(QDir(BackupDir()).filePath(QStringLiteral("data/Palettes/speed.xml/x")), "blocker");
    std::swap(m_manifest.files[1], m_manifest.files[2]);
    ASSERT_EQ(m_manifest.files[2].path, QStringLiteral("data/Palettes/speed.xml"));
    UpdateInstaller installer(m_programDir, Folder(), BackupDir());
    EXPECT_FALSE(installer.Install(m_manifest));
    EXPECT_TRUE(installer.GetError().contains(QStringLiteral("speed.xml"))) << installer.GetError().toStdString();
    // The backup folder is the installer's own: it goes, blocker and all.
    EXPECT_EQ(FilesUnder(m_programDir), m_installed);
    EXPECT_FALSE(QFileInfo::exists(QDir(m_programDir).filePath(QStringLiteral("data/Doc"))))
        << "folders made for new files go again";
}

TEST_F(UpdateInstallerTest, ADamagedDownloadIsRefusedBeforeAnythingChanges)
{
    WriteTestFile(Folder().GetFilePath(m_manifest.files[1]), "new palettE");
    UpdateInstaller installer(m_programDir, Folder(), BackupDir());
    EXPECT_FALSE(installer.Install(m_manifest));
    EXPECT_TRUE(installer.GetError().contains(m_manifest.files[1].path));
    EXPECT_EQ(FilesUnder(m_programDir), m_installed);
}

// The updater program as the program starts it: it waits for the program
// to end, installs, clears the marks and starts the program again.
TEST_F(UpdateInstallerTest, TheUpdaterProgramInstallsAfterTheProgramEndsAndRestartsIt)
{
    const QString mark = QDir(m_programDir).filePath(QStringLiteral("Updater.bin"));
    WriteTestFile(mark, "ready");
    // The program that is started again leaves a sign that it ran.
    const QString started = QDir(m_root).filePath(QStringLiteral("started"));
    const QString restart = QDir(m_root).filePath(QStringLiteral("restart.sh"));
    WriteTestFile(restart, QStringLiteral("#!/bin/sh\necho \"$PWD\" > '%1'\n").arg(started).toUtf8());
    QFile::setPermissions(restart, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QProcess running;
    running.start(QStringLiteral("sleep"), {QStringLiteral("1")});
    ASSERT_TRUE(running.waitForStarted());
    QProcess updater;
    updater.start(QStringLiteral(QUORVEL_UPDATER_PATH),
                  {QStringLiteral("--wait-pid"), QString::number(running.processId()), QStringLiteral("--program-dir"),
                   m_programDir, QStringLiteral("--update-dir"), Folder().GetDir(), QStringLiteral("--ready-mark"), mark,
                   QStringLiteral("--restart"), restart});
    ASSERT_TRUE(updater.waitForStarted());
    // Nothing changes while the program runs.
    QThread::msleep(300);
    EXPECT_EQ(FilesUnder(m_programDir)[QStringLiteral("quorvel")], "old program");
    ASSERT_TRUE(running.waitForFinished(5000));
    ASSERT_TRUE(updater.waitForFinished(10000));
    EXPECT_EQ(updater.exitCode(), 0) << updater.readAllStandardError().toStdString();

    EXPECT_EQ(FilesUnder(m_programDir), Expected(m_update));
    EXPECT_FALSE(QFileInfo::exists(Folder().GetDir()));
    // The shell makes the file before it writes the line into it.
    for (int i = 0; i < 100 && QFileInfo(started).size() == 0; ++i)
        QThread::msleep(50);
    EXPECT_EQ(FilesUnder(m_root)[QStringLiteral("started")].trimmed(), m_programDir.toUtf8());
}

TEST_F(UpdateInstallerTest, AFailedInstallIsNotRetriedAtEveryStart)
{
    const QString mark = QDir(m_programDir).filePath(QStringLiteral("Updater.bin"));
    WriteTestFile(mark, "ready");
    WriteTestFile(Folder().GetFilePath(m_manifest.files[0]), "damaged");
    QProcess updater;
    updater.start(QStringLiteral(QUORVEL_UPDATER_PATH), {QStringLiteral("--program-dir"), m_programDir,
                                                          QStringLiteral("--update-dir"), Folder().GetDir(),
                                                          QStringLiteral("--ready-mark"), mark});
    ASSERT_TRUE(updater.waitForFinished(10000));
    EXPECT_EQ(updater.exitCode(), 1);
    EXPECT_FALSE(updater.readAllStandardError().isEmpty());
    FileMap left = FilesUnder(m_programDir);
    EXPECT_EQ(left, m_installed) << "the mark is gone and nothing else changed";
}

// A release made with the release tool installs through the updater: the
// tool's key, manifest and layout are what the program expects.
TEST(QuorvelRelease, PublishesAFolderThatTheUpdaterTakes)
{
    const QString root = MakeTempDir();
    const QString key = QDir(root).filePath(QStringLiteral("test.key"));
    QProcess keygen;
    keygen.start(QStringLiteral(QUORVEL_RELEASE_PATH), {QStringLiteral("keygen"), key});
    ASSERT_TRUE(keygen.waitForFinished(10000));
    ASSERT_EQ(keygen.exitCode(), 0) << keygen.readAllStandardError().toStdString();
    const QString printed = QString::fromUtf8(keygen.readAllStandardOutput());
    const QByteArray publicKey = QByteArray::fromHex(printed.section(QLatin1Char(':'), 1).trimmed().toLatin1());
    ASSERT_EQ(publicKey.size(), 32) << printed.toStdString();
    EXPECT_EQ(QFile::permissions(key) & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions());

    const QString from = QDir(root).filePath(QStringLiteral("build"));
    WriteTestFile(QDir(from).filePath(QStringLiteral("quorvel")), "program 3");
    QFile::setPermissions(QDir(from).filePath(QStringLiteral("quorvel")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    WriteTestFile(QDir(from).filePath(QStringLiteral("data/Maps/DefaultLayers.xml")), "<layers/>");
    const QString server = QDir(root).filePath(QStringLiteral("server"));
    // Folders relative to where the tool runs, as a person types them.
    QProcess publish;
    publish.setWorkingDirectory(root);
    publish.start(QStringLiteral(QUORVEL_RELEASE_PATH),
                  {QStringLiteral("publish"), QStringLiteral("--key"), key, QStringLiteral("--version"),
                   QStringLiteral("3.0.1"), QStringLiteral("--name"), QStringLiteral("Quorvel 3"),
                   QStringLiteral("--from"), QStringLiteral("build"), QStringLiteral("--to"), QStringLiteral("server")});
    ASSERT_TRUE(publish.waitForFinished(10000));
    ASSERT_EQ(publish.exitCode(), 0) << publish.readAllStandardError().toStdString();

    // Served as files: the downloader takes file addresses too.
    UpdaterParams params;
    params.appDir = QDir(root).filePath(QStringLiteral("program"));
    params.downloadDir = QDir(root).filePath(QStringLiteral("download"));
    params.cachePath = QDir(params.appDir).filePath(QStringLiteral("Updater.bin"));
    params.baseUrl = QUrl::fromLocalFile(server).toString() + QLatin1Char('/');
    params.publicKey = publicKey;
    params.currentVersion.Parse(QStringLiteral("3.0"));
    QDir().mkpath(params.appDir);
    Updater updater(params);
    std::atomic<int> lastEvent{-1};
    updater.SetEventCallback([&lastEvent](int event) { lastEvent = event; });
    updater.AsyncCheckUpdates();
    for (int i = 0; i < 200 && lastEvent < 0; ++i)
        QThread::msleep(20);
    ASSERT_EQ(lastEvent, Updater::CheckFinished);
    ASSERT_TRUE(updater.IsUpdateAvailable());
    lastEvent = -1;
    updater.AsyncDownloadUpdates();
    for (int i = 0; i < 200 && lastEvent != Updater::DownloadFinished && lastEvent != Updater::DownloadStopped; ++i)
        QThread::msleep(20);
    ASSERT_EQ(lastEvent, Updater::DownloadFinished);
    ASSERT_TRUE(updater.CopyUpdateInfo());
    EXPECT_TRUE(updater.IsReadyToInstallUpdates());

    const UpdateFolder folder(params.downloadDir);
    const std::optional<UpdateManifest> manifest = folder.ReadManifest();
    ASSERT_TRUE(manifest);
    UpdateInstaller installer(params.appDir, folder, QDir(params.appDir).filePath(QStringLiteral(".quorvel-backup")));
    ASSERT_TRUE(installer.Install(*manifest)) << installer.GetError().toStdString();
    EXPECT_EQ(FilesUnder(params.appDir),
              (FileMap{{QStringLiteral("Updater.bin"), FilesUnder(params.appDir)[QStringLiteral("Updater.bin")]},
                       {QStringLiteral("quorvel"), "program 3"},
                       {QStringLiteral("data/Maps/DefaultLayers.xml"), "<layers/>"}}));
    EXPECT_TRUE(QFileInfo(QDir(params.appDir).filePath(QStringLiteral("quorvel"))).isExecutable());
}
