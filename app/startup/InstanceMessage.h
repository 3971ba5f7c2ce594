#pragma once

#include <QByteArray>
#include <QString>

// What a later start sends the running instance over its socket: an id
// that tells a command-line hand-over from whatever else might connect,
// then the command line (CommandLine::Join), in QDataStream form.
class InstanceMessage
{
public:
    static constexpr quint32 kId = 78945;

    static QByteArray Encode(const QString& commandLine);
    // False for a message of another kind, cut short or damaged.
    static bool Decode(const QByteArray& message, QString& commandLine);
};
