#include "SaveTarget.h"

#include <QFile>

#include <sys/stat.h>

QString SaveTarget::Problem(const QString& fileName)
{
    struct stat info = {};
    if (::stat(QFile::encodeName(fileName).constData(), &info) != 0 || S_ISREG(info.st_mode))
        return QString();
    return QStringLiteral("%1 is not a regular file but a folder, a device or a pipe, and is left as it is; "
                          "choose another name")
        .arg(fileName);
}
