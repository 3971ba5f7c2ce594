#include "WholeDeviceRead.h"

#include "LoadContext.h"
#include "PagePrefault.h"
#include "ReadChunk.h"

#include <algorithm>

namespace {

constexpr qint64 ChunkBytes = 1 << 20;

} // namespace

bool ReadWholeDevice(QIODevice& device, LoadContext& context, QByteArray& bytes)
{
    bytes.clear();
    PagePrefault prefault;
    if (!device.isSequential()) {
        bytes.reserve(device.size() - device.pos());
        prefault = PagePrefault(bytes.data(), static_cast<size_t>(bytes.capacity()));
    }
    for (;;) {
        // Read straight into the buffer: a chunk read apart and appended
        // would copy the whole file once more.
        const qsizetype had = bytes.size();
        const qint64 wanted = ReadChunkBytes(device, ChunkBytes);
        bytes.resize(had + wanted);
        const qint64 got = device.read(bytes.data() + had, wanted);
        bytes.resize(had + std::max<qint64>(got, 0));
        if (got <= 0)
            return true;
        if (!context.ReportBytes(bytes.size()))
            return false;
    }
}
