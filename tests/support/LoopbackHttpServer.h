#pragma once

#include <QByteArray>
#include <QString>

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A TCP socket listening on a free port of the loopback. Connections queue
// up (the system completes them) until someone accepts them.
class LoopbackListener
{
public:
    LoopbackListener();
    ~LoopbackListener();
    LoopbackListener(const LoopbackListener&) = delete;
    LoopbackListener& operator=(const LoopbackListener&) = delete;

    int GetSocket() const { return m_socket; }
    // "http://127.0.0.1:<port>" + path.
    QString Url(const std::string& path) const;

private:
    int m_socket;
    int m_port = 0;
};

// A web server on the loopback, on a thread of its own, answering one
// request at a time by its path from a table of routes. A path without a
// route gets 404. It keeps the last request and counts requests by path.
class LoopbackHttpServer
{
public:
    struct Route
    {
        Route(QByteArray body = {}, int status = 200)
            : body(std::move(body))
            , status(status)
        {
        }
        static Route RedirectTo(std::string location);
        Route Delayed(int ms) const;
        Route CutAfter(qsizetype bytes) const;
        Route WithHeader(std::string line) const;
        // Sends the body again and again with no length announced, until
        // the client hangs up or the server stops: an answer without end.
        Route Endless() const;
        // Sends the ETag and answers a request that names it in
        // If-None-Match with 304 and no body.
        Route WithETag(std::string tag) const;

        QByteArray body;
        int status = 200;
        // Sent as a Location header (redirects).
        std::string location;
        // The answer waits this long, in steps that end early when the
        // server stops; a long delay is a server that hangs.
        int delayMs = 0;
        // Sends only so many bytes of the body after announcing all of it,
        // then closes: a transfer cut short. Negative sends all.
        qsizetype cutAfter = -1;
        // Further header lines ("Cache-Control: max-age=60").
        std::vector<std::string> headers;
        std::string etag;
        bool endless = false;
    };

    LoopbackHttpServer();
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    void SetRoute(const std::string& path, Route route);
    void RemoveRoute(const std::string& path);
    QString Url(const std::string& path) const { return m_listener.Url(path); }

    std::string GetLastRequest() const;
    // The last request for the path; empty when none came.
    std::string GetLastRequest(const std::string& path) const;
    int GetRequestCount(const std::string& path) const;
    int GetRequestCount() const;

private:
    void Serve();
    void Answer(int client, const std::string& request);

    LoopbackListener m_listener;
    std::atomic<bool> m_stop{false};
    mutable std::mutex m_mutex;
    std::map<std::string, Route> m_routes;
    std::map<std::string, int> m_requests;
    std::string m_lastRequest;
    std::map<std::string, std::string> m_lastRequests;
    std::thread m_thread;
};
