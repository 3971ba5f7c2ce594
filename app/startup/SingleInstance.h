#pragma once

#include <QString>

#include <functional>
#include <memory>

class QLocalServer;
class QLocalSocket;

// One running instance per program file and user. The first instance
// listens on a local socket named after its own path and the user, in a
// folder only the user can reach (InstanceSocketFolder); a later start hands
// its command line over the socket and ends.
class SingleInstance
{
public:
    // The program's path in lower case with every path separator made "-",
    // then "-" and the user id.
    static QString ServerName(const QString& programPath, unsigned userId);
    // ServerName of this process.
    static QString OwnServerName();

    // socketPath: the socket's full path, a ServerName inside the folder.
    explicit SingleInstance(QString socketPath);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Sends the command line to a running instance; false when none answers.
    bool HandOver(const QString& commandLine);
    // Becomes the running instance; false when the name cannot be taken.
    bool Listen();
    // Called on the user-interface thread with every command line received.
    void SetReceiver(std::function<void(const QString&)> receiver) { m_receiver = std::move(receiver); }

private:
    void OnConnection();
    void OnMessage(QLocalSocket* socket);

    QString m_name;
    std::unique_ptr<QLocalServer> m_server;
    std::function<void(const QString&)> m_receiver;
};
