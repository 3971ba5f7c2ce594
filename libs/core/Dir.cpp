#include "Dir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString& DataDirOverride()
{
    static QString folder;
    return folder;
}

QString Slashes(QString path)
{
    return path.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

} // namespace

QString Dir::GetAppFilePath()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationFilePath();
    // Without an application object (early start, some tools) ask the kernel.
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}

QString Dir::GetAppDir()
{
    return QFileInfo(GetAppFilePath()).absolutePath();
}

QString Dir::GetDataDir()
{
    if (!DataDirOverride().isEmpty())
        return DataDirOverride();
    const QString fromEnv = qEnvironmentVariable("QUORVEL_DATA_DIR");
    if (!fromEnv.isEmpty())
        return QDir::cleanPath(fromEnv);
    return FindDataDir(GetAppDir(), QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation));
}

QString Dir::FindDataDir(const QString& appDir, const QStringList& sharedDataDirs)
{
    const QDir app(appDir);
    // The build folder links "data" beside the program; an installed copy
    // keeps it in the share folder of its own prefix, so that a copy under
    // /opt or a home folder finds its files before another one's in /usr.
    QStringList candidates{app.filePath(QStringLiteral("data")), app.filePath(QStringLiteral("../share/quorvel"))};
    for (const QString& shared : sharedDataDirs)
        candidates.append(QDir(shared).filePath(QStringLiteral("quorvel")));
    for (const QString& candidate : candidates) {
        if (QFileInfo(candidate).isDir())
            return QDir::cleanPath(candidate);
    }
    return QDir::cleanPath(candidates.front());
}

void Dir::SetDataDir(const QString& folder)
{
    DataDirOverride() = folder.isEmpty() ? QString() : QDir::cleanPath(folder);
}

QString Dir::GetDataFilePath(const QString& relativeName)
{
    return QDir(GetDataDir()).filePath(Slashes(relativeName));
}

QString Dir::GetAbsFileName(const QString& relative, const QString& base)
{
    const QString path = Slashes(relative);
    if (QDir::isAbsolutePath(path))
        return QDir::cleanPath(path);
    return QDir::cleanPath(QDir(Slashes(base)).absoluteFilePath(path));
}

QString Dir::GetLocalAppDataDir()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QDir().mkpath(folder);
    return folder;
}
