#pragma once

#include <QByteArray>

#include <cstdint>
#include <map>
#include <vector>

// Writes small FIT files for tests, byte by byte as the format lays them
// out: the header, definition messages in either byte order (with
// developer fields if asked), data messages with normal or compressed
// timestamp headers, and both checksums. It knows nothing of the decoder.
class FitBuilder
{
public:
    enum BaseType : uint8_t {
        Enum = 0x00,
        Sint8 = 0x01,
        Uint8 = 0x02,
        Sint16 = 0x83,
        Uint16 = 0x84,
        Sint32 = 0x85,
        Uint32 = 0x86,
    };
    struct Field
    {
        uint8_t number;
        uint8_t size;
        BaseType type;
    };

    // Degrees as the semicircles FIT stores.
    static int64_t Semicircles(double degrees);

    void Define(int localType, int globalNumber, const std::vector<Field>& fields, bool bigEndian = false,
                const std::vector<uint8_t>& developerFieldSizes = {});
    // One value per field of the local type's definition; the developer
    // fields' bytes, if any, follow as given.
    void Data(int localType, const std::vector<int64_t>& values, const QByteArray& developerBytes = {});
    // The same with a compressed timestamp header (local types 0 to 3).
    void CompressedData(int localType, int timeOffset, const std::vector<int64_t>& values);

    enum class Header {
        WithChecksum, // 14 bytes
        ChecksumZero, // 14 bytes, the checksum left 0 as some writers do
        Short,        // the 12 bytes of early writers
    };
    // The whole file: the header, the messages, the file checksum.
    QByteArray File(Header header = Header::WithChecksum) const;

private:
    struct Definition
    {
        std::vector<Field> fields;
        bool bigEndian = false;
    };
    void AppendValues(const Definition& definition, const std::vector<int64_t>& values);

    QByteArray m_messages;
    std::map<int, Definition> m_definitions;
};
