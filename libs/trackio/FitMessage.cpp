#include "FitMessage.h"

#include <iterator>

namespace {

struct BaseType
{
    uint8_t bytes; // 0: not an integer read here
    bool isSigned;
    uint32_t invalid;
};

// By the base type's number (its low five bits).
constexpr BaseType kBaseTypes[] = {
    {1, false, 0xFF},       // enum
    {1, true, 0x7F},        // sint8
    {1, false, 0xFF},       // uint8
    {2, true, 0x7FFF},      // sint16
    {2, false, 0xFFFF},     // uint16
    {4, true, 0x7FFFFFFF},  // sint32
    {4, false, 0xFFFFFFFF}, // uint32
    {0, false, 0},          // string
    {0, false, 0},          // float32
    {0, false, 0},          // float64
    {1, false, 0},          // uint8z
    {2, false, 0},          // uint16z
    {4, false, 0},          // uint32z
    {1, false, 0xFF},       // byte
};

} // namespace

bool FitMessage::GetInteger(int fieldNumber, int64_t& value) const
{
    for (const FitDefinition::Field& field : m_definition.fields) {
        if (field.number != fieldNumber)
            continue;
        const unsigned typeNumber = field.baseType & 0x1Fu;
        if (typeNumber >= std::size(kBaseTypes))
            return false;
        const BaseType& type = kBaseTypes[typeNumber];
        if (type.bytes == 0 || field.size < type.bytes)
            return false;
        const unsigned char* bytes = m_bytes + field.offset;
        uint32_t raw = 0;
        for (unsigned i = 0; i < type.bytes; ++i) {
            const unsigned shift = 8 * (m_definition.bigEndian ? type.bytes - 1 - i : i);
            raw |= static_cast<uint32_t>(bytes[i]) << shift;
        }
        if (raw == type.invalid)
            return false;
        if (type.isSigned) {
            const unsigned unused = 32 - 8 * type.bytes;
            value = static_cast<int32_t>(raw << unused) >> unused;
        } else {
            value = raw;
        }
        return true;
    }
    return false;
}

bool FitMessage::GetTimestamp(uint32_t& seconds) const
{
    int64_t own = 0;
    if (GetInteger(TimestampField, own)) {
        seconds = static_cast<uint32_t>(own);
        return true;
    }
    seconds = m_timestamp;
    return m_hasTimestamp;
}
