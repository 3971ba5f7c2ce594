#pragma once

#include <QString>

#include <atomic>

class ByteArray;

// Fetches one URL into memory, blocking the calling thread (map tiles are
// fetched on worker threads). http, https and file URLs are taken, so an
// offline tile folder is read the same way as a tile server.
class HttpDownloader
{
public:
    // Limits used when the caller gives no time-out of its own.
    static constexpr int DefaultConnectTimeoutMs = 10000;
    static constexpr int DefaultTotalTimeoutMs = 30000;
    static constexpr int MaxRedirects = 5;

    // "Quorvel/<version>": tile servers ask clients to name themselves.
    static QString GetUserAgent();

    // While the flag is set a running download stops at its next progress
    // report: closing the map must not wait for a slow server.
    void SetAbortFlag(const std::atomic<bool>* abort) { m_abort = abort; }

    // The body of the answer into bytes. timeoutMs limits the whole transfer
    // (and the connection to at most DefaultConnectTimeoutMs); a negative
    // value, such as -1, uses the defaults. False for no connection, an HTTP
    // status of 400 or more, a time-out, an unreadable file or an abort;
    // bytes are then empty and GetError tells why.
    bool Download(const QString& url, ByteArray& bytes, int timeoutMs);

    const QString& GetError() const { return m_error; }

private:
    const std::atomic<bool>* m_abort = nullptr;
    QString m_error;
};
