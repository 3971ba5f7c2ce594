#include "LoopbackHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>

namespace {

std::string ReasonOf(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 302:
        return "Found";
    case 304:
        return "Not Modified";
    case 404:
        return "Not Found";
    case 429:
        return "Too Many Requests";
    case 503:
        return "Service Unavailable";
    default:
        return "Status";
    }
}

// "GET /path HTTP/1.1" gives "/path".
std::string PathOf(const std::string& request)
{
    const size_t start = request.find(' ');
    const size_t end = start == std::string::npos ? start : request.find(' ', start + 1);
    return end == std::string::npos ? std::string() : request.substr(start + 1, end - start - 1);
}

} // namespace

LoopbackHttpServer::Route LoopbackHttpServer::Route::RedirectTo(std::string location)
{
    Route route({}, 302);
    route.location = std::move(location);
    return route;
}

LoopbackHttpServer::Route LoopbackHttpServer::Route::Delayed(int ms) const
{
    Route route = *this;
    route.delayMs = ms;
    return route;
}

LoopbackHttpServer::Route LoopbackHttpServer::Route::CutAfter(qsizetype bytes) const
{
    Route route = *this;
    route.cutAfter = bytes;
    return route;
}

LoopbackHttpServer::Route LoopbackHttpServer::Route::Endless() const
{
    Route route = *this;
    route.endless = true;
    return route;
}

LoopbackHttpServer::Route LoopbackHttpServer::Route::WithHeader(std::string line) const
{
    Route route = *this;
    route.headers.push_back(std::move(line));
    return route;
}

LoopbackHttpServer::Route LoopbackHttpServer::Route::WithETag(std::string tag) const
{
    Route route = *this;
    route.etag = std::move(tag);
    return route;
}

LoopbackListener::LoopbackListener()
    : m_socket(socket(AF_INET, SOCK_STREAM, 0))
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    if (bind(m_socket, reinterpret_cast<sockaddr*>(&address), length) == 0 && listen(m_socket, 64) == 0 &&
        getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        m_port = ntohs(address.sin_port);
}

LoopbackListener::~LoopbackListener()
{
    close(m_socket);
}

QString LoopbackListener::Url(const std::string& path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(QString::fromStdString(path));
}

LoopbackHttpServer::LoopbackHttpServer()
    : m_thread([this] { Serve(); })
{
}

LoopbackHttpServer::~LoopbackHttpServer()
{
    m_stop = true;
    m_thread.join();
}

void LoopbackHttpServer::SetRoute(const std::string& path, Route route)
{
    const std::lock_guard lock(m_mutex);
    m_routes[path] = std::move(route);
}

void LoopbackHttpServer::RemoveRoute(const std::string& path)
{
    const std::lock_guard lock(m_mutex);
    m_routes.erase(path);
}

std::string LoopbackHttpServer::GetLastRequest() const
{
    const std::lock_guard lock(m_mutex);
    return m_lastRequest;
}

std::string LoopbackHttpServer::GetLastRequest(const std::string& path) const
{
    const std::lock_guard lock(m_mutex);
    const auto found = m_lastRequests.find(path);
    return found == m_lastRequests.end() ? std::string() : found->second;
}

int LoopbackHttpServer::GetRequestCount(const std::string& path) const
{
    const std::lock_guard lock(m_mutex);
    const auto found = m_requests.find(path);
    return found == m_requests.end() ? 0 : found->second;
}

int LoopbackHttpServer::GetRequestCount() const
{
    const std::lock_guard lock(m_mutex);
    int count = 0;
    for (const auto& [path, requests] : m_requests)
        count += requests;
    return count;
}

void LoopbackHttpServer::Serve()
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
        Answer(client, request);
        close(client);
    }
}

void LoopbackHttpServer::Answer(int client, const std::string& request)
{
    const std::string path = PathOf(request);
    Route route;
    {
        const std::lock_guard lock(m_mutex);
        m_lastRequest = request;
        m_lastRequests[path] = request;
        ++m_requests[path];
        const auto found = m_routes.find(path);
        if (found != m_routes.end())
            route = found->second;
        else
            route = Route(QByteArray("Not found"), 404);
    }
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(route.delayMs);
    while (!m_stop && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (!route.etag.empty()) {
        if (request.find("\r\nIf-None-Match: " + route.etag + "\r\n") != std::string::npos) {
            route.status = 304;
            route.body.clear();
        }
        route.headers.push_back("ETag: " + route.etag);
    }
    std::string answer = "HTTP/1.1 " + std::to_string(route.status) + " " + ReasonOf(route.status) + "\r\n";
    if (!route.location.empty())
        answer += "Location: " + route.location + "\r\n";
    for (const std::string& line : route.headers)
        answer += line + "\r\n";
    if (route.endless) {
        answer += "Connection: close\r\n\r\n";
        bool sent = send(client, answer.data(), answer.size(), MSG_NOSIGNAL) > 0;
        while (sent && !m_stop && !route.body.isEmpty())
            sent = send(client, route.body.constData(), size_t(route.body.size()), MSG_NOSIGNAL) > 0;
        return;
    }
    answer += "Content-Length: " + std::to_string(route.body.size()) + "\r\nConnection: close\r\n\r\n";
    const qsizetype bodyBytes = route.cutAfter < 0 ? route.body.size() : std::min(route.cutAfter, route.body.size());
    answer.append(route.body.constData(), size_t(bodyBytes));
    send(client, answer.data(), answer.size(), MSG_NOSIGNAL);
}
