#pragma once

#include <QIODevice>

#include <algorithm>

// How many bytes to ask the device for next: a whole chunk, or less when the
// device knows that less is left, so a small file needs no large buffer.
inline qint64 ReadChunkBytes(const QIODevice& device, qint64 chunkBytes)
{
    if (device.isSequential())
        return chunkBytes;
    const qint64 left = device.size() - device.pos();
    return std::clamp<qint64>(left, 1, chunkBytes);
}
