#pragma once

#include <QByteArray>

#include <cstdint>

// How long a downloaded tile may be shown without asking the server again,
// from the headers of its answer: Cache-Control's max-age first, then
// Expires, else DefaultLifetime (tile servers ask clients to keep tiles at
// least a week when they say nothing). Times are seconds since 1970 (UTC).
struct TileFreshness
{
    static constexpr int64_t DefaultLifetime = 7 * 24 * 3600;

    // no-store: the tile must not be written to the disk.
    bool storable = true;
    int64_t expires = 0;

    static TileFreshness FromHeaders(const QByteArray& cacheControl, const QByteArray& expiresHeader, int64_t now);
};
