#include "WholeDeviceRead.h"

#include "LoadContext.h"
#include "ReadChunk.h"

namespace {

constexpr qint64 ChunkBytes = 1 << 20;

} // namespace

bool ReadWholeDevice(QIODevice& device, LoadContext& context, QByteArray& bytes)
{
    bytes.clear();
    if (!device.isSequential())
        bytes.reserve(device.size() - device.pos());
    for (;;) {
        const QByteArray chunk = device.read(ReadChunkBytes(device, ChunkBytes));
        if (chunk.isEmpty())
            return true;
        bytes += chunk;
        if (!context.ReportBytes(bytes.size()))
            return false;
    }
}
