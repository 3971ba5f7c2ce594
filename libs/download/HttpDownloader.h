#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <atomic>
#include <cstddef>
#include <functional>
#include <map>

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
    static constexpr int StallTimeoutMs = 30000;
    // Download holds at most this much in memory, counted after decoding: a
    // map tile is some kilobytes, and a server or file that sends more
    // (an endless answer, a small packed body that unpacks to gigabytes)
    // fails instead of filling the memory.
    static constexpr long long MaxBodyBytes = 8LL * 1024 * 1024;
    // GetStatus when no answer came: no connection, a time-out, an abort.
    static constexpr int NoAnswer = 0;
    static constexpr int StatusNotFound = 404;

    // "Quorvel/<version>": tile servers ask clients to name themselves.
    static QString GetUserAgent();

    // While the flag is set a running download stops at its next progress
    // report: closing the map must not wait for a slow server.
    void SetAbortFlag(const std::atomic<bool>* abort) { m_abort = abort; }
    // Extra lines ("If-None-Match: \"abc\"") sent with every later request.
    void SetRequestHeaders(QList<QByteArray> lines) { m_requestHeaders = std::move(lines); }

    // The body of the answer into bytes. timeoutMs limits the whole transfer
    // (and the connection to at most DefaultConnectTimeoutMs); a negative
    // value, such as -1, uses the defaults. False for no connection, an HTTP
    // status of 400 or more, a time-out, an unreadable file, a body larger
    // than MaxBodyBytes or an abort; bytes are then empty and GetError tells
    // why.
    bool Download(const QString& url, ByteArray& bytes, int timeoutMs);

    // Takes each piece of the body as it arrives; false stops the transfer
    // (a body larger than promised, a full disk).
    using BodySink = std::function<bool(const char* data, size_t size)>;
    // The body piece by piece, for answers too large to hold (update files).
    // timeoutMs as above, 0 for no limit on the whole transfer; either way a
    // transfer that stalls for StallTimeoutMs fails. A failure after some
    // pieces were taken is still a failure: the caller drops what it got.
    bool DownloadTo(const QString& url, const BodySink& sink, int timeoutMs);

    // A file URL names only a regular file (no FIFO, no device), and an
    // https URL is redirected only to https.

    const QString& GetError() const { return m_error; }
    // The status of the last request's final answer (after redirects), also
    // when the transfer failed: a caller tells "not there" (404) from "try
    // later" (429, 5xx, NoAnswer). A file URL gives 200 when read and 404
    // when the file is missing.
    int GetStatus() const { return m_status; }
    // A header of that final answer by its name in lower case ("etag"),
    // empty when it had none.
    QByteArray GetResponseHeader(const QByteArray& lowerName) const;

private:
    // maxBytes < 0: no limit.
    bool Transfer(const QString& url, const BodySink& sink, int timeoutMs, long long maxBytes);
    bool ReadFileUrl(const QString& url, const BodySink& sink, long long maxBytes);

    const std::atomic<bool>* m_abort = nullptr;
    QList<QByteArray> m_requestHeaders;
    QString m_error;
    int m_status = NoAnswer;
    std::map<QByteArray, QByteArray> m_responseHeaders;
};
