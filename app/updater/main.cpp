// quorvel-updater: started by Quorvel as it exits, with a verified update
// downloaded. Waits for the program to end, installs the update (or leaves
// the program folder as it was), and starts the program again.

#include "UpdateFolder.h"
#include "UpdateInstaller.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <thread>

namespace {

constexpr auto WaitForExit = std::chrono::seconds(120);

bool WaitForProcessEnd(qint64 pid)
{
    const auto deadline = std::chrono::steady_clock::now() + WaitForExit;
    while (pid > 0 && (kill(pid_t(pid), 0) == 0 || errno == EPERM)) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return true;
}

void Complain(const QString& text)
{
    std::fprintf(stderr, "quorvel-updater: %s\n", qPrintable(text));
}

bool Install(const QString& programDir, const QString& updateDir)
{
    const UpdateFolder update(updateDir);
    QString error;
    const std::optional<UpdateManifest> manifest = update.ReadManifest(&error);
    if (!manifest) {
        Complain(error);
        return false;
    }
    const QString backup =
        QDir(programDir).filePath(QStringLiteral(".quorvel-backup-%1").arg(QCoreApplication::applicationPid()));
    UpdateInstaller installer(programDir, update, backup);
    if (!installer.Install(*manifest)) {
        Complain(installer.GetError());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Installs a downloaded Quorvel update."));
    parser.addHelpOption();
    const QCommandLineOption waitPid(QStringLiteral("wait-pid"), QStringLiteral("Process to wait for."),
                                     QStringLiteral("pid"));
    const QCommandLineOption programDir(QStringLiteral("program-dir"), QStringLiteral("Folder to update."),
                                        QStringLiteral("folder"));
    const QCommandLineOption updateDir(QStringLiteral("update-dir"), QStringLiteral("Downloaded update."),
                                       QStringLiteral("folder"));
    const QCommandLineOption readyMark(QStringLiteral("ready-mark"),
                                       QStringLiteral("File that marks the update ready."), QStringLiteral("file"));
    const QCommandLineOption restart(QStringLiteral("restart"), QStringLiteral("Program to start afterwards."),
                                     QStringLiteral("file"));
    parser.addOptions({waitPid, programDir, updateDir, readyMark, restart});
    parser.process(app);
    if (!parser.isSet(programDir) || !parser.isSet(updateDir)) {
        Complain(QStringLiteral("--program-dir and --update-dir are needed."));
        return 2;
    }

    if (!WaitForProcessEnd(parser.value(waitPid).toLongLong())) {
        Complain(QStringLiteral("The program did not end; the update waits for the next start."));
        return 1;
    }
    const bool installed = Install(parser.value(programDir), parser.value(updateDir));
    // Installed or not, the update is not offered again at the next start:
    // a failure would otherwise repeat at every start. A later check offers
    // it again.
    if (parser.isSet(readyMark))
        QFile::remove(parser.value(readyMark));
    if (installed)
        QDir(parser.value(updateDir)).removeRecursively();
    if (parser.isSet(restart))
        QProcess::startDetached(parser.value(restart), {}, parser.value(programDir));
    return installed ? 0 : 1;
}
