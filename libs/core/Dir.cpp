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
    return QDir(GetAppDir()).filePath(QStringLiteral("data"));
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
