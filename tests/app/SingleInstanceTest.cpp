#include "InstanceMessage.h"
#include "InstanceSocketFolder.h"
#include "SingleInstance.h"
#include "TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// A socket of the test's own, so that a running program never answers.
QString UniqueName()
{
    return QDir(MakeTempDir()).filePath(QStringLiteral("instance"));
}

unsigned Me()
{
    return static_cast<unsigned>(::getuid());
}

// A fresh folder with the given mode.
QString FolderWithMode(mode_t mode)
{
    const QString path = QDir(MakeTempDir()).filePath(QStringLiteral("run"));
    EXPECT_EQ(::mkdir(QFile::encodeName(path).constData(), mode), 0);
    EXPECT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0) << "past the umask";
    return path;
}

mode_t ModeOf(const QString& path)
{
    struct stat info = {};
    EXPECT_EQ(::lstat(QFile::encodeName(path).constData(), &info), 0);
    return info.st_mode & 07777;
}

// Runs the event loop until pred holds or a second has passed.
template <class Pred>
bool WaitFor(Pred pred)
{
    QElapsedTimer timer;
    timer.start();
    while (!pred() && timer.elapsed() < 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return pred();
}

} // namespace

TEST(SingleInstanceName, PathLowerCasedWithSeparatorsReplacedAndUserAppended)
{
    EXPECT_EQ(SingleInstance::ServerName(QStringLiteral("/opt/Quorvel/bin/Quorvel"), 1000),
              QStringLiteral("-opt-quorvel-bin-quorvel-1000"));
    EXPECT_EQ(SingleInstance::ServerName(QStringLiteral("C:\\Prog\\Q.exe"), 5), QStringLiteral("c:-prog-q.exe-5"));
}

TEST(SingleInstanceName, CopiesAndUsersGetTheirOwnNames)
{
    const QString a = SingleInstance::ServerName(QStringLiteral("/opt/a/quorvel"), 1000);
    EXPECT_NE(a, SingleInstance::ServerName(QStringLiteral("/opt/b/quorvel"), 1000));
    EXPECT_NE(a, SingleInstance::ServerName(QStringLiteral("/opt/a/quorvel"), 1001));
}

TEST(SingleInstanceName, DeepPathsStayShortAndDistinct)
{
    const QString deep = QStringLiteral("/very/deep").repeated(20);
    const QString a = SingleInstance::ServerName(QStringLiteral("/a") + deep + QStringLiteral("/quorvel"), 1000);
    const QString b = SingleInstance::ServerName(QStringLiteral("/b") + deep + QStringLiteral("/quorvel"), 1000);
    EXPECT_LE(a.size(), 80);
    EXPECT_NE(a, b);
    // The tail keeps the program and the user readable.
    EXPECT_TRUE(a.endsWith(QStringLiteral("-quorvel-1000"))) << qPrintable(a);
}

TEST(SingleInstanceHandOver, NobodyListeningMeansNoHandOver)
{
    SingleInstance instance(UniqueName());
    EXPECT_FALSE(instance.HandOver(QStringLiteral("a.gpx")));
}

TEST(SingleInstanceHandOver, TheRunningInstanceReceivesTheCommandLine)
{
    const QString name = UniqueName();
    SingleInstance first(name);
    ASSERT_TRUE(first.Listen());
    QStringList received;
    first.SetReceiver([&](const QString& line) { received.append(line); });

    SingleInstance second(name);
    const QString line = QStringLiteral("\"/tmp/x y.gpx\" \"b.tcx\"");
    EXPECT_TRUE(second.HandOver(line));
    ASSERT_TRUE(WaitFor([&] { return !received.isEmpty(); }));
    EXPECT_EQ(received, QStringList{line});
}

TEST(SingleInstanceHandOver, ASenderOfMoreThanACommandLineIsCutOffAndTheNextOneHeard)
{
    const QString name = UniqueName();
    SingleInstance first(name);
    ASSERT_TRUE(first.Listen());
    QStringList received;
    first.SetReceiver([&](const QString& line) { received.append(line); });

    // A well-formed message, only too long, from a sender that never closes.
    QLocalSocket flood;
    flood.connectToServer(name);
    ASSERT_TRUE(flood.waitForConnected(1000));
    flood.write(InstanceMessage::Encode(QString(InstanceMessage::kMaxBytes / 2, QLatin1Char('a'))));
    EXPECT_TRUE(WaitFor([&] { return flood.state() == QLocalSocket::UnconnectedState; }))
        << "still connected with " << flood.bytesToWrite() << " bytes to write";

    SingleInstance second(name);
    EXPECT_TRUE(second.HandOver(QStringLiteral("\"b.gpx\"")));
    ASSERT_TRUE(WaitFor([&] { return !received.isEmpty(); }));
    EXPECT_EQ(received, QStringList{QStringLiteral("\"b.gpx\"")});
}

TEST(InstanceSocketFolder, ThePrivateRuntimeFolderIsUsed)
{
    const QString runtime = FolderWithMode(0700);
    const InstanceSocketFolder::Result found = InstanceSocketFolder::Find(runtime, MakeTempDir(), Me());
    EXPECT_EQ(found.path, runtime);
    EXPECT_TRUE(found.problem.isEmpty());
}

TEST(InstanceSocketFolder, WithoutRuntimeFolderOneOfOursIsMadeForNobodyElse)
{
    const QString temp = MakeTempDir();
    ASSERT_EQ(::chmod(QFile::encodeName(temp).constData(), 01777), 0) << "like /tmp";
    const InstanceSocketFolder::Result made = InstanceSocketFolder::Find(QString(), temp, Me());
    EXPECT_EQ(made.path, QDir(temp).filePath(QStringLiteral("quorvel-%1").arg(Me())));
    EXPECT_EQ(ModeOf(made.path), 0700u);
    // The next start finds it again.
    EXPECT_EQ(InstanceSocketFolder::Find(QString(), temp, Me()).path, made.path);
}

TEST(InstanceSocketFolder, FoldersOthersCouldUseAreRefusedWithTheReason)
{
    const QString temp = MakeTempDir();
    const QString ours = QDir(temp).filePath(QStringLiteral("quorvel-%1").arg(Me()));
    // Left by someone else before we came: a link to a folder they control.
    const QString theirs = FolderWithMode(0700);
    ASSERT_TRUE(QFile::link(theirs, ours));
    const InstanceSocketFolder::Result linked = InstanceSocketFolder::Find(QString(), temp, Me());
    EXPECT_TRUE(linked.path.isEmpty());
    EXPECT_TRUE(linked.problem.contains(QStringLiteral("not a folder"))) << qPrintable(linked.problem);

    const InstanceSocketFolder::Result open = InstanceSocketFolder::Find(FolderWithMode(0755), temp, Me());
    EXPECT_TRUE(open.path.isEmpty());
    EXPECT_TRUE(open.problem.contains(QStringLiteral("other users have access"))) << qPrintable(open.problem);

    const InstanceSocketFolder::Result foreign = InstanceSocketFolder::Find(FolderWithMode(0700), temp, Me() + 1);
    EXPECT_TRUE(foreign.path.isEmpty());
    EXPECT_TRUE(foreign.problem.contains(QStringLiteral("another user"))) << qPrintable(foreign.problem);

    const QString file = WriteTestFile(QDir(MakeTempDir()).filePath(QStringLiteral("file")), "x");
    EXPECT_TRUE(InstanceSocketFolder::Find(file, temp, Me()).path.isEmpty());
}
