#include "FitBuilder.h"

#include <cmath>

namespace {

// The checksum as the format's description gives it, bit by bit (the
// decoder under test works a nibble at a time from a table).
uint16_t Crc(const QByteArray& bytes)
{
    uint16_t crc = 0;
    for (const char c : bytes) {
        crc ^= static_cast<unsigned char>(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? static_cast<uint16_t>((crc >> 1) ^ 0xA001) : static_cast<uint16_t>(crc >> 1);
    }
    return crc;
}

void AppendInteger(QByteArray& bytes, uint64_t value, int size, bool bigEndian)
{
    for (int i = 0; i < size; ++i) {
        const int shift = 8 * (bigEndian ? size - 1 - i : i);
        bytes.append(static_cast<char>((value >> shift) & 0xFF));
    }
}

} // namespace

int64_t FitBuilder::Semicircles(double degrees)
{
    return std::llround(degrees * 2147483648.0 / 180.0);
}

void FitBuilder::Define(int localType, int globalNumber, const std::vector<Field>& fields, bool bigEndian,
                        const std::vector<uint8_t>& developerFieldSizes)
{
    const bool developer = !developerFieldSizes.empty();
    m_messages.append(static_cast<char>(0x40 | (developer ? 0x20 : 0) | localType));
    m_messages.append('\0');
    m_messages.append(static_cast<char>(bigEndian ? 1 : 0));
    AppendInteger(m_messages, static_cast<uint64_t>(globalNumber), 2, bigEndian);
    m_messages.append(static_cast<char>(fields.size()));
    for (const Field& field : fields) {
        m_messages.append(static_cast<char>(field.number));
        m_messages.append(static_cast<char>(field.size));
        m_messages.append(static_cast<char>(field.type));
    }
    if (developer) {
        m_messages.append(static_cast<char>(developerFieldSizes.size()));
        for (size_t i = 0; i < developerFieldSizes.size(); ++i) {
            m_messages.append(static_cast<char>(i));
            m_messages.append(static_cast<char>(developerFieldSizes[i]));
            m_messages.append('\0');
        }
    }
    m_definitions[localType] = {fields, bigEndian};
}

void FitBuilder::Data(int localType, const std::vector<int64_t>& values, const QByteArray& developerBytes)
{
    m_messages.append(static_cast<char>(localType));
    AppendValues(m_definitions.at(localType), values);
    m_messages.append(developerBytes);
}

void FitBuilder::CompressedData(int localType, int timeOffset, const std::vector<int64_t>& values)
{
    m_messages.append(static_cast<char>(0x80 | localType << 5 | timeOffset));
    AppendValues(m_definitions.at(localType), values);
}

void FitBuilder::AppendValues(const Definition& definition, const std::vector<int64_t>& values)
{
    for (size_t i = 0; i < definition.fields.size(); ++i)
        AppendInteger(m_messages, static_cast<uint64_t>(values.at(i)), definition.fields[i].size, definition.bigEndian);
}

QByteArray FitBuilder::File(Header header) const
{
    const bool longHeader = header != Header::Short;
    QByteArray file;
    file.append(static_cast<char>(longHeader ? 14 : 12));
    file.append(static_cast<char>(0x20)); // protocol 2.0
    AppendInteger(file, 2132, 2, false);  // profile 21.32
    AppendInteger(file, static_cast<uint64_t>(m_messages.size()), 4, false);
    file.append(".FIT");
    if (longHeader)
        AppendInteger(file, header == Header::WithChecksum ? Crc(file) : 0, 2, false);
    file.append(m_messages);
    AppendInteger(file, Crc(file), 2, false);
    return file;
}
