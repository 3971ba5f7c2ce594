#include "BareFitWalk.h"

#include <QFile>

#include <array>
#include <cstdint>

namespace {

struct Layout
{
    bool bigEndian = false;
    int globalNumber = -1;
    int size = 0;
    int latitudeOffset = -1;
    int longitudeOffset = -1;
};

int32_t ReadInt32(const unsigned char* p, bool bigEndian)
{
    const uint32_t value = bigEndian ? (uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3])
                                     : (uint32_t(p[3]) << 24 | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0]);
    return static_cast<int32_t>(value);
}

} // namespace

long long BareFitWalk(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray bytes = file.readAll();
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    const size_t size = static_cast<size_t>(bytes.size());
    if (size < 12)
        return 0;
    size_t pos = data[0];
    const size_t end = std::min(size, pos + (uint32_t(data[4]) | uint32_t(data[5]) << 8 | uint32_t(data[6]) << 16 |
                                             uint32_t(data[7]) << 24));
    std::array<Layout, 16> layouts{};
    long long points = 0;
    double sum = 0;
    while (pos < end) {
        const unsigned char header = data[pos++];
        if (!(header & 0x80) && (header & 0x40)) {
            if (pos + 5 > end)
                break;
            Layout& layout = layouts[header & 0x0F];
            layout = Layout{};
            layout.bigEndian = data[pos + 1] == 1;
            layout.globalNumber = layout.bigEndian ? data[pos + 2] << 8 | data[pos + 3] : data[pos + 3] << 8 | data[pos + 2];
            const int fields = data[pos + 4];
            pos += 5;
            for (int i = 0; i < fields && pos + 3 <= end; ++i, pos += 3) {
                if (data[pos] == 0)
                    layout.latitudeOffset = layout.size;
                if (data[pos] == 1)
                    layout.longitudeOffset = layout.size;
                layout.size += data[pos + 1];
            }
            if ((header & 0x20) && pos < end) {
                const int developerFields = data[pos++];
                for (int i = 0; i < developerFields && pos + 3 <= end; ++i, pos += 3)
                    layout.size += data[pos + 1];
            }
            continue;
        }
        const Layout& layout = layouts[(header & 0x80) ? (header >> 5) & 0x03 : header & 0x0F];
        if (pos + static_cast<size_t>(layout.size) > end)
            break;
        if (layout.globalNumber == 20 && layout.latitudeOffset >= 0 && layout.longitudeOffset >= 0) {
            const int32_t latitude = ReadInt32(data + pos + layout.latitudeOffset, layout.bigEndian);
            const int32_t longitude = ReadInt32(data + pos + layout.longitudeOffset, layout.bigEndian);
            if (latitude != INT32_MAX && longitude != INT32_MAX) {
                ++points;
                sum += latitude + longitude;
            }
        }
        pos += static_cast<size_t>(layout.size);
    }
    // Keeps the reads from being optimised away.
    return sum == 0.5 ? -1 : points;
}
