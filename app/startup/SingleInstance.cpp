#include "SingleInstance.h"

#include "Dir.h"
#include "InstanceMessage.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace {

constexpr int kConnectTimeoutMs = 1000;
// The socket's path, folder and name, must fit in sockaddr_un (108 bytes).
constexpr qsizetype kMaxNameLength = 80;

} // namespace

QString SingleInstance::ServerName(const QString& programPath, unsigned userId)
{
    QString name = programPath.toLower();
    name.replace(QLatin1Char('/'), QLatin1Char('-')).replace(QLatin1Char('\\'), QLatin1Char('-'));
    name += QLatin1Char('-') + QString::number(userId);
    if (name.size() > kMaxNameLength) {
        // Keep the readable tail and let a hash of the whole tell deep paths apart.
        const QByteArray hash = QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Md5).toHex();
        name = QString::fromLatin1(hash) + name.right(kMaxNameLength - hash.size());
    }
    return name;
}

QString SingleInstance::OwnServerName()
{
    return ServerName(Dir::GetAppFilePath(), static_cast<unsigned>(::getuid()));
}

SingleInstance::SingleInstance(QString socketPath)
    : m_name(std::move(socketPath))
{
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::HandOver(const QString& commandLine)
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return false;
    socket.write(InstanceMessage::Encode(commandLine));
    if (!socket.waitForBytesWritten(kConnectTimeoutMs))
        return false;
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(kConnectTimeoutMs);
    return true;
}

bool SingleInstance::Listen()
{
    m_server = std::make_unique<QLocalServer>();
    // Only this user may hand files to this instance.
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_name)) {
        // A socket left behind by a crashed instance: nobody answered on it.
        QLocalServer::removeServer(m_name);
        if (!m_server->listen(m_name))
            return false;
    }
    QObject::connect(m_server.get(), &QLocalServer::newConnection, m_server.get(), [this] { OnConnection(); });
    return true;
}

void SingleInstance::OnConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        if (socket->state() != QLocalSocket::ConnectedState) {
            OnMessage(socket);
            socket->deleteLater();
            continue;
        }
        // Whoever sends more than a command line is cut off before the
        // bytes pile up; the whole message is read once the sender has
        // closed its end.
        QObject::connect(socket, &QLocalSocket::readyRead, socket, [socket] {
            if (socket->bytesAvailable() > InstanceMessage::kMaxBytes)
                socket->abort();
        });
        QObject::connect(socket, &QLocalSocket::disconnected, socket, [this, socket] {
            OnMessage(socket);
            socket->deleteLater();
        });
    }
}

void SingleInstance::OnMessage(QLocalSocket* socket)
{
    QString commandLine;
    if (InstanceMessage::Decode(socket->readAll(), commandLine) && m_receiver)
        m_receiver(commandLine);
}
