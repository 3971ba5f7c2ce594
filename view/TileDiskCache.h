#pragma once

#include "ByteArray.h"
#include "MapTile.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>

// A tile on the disk with what its server said about it.
struct StoredTile
{
    ByteArray bytes;
    // Seconds since 1970 (UTC) from which the server must be asked again.
    int64_t expires = 0;
    QByteArray etag;
    QByteArray lastModified;
};

// Downloaded tiles kept between runs, one file per tile under the root
// folder ("<layer>/<z>/<x>/<y>.tile"), bounded in total size: a write that
// passes the limit removes the least recently used files (by their time of
// change, which a read moves on) until a tenth of the limit is free.
//
// A file holds a short text header (expiry, ETag, Last-Modified, body size)
// and then the tile. It is written under a temporary name and renamed into
// place: a reader, on another thread or in a second instance of the
// program, sees the whole old file or the whole new one, and a crash leaves
// at most a temporary file, which the next run removes. A file whose length
// disagrees with its header (a disk that lost the end of it) is removed and
// counts as missing. Safe for use from several threads.
class TileDiskCache
{
public:
    // Seconds since 1970 (UTC).
    using Clock = std::function<int64_t()>;
    static constexpr int64_t DefaultLimit = int64_t(1) << 30;
    static constexpr const char* TileSuffix = ".tile";
    static constexpr const char* TempSuffix = ".part";

    // A layer's folder: its guid, of which only letters, digits, "-" and "_"
    // are kept, as a layer file may say anything there.
    static QString FolderOf(const QString& layerGuid);
    // A tile's name in its layer's folder: "<folder>/<z>/<x>/<y>".
    static QString TileName(const QString& folder, const MapTile& tile);

    // The clock is the system's unless a test brings its own.
    TileDiskCache(QString root, int64_t limitBytes, Clock clock = {});

    // None when the tile is not there or its file is damaged. Marks the
    // tile as just used.
    std::optional<StoredTile> Read(const QString& name);
    // Adds or replaces the tile; false when it could not be written.
    bool Write(const QString& name, const StoredTile& tile);

    bool IsFresh(const StoredTile& tile) const { return Now() < tile.expires; }
    int64_t Now() const { return m_clock(); }
    // The size of the tile files as last counted, with this program's
    // writes since then.
    int64_t GetTotalSize();
    const QString& GetRoot() const { return m_root; }

private:
    QString PathOf(const QString& name) const;
    // On first use rather than at start: the count reads the whole folder.
    void CountOnce();
    void SetUsed(const QString& path) const;
    // Under m_lock. The kept file stays whatever its age.
    void Evict(const QString& kept);

    QString m_root;
    int64_t m_limit;
    Clock m_clock;
    std::once_flag m_counted;
    std::mutex m_lock;
    int64_t m_total = 0;
};
