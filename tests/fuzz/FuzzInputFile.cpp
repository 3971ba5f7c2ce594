#include "FuzzInputFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

QString FuzzInputFile(const uint8_t* data, size_t size, const QString& suffix)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("input") + suffix);
    QFile file(path);
    if (!folder.isValid() || !file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) != static_cast<qint64>(size))
        std::abort();
    return path;
}
