#include "SameFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

bool IsSameFile(const QString& a, const QString& b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    if (QDir::cleanPath(QFileInfo(a).absoluteFilePath()) == QDir::cleanPath(QFileInfo(b).absoluteFilePath()))
        return true;
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    if (canonicalA.isEmpty())
        return false;
    if (canonicalA == QFileInfo(b).canonicalFilePath())
        return true;
    struct stat infoA = {}, infoB = {};
    return ::stat(QFile::encodeName(a).constData(), &infoA) == 0
        && ::stat(QFile::encodeName(b).constData(), &infoB) == 0 && infoA.st_dev == infoB.st_dev
        && infoA.st_ino == infoB.st_ino;
}
