#pragma once

#include <QIODevice>

// Reads a sequential device (a pipe, a character device) through to a
// loader, but no more than a given number of bytes: such devices report no
// size to check beforehand, and some never end. Past the cap reading fails,
// and Exceeded tells why.
class CappedDevice : public QIODevice
{
public:
    CappedDevice(QIODevice& source, qint64 maxBytes);

    bool isSequential() const override { return true; }
    bool Exceeded() const { return m_exceeded; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 maxSize) override;

private:
    QIODevice& m_source;
    qint64 m_left;
    bool m_exceeded = false;
};
