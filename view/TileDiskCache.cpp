#include "TileDiskCache.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

namespace {

constexpr char Magic[] = "QuorvelTile 1\n";

// Process-wide, as two caches may share a folder.
std::atomic<uint64_t> tempNumber{0};

QByteArray Header(const StoredTile& tile)
{
    return QByteArray(Magic) + "expires=" + QByteArray::number(static_cast<qlonglong>(tile.expires)) +
        "\netag=" + tile.etag + "\nmodified=" + tile.lastModified +
        "\nsize=" + QByteArray::number(static_cast<qulonglong>(tile.bytes.Size())) + "\n\n";
}

std::optional<StoredTile> Parse(const QByteArray& file)
{
    const qsizetype end = file.indexOf("\n\n");
    if (!file.startsWith(Magic) || end < 0)
        return std::nullopt;
    StoredTile tile;
    qsizetype size = -1;
    for (const QByteArray& line : file.mid(sizeof(Magic) - 1, end - qsizetype(sizeof(Magic) - 1)).split('\n')) {
        const qsizetype equals = line.indexOf('=');
        const QByteArray key = line.left(equals);
        const QByteArray value = line.mid(equals + 1);
        if (key == "expires")
            tile.expires = value.toLongLong();
        else if (key == "etag")
            tile.etag = value;
        else if (key == "modified")
            tile.lastModified = value;
        else if (key == "size")
            size = value.toLongLong();
    }
    const qsizetype body = end + 2;
    if (size <= 0 || file.size() - body != size)
        return std::nullopt;
    tile.bytes.Assign(file.constData() + body, static_cast<size_t>(size));
    return tile;
}

} // namespace

QString TileDiskCache::FolderOf(const QString& layerGuid)
{
    QString folder;
    for (const QChar c : layerGuid)
        if ((c.isLetterOrNumber() && c.unicode() < 128) || c == u'-' || c == u'_')
            folder += c;
    return folder;
}

QString TileDiskCache::TileName(const QString& folder, const MapTile& tile)
{
    return QStringLiteral("%1/%2/%3/%4").arg(folder).arg(tile.zoom).arg(tile.x).arg(tile.y);
}

TileDiskCache::TileDiskCache(QString root, int64_t limitBytes, Clock clock)
    : m_root(QDir::cleanPath(root))
    , m_limit(limitBytes)
    , m_clock(clock ? std::move(clock) : Clock([] {
        return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
            .count();
    }))
{
}

QString TileDiskCache::PathOf(const QString& name) const
{
    return m_root + QLatin1Char('/') + name + QLatin1String(TileSuffix);
}

std::optional<StoredTile> TileDiskCache::Read(const QString& name)
{
    CountOnce();
    const QString path = PathOf(name);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    std::optional<StoredTile> tile = Parse(file.readAll());
    file.close();
    if (!tile) {
        QFile::remove(path);
        return std::nullopt;
    }
    SetUsed(path);
    return tile;
}

bool TileDiskCache::Write(const QString& name, const StoredTile& tile)
{
    CountOnce();
    const QString path = PathOf(name);
    const int64_t oldSize = QFileInfo(path).size();
    // Unique among the threads and the instances of the program.
    const QString temp = path + QStringLiteral(".%1-%2").arg(getpid()).arg(++tempNumber) + QLatin1String(TempSuffix);
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    QFile file(temp);
    const QByteArray header = Header(tile);
    const auto body = reinterpret_cast<const char*>(tile.bytes.Addr());
    const qint64 bodySize = static_cast<qint64>(tile.bytes.Size());
    const bool written = file.open(QIODevice::WriteOnly) && file.write(header) == header.size() &&
        file.write(body, bodySize) == bodySize && file.flush();
    file.close();
    // The rename is the commit: until it, no reader can see the file.
    if (!written || std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(path).constData()) != 0) {
        QFile::remove(temp);
        return false;
    }
    SetUsed(path);
    const std::lock_guard lock(m_lock);
    m_total += header.size() + bodySize - oldSize;
    if (m_total > m_limit)
        Evict(path);
    return true;
}

int64_t TileDiskCache::GetTotalSize()
{
    CountOnce();
    const std::lock_guard lock(m_lock);
    return m_total;
}

void TileDiskCache::CountOnce()
{
    std::call_once(m_counted, [this] {
        int64_t total = 0;
        QDirIterator files(m_root, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QFileInfo info(files.next());
            // Left by a crash, or by a second instance that is writing it
            // now: that one's rename then fails and it only misses a tile.
            if (info.fileName().endsWith(QLatin1String(TempSuffix)))
                QFile::remove(info.filePath());
            else if (info.fileName().endsWith(QLatin1String(TileSuffix)))
                total += info.size();
        }
        const std::lock_guard lock(m_lock);
        m_total = total;
    });
}

void TileDiskCache::SetUsed(const QString& path) const
{
    const auto used = std::chrono::file_clock::from_sys(std::chrono::sys_seconds(std::chrono::seconds(Now())));
    // A file removed meanwhile by another instance needs no time.
    std::error_code ignored;
    std::filesystem::last_write_time(QFile::encodeName(path).toStdString(), used, ignored);
}

void TileDiskCache::Evict(const QString& kept)
{
    struct Entry
    {
        int64_t used;
        int64_t size;
        QString path;
    };
    // Counted again: a second instance may have added files.
    std::vector<Entry> entries;
    int64_t total = 0;
    QDirIterator files(m_root, {QStringLiteral("*") + QLatin1String(TileSuffix)}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QFileInfo info(files.next());
        entries.push_back({info.lastModified().toSecsSinceEpoch(), info.size(), info.filePath()});
        total += info.size();
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.used < b.used; });
    const int64_t target = m_limit - m_limit / 10;
    for (const Entry& entry : entries) {
        if (total <= target)
            break;
        // Times are in seconds: the tile just written may share its second
        // with older ones.
        if (entry.path != kept && QFile::remove(entry.path))
            total -= entry.size;
    }
    m_total = total;
}
