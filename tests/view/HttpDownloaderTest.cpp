#include "HttpDownloader.h"
#include "ByteArray.h"
#include "MapTestSupport.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include <sys/stat.h>

namespace {

constexpr const char* kBody = "tile bytes";

// "/tile" with a body, "/moved" redirecting to it, "/slow" answering only
// after two seconds; anything else is 404.
class LocalServer : public LoopbackHttpServer
{
public:
    LocalServer()
    {
        SetRoute("/tile", Route(kBody));
        SetRoute("/moved", Route::RedirectTo("/tile"));
        SetRoute("/slow", Route(kBody).Delayed(2000));
        SetRoute("/busy", Route("try later", 503));
        SetRoute("/tagged", Route(kBody).WithETag("\"v1\"").WithHeader("Cache-Control: max-age=600"));
    }
};

std::string Text(const ByteArray& bytes)
{
    return bytes.IsEmpty() ? std::string() : std::string(reinterpret_cast<const char*>(bytes.Addr()), bytes.Size());
}

} // namespace

TEST(HttpDownloader, FetchesTheBodyAndNamesTheProgram)
{
    LocalServer server;
    HttpDownloader downloader;
    ByteArray bytes;
    ASSERT_TRUE(downloader.Download(server.Url("/tile"), bytes, -1)) << downloader.GetError().toStdString();
    EXPECT_EQ(Text(bytes), kBody);
    EXPECT_NE(server.GetLastRequest().find("\r\nUser-Agent: Quorvel/"), std::string::npos) << server.GetLastRequest();
    EXPECT_TRUE(HttpDownloader::GetUserAgent().startsWith(QStringLiteral("Quorvel/")));
}

TEST(HttpDownloader, FollowsRedirects)
{
    LocalServer server;
    HttpDownloader downloader;
    ByteArray bytes;
    ASSERT_TRUE(downloader.Download(server.Url("/moved"), bytes, -1)) << downloader.GetError().toStdString();
    EXPECT_EQ(Text(bytes), kBody);
}

TEST(HttpDownloader, AnErrorStatusIsAFailureWithoutBytes)
{
    LocalServer server;
    HttpDownloader downloader;
    ByteArray bytes("stale", 5);
    EXPECT_FALSE(downloader.Download(server.Url("/nothing"), bytes, -1));
    EXPECT_TRUE(bytes.IsEmpty());
    EXPECT_TRUE(downloader.GetError().contains(QStringLiteral("404"))) << downloader.GetError().toStdString();
}

TEST(HttpDownloader, TellsTheStatusOfTheAnswerOrThatThereWasNone)
{
    LocalServer server;
    HttpDownloader downloader;
    ByteArray bytes;
    EXPECT_TRUE(downloader.Download(server.Url("/moved"), bytes, -1));
    EXPECT_EQ(downloader.GetStatus(), 200);
    EXPECT_FALSE(downloader.Download(server.Url("/nothing"), bytes, -1));
    EXPECT_EQ(downloader.GetStatus(), HttpDownloader::StatusNotFound);
    EXPECT_FALSE(downloader.Download(server.Url("/busy"), bytes, -1));
    EXPECT_EQ(downloader.GetStatus(), 503);
    EXPECT_FALSE(downloader.Download(server.Url("/slow"), bytes, 300));
    EXPECT_EQ(downloader.GetStatus(), HttpDownloader::NoAnswer);
}

TEST(HttpDownloader, SendsTheCallersHeadersAndKeepsThoseOfTheAnswer)
{
    LocalServer server;
    HttpDownloader downloader;
    ByteArray bytes;
    ASSERT_TRUE(downloader.Download(server.Url("/tagged"), bytes, -1));
    EXPECT_EQ(downloader.GetResponseHeader("etag"), QByteArray("\"v1\""));
    EXPECT_EQ(downloader.GetResponseHeader("cache-control"), QByteArray("max-age=600"));
    EXPECT_TRUE(downloader.GetResponseHeader("expires").isEmpty());

    downloader.SetRequestHeaders({QByteArray("If-None-Match: \"v1\"")});
    ASSERT_TRUE(downloader.Download(server.Url("/tagged"), bytes, -1));
    EXPECT_EQ(downloader.GetStatus(), 304);
    EXPECT_TRUE(bytes.IsEmpty());
    // Those of a redirect do not stay.
    ASSERT_TRUE(downloader.Download(server.Url("/moved"), bytes, -1));
    EXPECT_TRUE(downloader.GetResponseHeader("location").isEmpty());
}

TEST(HttpDownloader, GivesUpAfterItsTimeOut)
{
    LocalServer server;
    HttpDownloader downloader;
    ByteArray bytes;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(downloader.Download(server.Url("/slow"), bytes, 300));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1500));
    EXPECT_TRUE(bytes.IsEmpty());
}

TEST(HttpDownloader, ReadsFileUrlsAndFailsOnMissingFiles)
{
    const QString path = QDir(MakeTempDir()).filePath(QStringLiteral("0.png"));
    WriteTestFile(path, "local");
    HttpDownloader downloader;
    ByteArray bytes;
    ASSERT_TRUE(downloader.Download(FileUrl(path), bytes, -1));
    EXPECT_EQ(Text(bytes), "local");
    EXPECT_EQ(downloader.GetStatus(), 200);
    EXPECT_FALSE(downloader.Download(FileUrl(path + QStringLiteral(".gone")), bytes, -1));
    EXPECT_EQ(downloader.GetStatus(), HttpDownloader::StatusNotFound);
    EXPECT_TRUE(bytes.IsEmpty());
    EXPECT_FALSE(downloader.GetError().isEmpty());
}

TEST(HttpDownloader, OnlyWebAndFileUrlsAreTaken)
{
    HttpDownloader downloader;
    ByteArray bytes;
    EXPECT_FALSE(downloader.Download(QStringLiteral("ftp://127.0.0.1/tile.png"), bytes, 1000));
    EXPECT_FALSE(downloader.GetError().isEmpty());
}

namespace {

constexpr long long Cap = HttpDownloader::MaxBodyBytes;

// A body of zeros packed with deflate, as a server sends it with
// "Content-Encoding: deflate" (a zlib stream; qCompress puts the unpacked
// size in front of one).
QByteArray Deflated(long long unpackedBytes)
{
    return qCompress(QByteArray(static_cast<qsizetype>(unpackedBytes), '\0'), 9).mid(4);
}

bool IsTooLargeError(const QString& error)
{
    return error.contains(QStringLiteral("larger than %1 bytes").arg(Cap));
}

} // namespace

TEST(HttpDownloaderLimits, AnswersUpToTheCapArriveWhole)
{
    LoopbackHttpServer server;
    server.SetRoute("/full", LoopbackHttpServer::Route(QByteArray(static_cast<qsizetype>(Cap), 'x')));
    server.SetRoute("/packed", LoopbackHttpServer::Route(Deflated(Cap / 2)).WithHeader("Content-Encoding: deflate"));
    HttpDownloader downloader;
    ByteArray bytes;
    ASSERT_TRUE(downloader.Download(server.Url("/full"), bytes, -1)) << qPrintable(downloader.GetError());
    EXPECT_EQ(static_cast<long long>(bytes.Size()), Cap);
    ASSERT_TRUE(downloader.Download(server.Url("/packed"), bytes, -1)) << qPrintable(downloader.GetError());
    EXPECT_EQ(static_cast<long long>(bytes.Size()), Cap / 2) << "unpacked on the way";
}

TEST(HttpDownloaderLimits, LargerEndlessOrUnpackingAnswersFailAtTheCap)
{
    LoopbackHttpServer server;
    server.SetRoute("/large", LoopbackHttpServer::Route(QByteArray(static_cast<qsizetype>(Cap + 1), 'x')));
    server.SetRoute("/endless", LoopbackHttpServer::Route(QByteArray(64 * 1024, 'x')).Endless());
    // Some ten kilobytes on the wire, a hundred megabytes unpacked.
    server.SetRoute("/bomb", LoopbackHttpServer::Route(Deflated(100LL * 1024 * 1024))
                                 .WithHeader("Content-Encoding: deflate"));
    for (const char* path : {"/large", "/endless", "/bomb"}) {
        SCOPED_TRACE(path);
        HttpDownloader downloader;
        ByteArray bytes;
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(downloader.Download(server.Url(path), bytes, 20000));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
        EXPECT_TRUE(bytes.IsEmpty());
        EXPECT_TRUE(IsTooLargeError(downloader.GetError())) << qPrintable(downloader.GetError());
    }
}

TEST(HttpDownloaderLimits, FileUrlsReadOnlyRegularFilesUpToTheCap)
{
    const QDir dir(MakeTempDir());
    const QString fifo = dir.filePath(QStringLiteral("fifo.png"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString large = dir.filePath(QStringLiteral("large.png"));
    {
        QFile file(large);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(Cap + 1));
    }
    for (const QString& path : {QStringLiteral("/dev/zero"), fifo, large}) {
        SCOPED_TRACE(path.toStdString());
        HttpDownloader downloader;
        ByteArray bytes;
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(downloader.Download(FileUrl(path), bytes, -1));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
        EXPECT_TRUE(bytes.IsEmpty());
        EXPECT_NE(downloader.GetStatus(), 200);
        EXPECT_FALSE(downloader.GetError().isEmpty());
    }

    // Update files are no tiles: taken piece by piece, they have no cap.
    HttpDownloader downloader;
    long long taken = 0;
    EXPECT_TRUE(downloader.DownloadTo(
        FileUrl(large),
        [&](const char*, size_t size) {
            taken += static_cast<long long>(size);
            return true;
        },
        -1));
    EXPECT_EQ(taken, Cap + 1);
    EXPECT_FALSE(downloader.DownloadTo(FileUrl(fifo), [](const char*, size_t) { return true; }, -1));
}
