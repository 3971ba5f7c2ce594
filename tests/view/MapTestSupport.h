#pragma once

#include "LoopbackHttpServer.h"
#include "TileDiskCache.h"
#include "TileRetryTable.h"

#include <QByteArray>
#include <QColor>
#include <QString>
#include <QUrl>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>

// Helpers of the map tile tests: files to fetch (loopback sockets and
// servers to fetch from are in the support library).

inline QString FileUrl(const QString& path)
{
    return QUrl::fromLocalFile(path).toString();
}

// The MBTiles file that scripts/make-test-mbtiles.py wrote: zoom 0 to 2,
// each tile a solid TestTileColour, without the tile at zoom 2, column 3,
// row 0.
inline QString TestMbTilesPath()
{
    return QStringLiteral(QUORVEL_TEST_MAPS_DIR "/test-tiles.mbtiles");
}

inline QRgb TestTileColour(int zoom, int x, int y)
{
    return qRgb(10 + 80 * zoom, 10 + 60 * x, 10 + 60 * y);
}

// A clock for the retry delays and the disk cache's expiry that moves only
// when the test moves it.
class ManualClock
{
public:
    TileRetryTable::Clock Get() const
    {
        return [seconds = m_seconds] { return TileRetryTable::TimePoint() + std::chrono::seconds(seconds->load()); };
    }
    TileDiskCache::Clock GetSeconds() const
    {
        return [seconds = m_seconds] { return int64_t(seconds->load()); };
    }
    int64_t Now() const { return *m_seconds; }
    void Advance(std::chrono::seconds by) { *m_seconds += by.count(); }

private:
    std::shared_ptr<std::atomic<int64_t>> m_seconds = std::make_shared<std::atomic<int64_t>>(1000);
};
