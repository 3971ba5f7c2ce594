#include "InstanceSocketFolder.h"

#include "StringIds.h"
#include "Translator.h"

#include <QDir>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

InstanceSocketFolder::Result InstanceSocketFolder::Find(const QString& runtimeDir, const QString& tempDir,
                                                        unsigned userId)
{
    QString path = runtimeDir;
    if (path.isEmpty()) {
        path = QDir(tempDir).filePath(QStringLiteral("quorvel-") + QString::number(userId));
        // Made with no access for others from the start; an existing one is
        // checked below like any other.
        if (::mkdir(QFile::encodeName(path).constData(), S_IRWXU) != 0 && errno != EEXIST)
            return {QString(), Translator::GetInstance().LoadStr(IDS_INSTANCE_FOLDER_UNSAFE).arg(path,
                                                                  QString::fromLocal8Bit(std::strerror(errno)))};
    }
    const QString problem = CheckPrivate(path, userId);
    if (!problem.isEmpty())
        return {QString(), Translator::GetInstance().LoadStr(IDS_INSTANCE_FOLDER_UNSAFE).arg(path, problem)};
    return {path, QString()};
}

InstanceSocketFolder::Result InstanceSocketFolder::FindOwn()
{
    return Find(qEnvironmentVariable("XDG_RUNTIME_DIR"), QDir::tempPath(), static_cast<unsigned>(::getuid()));
}

QString InstanceSocketFolder::CheckPrivate(const QString& path, unsigned userId)
{
    const Translator& texts = Translator::GetInstance();
    struct stat info = {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    if (!S_ISDIR(info.st_mode))
        return texts.LoadStr(IDS_INSTANCE_FOLDER_NOT_DIR);
    if (info.st_uid != userId)
        return texts.LoadStr(IDS_INSTANCE_FOLDER_OWNER);
    if ((info.st_mode & (S_IRWXG | S_IRWXO)) != 0)
        return texts.LoadStr(IDS_INSTANCE_FOLDER_OPEN);
    return QString();
}
