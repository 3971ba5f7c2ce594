#pragma once

#include "ByteArray.h"
#include "TileDiskCache.h"

#include <QString>

#include <atomic>
#include <optional>

// One request for a tile: asks its server, or, when a copy is stored,
// whether that copy changed (If-None-Match, If-Modified-Since), and keeps
// the answer on the disk as the server allows (a "not modified" only moves
// the stored copy's expiry on). Blocking; for worker threads.
struct TileFetch
{
    // HttpDownloader's own time-outs.
    static constexpr int DefaultTimeout = -1;
    static constexpr int NotModified = 304;

    // The transfer succeeded (any answer below 400).
    bool done = false;
    // The server confirmed the stored copy.
    bool unchanged = false;
    // New bytes came.
    bool fetched = false;
    // HttpDownloader::GetStatus of the answer.
    int status = 0;
    ByteArray bytes;

    // disk may be null and diskName empty: nothing is kept then. abort stops
    // the transfer while it is set.
    static TileFetch Run(const QString& url, TileDiskCache* disk, const QString& diskName,
                         const std::optional<StoredTile>& stored, const std::atomic<bool>* abort);
};
