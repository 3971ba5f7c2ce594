#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

// Helpers of the map tile tests: files to fetch, and a socket to fetch from.

inline QString FileUrl(const QString& path)
{
    return QUrl::fromLocalFile(path).toString();
}

// A TCP socket listening on a free port of the loopback. Connections queue
// up (the system completes them) until someone accepts them.
class LoopbackListener
{
public:
    LoopbackListener()
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
    ~LoopbackListener() { close(m_socket); }
    LoopbackListener(const LoopbackListener&) = delete;
    LoopbackListener& operator=(const LoopbackListener&) = delete;

    int GetSocket() const { return m_socket; }
    QString Url(const char* path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(QLatin1String(path));
    }

private:
    int m_socket;
    int m_port = 0;
};
