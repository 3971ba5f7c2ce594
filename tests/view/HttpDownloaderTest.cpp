#include "HttpDownloader.h"
#include "ByteArray.h"
#include "MapTestSupport.h"
#include "TestSupport.h"

#include <QDir>

#include <gtest/gtest.h>

#include <chrono>
#include <string>

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
