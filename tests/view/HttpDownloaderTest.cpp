#include "ByteArray.h"
#include "HttpDownloader.h"
#include "MapTestSupport.h"
#include "TestSupport.h"

#include <QDir>

#include <gtest/gtest.h>

#include <poll.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>

namespace {

// A web server on the loopback that answers by path: "/tile" with a body,
// "/moved" with a redirect to "/tile", "/slow" only after two seconds,
// anything else with 404. It keeps the headers of the last request.
class LocalServer
{
public:
    static constexpr const char* Body = "tile bytes";

    LocalServer()
        : m_thread([this] { Serve(); })
    {
    }
    ~LocalServer()
    {
        m_stop = true;
        m_thread.join();
    }
    LocalServer(const LocalServer&) = delete;
    LocalServer& operator=(const LocalServer&) = delete;

    QString Url(const char* path) const { return m_listener.Url(path); }
    std::string LastRequest()
    {
        const std::lock_guard lock(m_mutex);
        return m_lastRequest;
    }

private:
    void Serve()
    {
        while (!m_stop) {
            pollfd waiting{m_listener.GetSocket(), POLLIN, 0};
            if (poll(&waiting, 1, 50) <= 0)
                continue;
            const int client = accept(m_listener.GetSocket(), nullptr, nullptr);
            if (client < 0)
                continue;
            // A client that never finishes its request must not hold the
            // server, and with it the test's end, for ever.
            const timeval limit{5, 0};
            setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof(limit));
            std::string request;
            char buffer[1024];
            while (request.find("\r\n\r\n") == std::string::npos) {
                const ssize_t got = recv(client, buffer, sizeof(buffer), 0);
                if (got <= 0)
                    break;
                request.append(buffer, static_cast<size_t>(got));
            }
            {
                const std::lock_guard lock(m_mutex);
                m_lastRequest = request;
            }
            const std::string answer = Answer(request);
            send(client, answer.data(), answer.size(), MSG_NOSIGNAL);
            close(client);
        }
    }

    std::string Answer(const std::string& request) const
    {
        const std::string tile =
            std::string("HTTP/1.1 200 OK\r\nContent-Length: 10\r\nConnection: close\r\n\r\n") + Body;
        const auto starts = [&request](const char* line) { return request.rfind(line, 0) == 0; };
        if (starts("GET /tile "))
            return tile;
        if (starts("GET /moved "))
            return "HTTP/1.1 302 Found\r\nLocation: /tile\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
        if (starts("GET /slow ")) {
            for (int i = 0; i < 40 && !m_stop; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            return tile;
        }
        return "HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\nConnection: close\r\n\r\nNot found";
    }

    LoopbackListener m_listener;
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    std::string m_lastRequest;
    std::thread m_thread;
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
    EXPECT_EQ(Text(bytes), LocalServer::Body);
    EXPECT_NE(server.LastRequest().find("\r\nUser-Agent: Quorvel/"), std::string::npos) << server.LastRequest();
    EXPECT_TRUE(HttpDownloader::GetUserAgent().startsWith(QStringLiteral("Quorvel/")));
}

TEST(HttpDownloader, FollowsRedirects)
{
    LocalServer server;
    HttpDownloader downloader;
    ByteArray bytes;
    ASSERT_TRUE(downloader.Download(server.Url("/moved"), bytes, -1)) << downloader.GetError().toStdString();
    EXPECT_EQ(Text(bytes), LocalServer::Body);
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
    EXPECT_FALSE(downloader.Download(FileUrl(path + QStringLiteral(".gone")), bytes, -1));
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
