#include "LocalFileRead.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr size_t PieceBytes = 64 * 1024;

struct FileCloser
{
    int fd;
    ~FileCloser() { ::close(fd); }
};

QString SystemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

LocalFileRead::Result LocalFileRead::Run(const QString& path, const Sink& sink, long long maxBytes,
                                         const std::atomic<bool>* abort)
{
    m_error.clear();
    // Non-blocking, so that opening a FIFO does not wait for a writer; the
    // check of what was opened follows on the same descriptor.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        m_error = path + QStringLiteral(": ") + SystemError(error);
        return error == ENOENT || error == ENOTDIR ? Missing : Failed;
    }
    const FileCloser closer{fd};
    struct stat info = {};
    if (::fstat(fd, &info) != 0) {
        m_error = path + QStringLiteral(": ") + SystemError(errno);
        return Failed;
    }
    if (!S_ISREG(info.st_mode)) {
        m_error = path + QStringLiteral(": not a regular file");
        return Refused;
    }
    if (maxBytes >= 0 && info.st_size > maxBytes) {
        m_error = path + QStringLiteral(": larger than %1 bytes").arg(maxBytes);
        return Refused;
    }
    std::string piece(PieceBytes, '\0');
    while (true) {
        if (abort && abort->load()) {
            m_error = QStringLiteral("Aborted.");
            return Aborted;
        }
        const ssize_t got = ::read(fd, piece.data(), piece.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            m_error = path + QStringLiteral(": ") + SystemError(errno);
            return Failed;
        }
        if (got == 0)
            return Read;
        if (!sink(piece.data(), static_cast<size_t>(got))) {
            m_error = path + QStringLiteral(": not taken whole");
            return Failed;
        }
    }
}
