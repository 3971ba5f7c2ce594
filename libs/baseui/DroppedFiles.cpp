#include "DroppedFiles.h"

#include <QMimeData>
#include <QUrl>

namespace {

constexpr int kMaxDroppedPath = 520;

} // namespace

QStringList DroppedFilePaths(const QMimeData& data)
{
    QStringList files;
    for (const QUrl& url : data.urls()) {
        const QString path = url.toLocalFile();
        if (!path.isEmpty() && path.size() <= kMaxDroppedPath)
            files.append(path);
    }
    return files;
}
