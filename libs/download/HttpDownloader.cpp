#include "HttpDownloader.h"

#include "ByteArray.h"
#include "LocalFileRead.h"

#include <QUrl>

#include <curl/curl.h>

#include <algorithm>
#include <memory>
#include <mutex>

namespace {

// curl_global_init is not safe to run beside other threads using curl, so
// it runs once before the first transfer; the process keeps it to the end.
void InitCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

size_t PassBody(char* data, size_t size, size_t count, void* sink)
{
    const size_t bytes = size * count;
    // Anything but the full count makes curl stop with a write error.
    return (*static_cast<const HttpDownloader::BodySink*>(sink))(data, bytes) ? bytes : 0;
}

// Header lines of every answer arrive here, those of a redirect first: a
// status line starts the headers of the next answer.
size_t TakeHeader(char* data, size_t size, size_t count, void* headers)
{
    auto& map = *static_cast<std::map<QByteArray, QByteArray>*>(headers);
    const size_t bytes = size * count;
    const QByteArray line = QByteArray(data, static_cast<qsizetype>(bytes)).trimmed();
    const qsizetype colon = line.indexOf(':');
    if (line.startsWith("HTTP/"))
        map.clear();
    else if (colon > 0)
        map[line.left(colon).trimmed().toLower()] = line.mid(colon + 1).trimmed();
    return bytes;
}

int CheckAbort(void* abort, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    const auto* flag = static_cast<const std::atomic<bool>*>(abort);
    return flag && flag->load() ? 1 : 0;
}

struct EasyDeleter
{
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};

struct ListDeleter
{
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

} // namespace

QString HttpDownloader::GetUserAgent()
{
    return QStringLiteral("Quorvel/") + QStringLiteral(QUORVEL_VERSION);
}

QByteArray HttpDownloader::GetResponseHeader(const QByteArray& lowerName) const
{
    const auto found = m_responseHeaders.find(lowerName);
    return found == m_responseHeaders.end() ? QByteArray() : found->second;
}

bool HttpDownloader::Download(const QString& url, ByteArray& bytes, int timeoutMs)
{
    bytes.Clear();
    const bool done = Transfer(
        url,
        [&bytes](const char* data, size_t size) {
            bytes.Append(data, size);
            return true;
        },
        timeoutMs, MaxBodyBytes);
    if (!done)
        bytes.Clear();
    return done;
}

bool HttpDownloader::DownloadTo(const QString& url, const BodySink& sink, int timeoutMs)
{
    return Transfer(url, sink, timeoutMs, -1);
}

bool HttpDownloader::ReadFileUrl(const QString& url, const BodySink& sink, long long maxBytes)
{
    LocalFileRead read;
    const LocalFileRead::Result result = read.Run(QUrl(url).toLocalFile(), sink, maxBytes, m_abort);
    m_status = result == LocalFileRead::Read ? 200 : result == LocalFileRead::Missing ? StatusNotFound : NoAnswer;
    m_error = read.GetError();
    return result == LocalFileRead::Read;
}

bool HttpDownloader::Transfer(const QString& url, const BodySink& sink, int timeoutMs, long long maxBytes)
{
    m_error.clear();
    m_status = NoAnswer;
    m_responseHeaders.clear();
    long long taken = 0;
    bool tooLarge = false;
    // Counts what the sink is given, which is the body after decoding.
    const BodySink counted = [&](const char* data, size_t size) {
        taken += static_cast<long long>(size);
        if (maxBytes >= 0 && taken > maxBytes) {
            tooLarge = true;
            return false;
        }
        return sink(data, size);
    };
    if (url.startsWith(QStringLiteral("file:"), Qt::CaseInsensitive)) {
        const bool read = ReadFileUrl(url, counted, maxBytes);
        if (tooLarge)
            m_error = QStringLiteral("The file is larger than %1 bytes.").arg(maxBytes);
        return read;
    }
    InitCurlOnce();
    // Declared before the handle, which writes into it until cleaned up.
    char errorText[CURL_ERROR_SIZE] = {};
    const std::unique_ptr<CURL, EasyDeleter> curl(curl_easy_init());
    if (!curl) {
        m_error = QStringLiteral("The transfer library could not be started.");
        return false;
    }
    const int totalMs = timeoutMs < 0 ? DefaultTotalTimeoutMs : timeoutMs;
    const int connectMs = totalMs > 0 ? std::min(totalMs, DefaultConnectTimeoutMs) : DefaultConnectTimeoutMs;
    const QByteArray urlText = url.toUtf8();
    const QByteArray userAgent = GetUserAgent().toUtf8();
    std::unique_ptr<curl_slist, ListDeleter> requestHeaders;
    for (const QByteArray& line : m_requestHeaders)
        requestHeaders.reset(curl_slist_append(requestHeaders.release(), line.constData()));
    CURL* handle = curl.get();
    curl_easy_setopt(handle, CURLOPT_HTTPHEADER, requestHeaders.get());
    curl_easy_setopt(handle, CURLOPT_HEADERFUNCTION, &TakeHeader);
    curl_easy_setopt(handle, CURLOPT_HEADERDATA, &m_responseHeaders);
    curl_easy_setopt(handle, CURLOPT_URL, urlText.constData());
    curl_easy_setopt(handle, CURLOPT_USERAGENT, userAgent.constData());
    curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, errorText);
    // Layer files come from users: a template may name only the web
    // schemes (file URLs are read above), a server may redirect only to
    // them, and a secure one only to a secure one.
    const bool secure = url.startsWith(QStringLiteral("https:"), Qt::CaseInsensitive);
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, secure ? "https" : "http,https");
    if (maxBytes >= 0)
        curl_easy_setopt(handle, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(maxBytes));
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(handle, CURLOPT_MAXREDIRS, long(MaxRedirects));
    // An error page is not a tile.
    curl_easy_setopt(handle, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(handle, CURLOPT_ACCEPT_ENCODING, "");
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, long(connectMs));
    curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, long(totalMs));
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_TIME, long(StallTimeoutMs / 1000));
    // Time-outs by signal do not work on worker threads.
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &PassBody);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, const_cast<void*>(static_cast<const void*>(&counted)));
    curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, &CheckAbort);
    curl_easy_setopt(handle, CURLOPT_XFERINFODATA, const_cast<void*>(static_cast<const void*>(m_abort)));
    const CURLcode result = curl_easy_perform(handle);
    long status = NoAnswer;
    curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
    m_status = static_cast<int>(status);
    if (result == CURLE_OK)
        return true;
    if (tooLarge || result == CURLE_FILESIZE_EXCEEDED)
        m_error = QStringLiteral("The answer is larger than %1 bytes.").arg(maxBytes);
    else
        m_error = QString::fromUtf8(*errorText ? errorText : curl_easy_strerror(result));
    return false;
}
