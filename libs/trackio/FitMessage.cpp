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

void FitDefinition::AddField(uint8_t number, uint8_t size, uint8_t baseType)
{
    Field field{number, size, baseType, static_cast<uint16_t>(dataBytes)};
    const unsigned typeNumber = baseType & 0x1Fu;
    if (typeNumber < std::size(kBaseTypes) && size >= kBaseTypes[typeNumber].bytes) {
        field.integerBytes = kBaseTypes[typeNumber].bytes;
        field.isSigned = kBaseTypes[typeNumber].isSigned;
        field.invalid = kBaseTypes[typeNumber].invalid;
    }
    if (indexOf[number] == NoField)
        indexOf[number] = static_cast<uint8_t>(fields.size());
    dataBytes += size;
    fields.push_back(field);
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
