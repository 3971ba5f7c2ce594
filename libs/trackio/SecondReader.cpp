#include "SecondReader.h"

#include <QBuffer>
#include <QFile>

#include <limits>
#include <thread>

std::unique_ptr<QIODevice> OpenSecondReader(const QIODevice& device)
{
    std::unique_ptr<QIODevice> second;
    if (const auto* file = qobject_cast<const QFile*>(&device)) {
        if (file->handle() >= 0)
            second = std::make_unique<QFile>(QStringLiteral("/proc/self/fd/%1").arg(file->handle()));
    } else if (const auto* buffer = qobject_cast<const QBuffer*>(&device)) {
        auto copy = std::make_unique<QBuffer>();
        copy->setData(buffer->data());
        second = std::move(copy);
    }
    if (second && !second->open(QIODevice::ReadOnly))
        second.reset();
    return second;
}

qint64 SecondThreadFromBytes()
{
    return std::thread::hardware_concurrency() > 1 ? qint64(16) << 20 : std::numeric_limits<qint64>::max();
}
