#include "TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include <memory>

// Starts the real program twice: a later start hands its files to the
// running one and ends, as long as both are the same program file.
namespace {

class Instance
{
public:
    // runtimeDir holds the single-instance socket, so that a program the
    // user is running never answers the test's instances.
    Instance(const QString& program, const QStringList& args, const QString& configDir, const QString& runtimeDir,
             const QString& workingDir = QString())
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), configDir);
        env.insert(QStringLiteral("XDG_DATA_HOME"), configDir);
        // A test run never asks the update server.
        WriteTestFile(QDir(configDir).filePath(QStringLiteral("Orbelin/Quorvel.conf")),
                      "[Settings]\nUpdate\\AutoCheck=false\n");
        env.insert(QStringLiteral("QUORVEL_ECHO_FILES"), QStringLiteral("1"));
        env.remove(QStringLiteral("QUORVEL_SCREENSHOT"));
        m_process.setProcessEnvironment(env);
        if (!workingDir.isEmpty())
            m_process.setWorkingDirectory(workingDir);
        m_process.start(program, QStringList{QStringLiteral("-s640x480")} + args);
    }

    ~Instance()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    // Waits until the program has printed every line wanted.
    bool WaitForLines(const QStringList& wanted, int timeoutMs = 15000)
    {
        QElapsedTimer timer;
        timer.start();
        while (true) {
            m_output += QString::fromUtf8(m_process.readAllStandardOutput());
            bool all = true;
            for (const QString& line : wanted)
                all = all && m_output.split(QLatin1Char('\n')).contains(line);
            if (all)
                return true;
            if (timer.elapsed() > timeoutMs || m_process.state() == QProcess::NotRunning)
                return false;
            m_process.waitForReadyRead(100);
        }
    }

    QProcess& Process() { return m_process; }
    const QString& Output() const { return m_output; }

private:
    QProcess m_process;
    QString m_output;
};

const QString kProgram = QStringLiteral(QUORVEL_PROGRAM);

} // namespace

TEST(TwoInstances, SecondHandsItsFilesToTheFirstAndEnds)
{
    const QString config = MakeTempDir();
    const QString runtime = MakeTempDir();
    Instance first(kProgram, {QStringLiteral("first.gpx")}, config, runtime);
    ASSERT_TRUE(first.WaitForLines({QStringLiteral("open first.gpx")})) << qPrintable(first.Output());

    // The second starts elsewhere: its relative names mean files there.
    const QString elsewhere = MakeTempDir();
    Instance second(kProgram, {QStringLiteral("/tmp/with space.gpx"), QStringLiteral("b.tcx")}, config, runtime,
                    elsewhere);
    ASSERT_TRUE(second.Process().waitForFinished(10000));
    EXPECT_EQ(second.Process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.Process().exitCode(), 0);
    // The second never opened anything itself.
    EXPECT_TRUE(second.Process().readAllStandardOutput().isEmpty());

    EXPECT_TRUE(first.WaitForLines({QStringLiteral("open /tmp/with space.gpx"),
                                    QStringLiteral("open ") + QDir(elsewhere).filePath(QStringLiteral("b.tcx"))}))
        << qPrintable(first.Output());
    EXPECT_EQ(first.Process().state(), QProcess::Running);
}

TEST(TwoInstances, CopiesInOtherFoldersRunSideBySide)
{
    const QString config = MakeTempDir();
    const QString runtime = MakeTempDir();
    const QString copy = QDir(MakeTempDir()).filePath(QStringLiteral("quorvel"));
    ASSERT_TRUE(QFile::copy(kProgram, copy));
    QFile::setPermissions(copy, QFile::permissions(kProgram));

    Instance first(kProgram, {QStringLiteral("one.gpx")}, config, runtime);
    ASSERT_TRUE(first.WaitForLines({QStringLiteral("open one.gpx")})) << qPrintable(first.Output());
    Instance other(copy, {QStringLiteral("two.gpx")}, config, runtime);
    EXPECT_TRUE(other.WaitForLines({QStringLiteral("open two.gpx")})) << qPrintable(other.Output());
    EXPECT_EQ(other.Process().state(), QProcess::Running);
    EXPECT_FALSE(first.Output().contains(QStringLiteral("two.gpx")));
}

TEST(TwoInstances, WithoutASafeSocketFolderEachRunsAloneAndSaysSo)
{
    const QString config = MakeTempDir();
    const QString open = MakeTempDir();
    ASSERT_TRUE(QFile::setPermissions(open, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther
                                                | QFile::ExeOther));
    Instance first(kProgram, {QStringLiteral("one.gpx")}, config, open);
    ASSERT_TRUE(first.WaitForLines({QStringLiteral("open one.gpx")})) << qPrintable(first.Output());
    Instance second(kProgram, {QStringLiteral("two.gpx")}, config, open);
    EXPECT_TRUE(second.WaitForLines({QStringLiteral("open two.gpx")})) << qPrintable(second.Output());
    EXPECT_EQ(second.Process().state(), QProcess::Running);
    const QString said = QString::fromLocal8Bit(second.Process().readAllStandardError());
    EXPECT_TRUE(said.contains(QStringLiteral("separate instance"))) << qPrintable(said);
    EXPECT_TRUE(QDir(open).isEmpty()) << "no socket was made there";
}
