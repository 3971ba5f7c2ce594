#include "DiskStamp.h"

#include <QFileInfo>

DiskStamp DiskStamp::Of(const QString& path)
{
    const QFileInfo file(path);
    if (path.isEmpty() || !file.exists())
        return {};
    return {file.lastModified(), file.size()};
}
