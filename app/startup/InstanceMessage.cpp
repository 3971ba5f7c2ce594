#include "InstanceMessage.h"

#include <QDataStream>
#include <QIODevice>

QByteArray InstanceMessage::Encode(const QString& commandLine)
{
    QByteArray block;
    QDataStream out(&block, QIODevice::WriteOnly);
    out << kId << commandLine;
    return block;
}

bool InstanceMessage::Decode(const QByteArray& message, QString& commandLine)
{
    if (message.size() > kMaxBytes)
        return false;
    QDataStream in(message);
    quint32 id = 0;
    QString text;
    in >> id >> text;
    if (in.status() != QDataStream::Ok || id != kId)
        return false;
    commandLine = std::move(text);
    return true;
}
