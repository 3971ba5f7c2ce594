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
    // The longest message taken. The longest command line Linux starts a
    // program with by default (2 MiB) takes 4 MiB in UTF-16; twice that.
    static constexpr qsizetype kMaxBytes = 8 << 20;

    static QByteArray Encode(const QString& commandLine);
    // False for a message of another kind, cut short, damaged or too long.
    static bool Decode(const QByteArray& message, QString& commandLine);
};
