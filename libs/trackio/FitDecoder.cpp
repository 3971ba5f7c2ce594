#include "FitDecoder.h"

#include "FitCrc.h"

#include <cstring>
#include <future>
#include <utility>

namespace {

constexpr size_t MinHeaderBytes = 12;
constexpr size_t HeaderCrcEnd = 14;
constexpr size_t CrcBytes = 2;
constexpr unsigned char CompressedHeaderBit = 0x80;
constexpr unsigned char DefinitionBit = 0x40;
constexpr unsigned char DeveloperFieldsBit = 0x20;
// Compressed headers carry the low five bits of the time; the rest comes
// from the last full timestamp.
constexpr uint32_t TimeOffsetMask = 0x1F;
// Files at least this large have their checksum worked out on a thread of
// its own while their messages are decoded.
constexpr size_t ChecksumBesideBytes = size_t(1) << 20;

uint16_t Read16(const unsigned char* bytes, bool bigEndian)
{
    return bigEndian ? static_cast<uint16_t>(bytes[0] << 8 | bytes[1])
                     : static_cast<uint16_t>(bytes[1] << 8 | bytes[0]);
}

uint32_t Read32Le(const unsigned char* bytes)
{
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
        static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

} // namespace

FitDecoder::FitDecoder(Handler handler)
    : m_handler(std::move(handler))
{
}

QString FitDecoder::Decode(const QByteArray& bytes)
{
    m_bytes = reinterpret_cast<const unsigned char*>(bytes.constData());
    m_size = static_cast<size_t>(bytes.size());
    m_stopped = false;
    size_t start = 0;
    // An empty buffer too must show a header.
    do {
        QString damage;
        const std::optional<size_t> end = ReadHeader(start, damage);
        if (!end)
            return damage;
        m_definitions = {};
        m_hasTimestamp = false;
        m_fileEnd = *end;
        std::future<uint16_t> checksum;
        if (*end + CrcBytes <= m_size) {
            const size_t checked = *end + CrcBytes - start;
            checksum = std::async(checked >= ChecksumBesideBytes ? std::launch::async : std::launch::deferred,
                                  [this, start, checked] { return FitCrc::Compute(m_bytes + start, checked); });
        }
        if (!ReadRecords(start + m_bytes[start], std::min(*end, m_size), damage))
            return damage;
        if (*end > m_size)
            return QStringLiteral("the file is cut off at byte %1, inside the data of the FIT file from byte %2")
                .arg(m_size)
                .arg(start);
        if (*end + CrcBytes > m_size)
            return QStringLiteral("the file is cut off before the checksum of the FIT file from byte %1").arg(start);
        if (checksum.get() != 0)
            return QStringLiteral("the checksum of the FIT file from byte %1 does not match its content").arg(start);
        start = *end + CrcBytes;
    } while (start < m_size);
    return {};
}

std::optional<size_t> FitDecoder::ReadHeader(size_t start, QString& damage)
{
    const size_t left = m_size - start;
    const unsigned char* header = m_bytes + start;
    if (left < MinHeaderBytes || header[0] < MinHeaderBytes || std::memcmp(header + 8, ".FIT", 4) != 0) {
        damage = start == 0 ? QStringLiteral("the file does not start with a FIT header")
                            : QStringLiteral("the %1 bytes from byte %2 on are not a FIT file").arg(left).arg(start);
        return std::nullopt;
    }
    if (left < header[0]) {
        damage = QStringLiteral("the file is cut off inside the FIT header at byte %1").arg(start);
        return std::nullopt;
    }
    if (header[0] >= HeaderCrcEnd) {
        // Writers that do not compute the header's checksum leave it 0.
        const uint16_t crc = Read16(header + MinHeaderBytes, false);
        if (crc != 0 && FitCrc::Compute(header, MinHeaderBytes) != crc) {
            damage = QStringLiteral("the checksum of the FIT header at byte %1 does not match").arg(start);
            return std::nullopt;
        }
    }
    return start + header[0] + Read32Le(header + 4);
}

bool FitDecoder::ReadRecords(size_t begin, size_t end, QString& damage)
{
    size_t pos = begin;
    while (pos < end) {
        const unsigned char header = m_bytes[pos++];
        bool ok = false;
        if (header & CompressedHeaderBit)
            ok = ReadData(pos, end, (header >> 5) & 0x3, true, header & TimeOffsetMask, damage);
        else if (header & DefinitionBit)
            ok = ReadDefinition(pos, end, header, damage);
        else
            ok = ReadData(pos, end, header & 0xF, false, 0, damage);
        if (!ok)
            return false;
    }
    return true;
}

bool FitDecoder::ReadDefinition(size_t& pos, size_t end, unsigned char header, QString& damage)
{
    const size_t start = pos - 1;
    // Reserved byte, byte order, global message number, field count.
    if (end - pos < 5) {
        damage = CutOff(start, end, "definition message");
        return false;
    }
    const unsigned char order = m_bytes[pos + 1];
    if (order > 1) {
        damage = QStringLiteral("the definition message at byte %1 gives an unknown byte order").arg(start);
        return false;
    }
    FitDefinition definition;
    definition.bigEndian = order == 1;
    definition.globalNumber = Read16(m_bytes + pos + 2, definition.bigEndian);
    const size_t fieldCount = m_bytes[pos + 4];
    pos += 5;
    if (end - pos < 3 * fieldCount) {
        damage = CutOff(start, end, "definition message");
        return false;
    }
    definition.fields.reserve(fieldCount);
    for (size_t i = 0; i < fieldCount; ++i, pos += 3)
        definition.AddField(m_bytes[pos], m_bytes[pos + 1], m_bytes[pos + 2]);
    if (header & DeveloperFieldsBit) {
        // Developer fields: number, size, developer index each; only their
        // sizes matter here.
        if (end - pos < 1 || end - pos - 1 < 3 * size_t(m_bytes[pos])) {
            damage = CutOff(start, end, "definition message");
            return false;
        }
        const size_t developerCount = m_bytes[pos++];
        for (size_t i = 0; i < developerCount; ++i, pos += 3)
            definition.dataBytes += m_bytes[pos + 1];
    }
    m_definitions[header & 0xF] = std::move(definition);
    return true;
}

bool FitDecoder::ReadData(size_t& pos, size_t end, int localType, bool compressed, unsigned timeOffset, QString& damage)
{
    const size_t start = pos - 1;
    const std::optional<FitDefinition>& definition = m_definitions[static_cast<size_t>(localType)];
    if (!definition) {
        damage = QStringLiteral("the data message at byte %1 is of local type %2, which has no definition")
                     .arg(start)
                     .arg(localType);
        return false;
    }
    if (end - pos < definition->dataBytes) {
        damage = CutOff(start, end, "data message");
        return false;
    }
    uint32_t timestamp = 0;
    if (compressed && m_hasTimestamp) {
        timestamp = (m_lastTimestamp & ~TimeOffsetMask) + timeOffset;
        if (timeOffset < (m_lastTimestamp & TimeOffsetMask))
            timestamp += TimeOffsetMask + 1;
    }
    const FitMessage message(*definition, m_bytes + pos, compressed && m_hasTimestamp, timestamp);
    pos += definition->dataBytes;
    uint32_t own = 0;
    if (message.GetTimestamp(own)) {
        m_lastTimestamp = own;
        m_hasTimestamp = true;
    }
    if (!m_handler(message)) {
        m_stopped = true;
        return false;
    }
    return true;
}

QString FitDecoder::CutOff(size_t start, size_t end, const char* what) const
{
    if (end == m_size && m_fileEnd > m_size)
        return QStringLiteral("the file is cut off inside the %1 at byte %2").arg(QLatin1String(what)).arg(start);
    return QStringLiteral("the %1 at byte %2 runs past the end of the FIT file's data")
        .arg(QLatin1String(what))
        .arg(start);
}
