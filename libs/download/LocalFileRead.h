#pragma once

#include <QString>

#include <atomic>
#include <cstddef>
#include <functional>

// Reads a file named by a file URL for the downloader, piece by piece. Only
// a regular file is read: a layer template or a link in a tile folder that
// names a FIFO or a device (/dev/zero) would otherwise block the reading
// thread or never end.
class LocalFileRead
{
public:
    enum Result { Read, Missing, Refused, Failed, Aborted };

    using Sink = std::function<bool(const char* data, size_t size)>;

    // maxBytes < 0: no limit on the size; a larger file is refused before
    // any of it is read. A sink that answers false ends the read as Failed.
    Result Run(const QString& path, const Sink& sink, long long maxBytes, const std::atomic<bool>* abort);
    const QString& GetError() const { return m_error; }

private:
    QString m_error;
};
