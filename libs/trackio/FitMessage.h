#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// How the data messages of one local type are laid out, as a definition
// message gives it. How each field is read is settled here once, not for
// every one of the thousands of messages that follow the definition.
struct FitDefinition
{
    struct Field
    {
        uint8_t number = 0;
        uint8_t size = 0;
        uint8_t baseType = 0;
        uint16_t offset = 0;
        // Bytes read as an integer: 0 when the base type is no integer read
        // here (strings, floats, unknown types) or the field is smaller.
        uint8_t integerBytes = 0;
        bool isSigned = false;
        // The base type's "no value".
        uint32_t invalid = 0;
    };

    static constexpr uint8_t NoField = 0xFF;

    // Adds the next field, at the end of those before it.
    void AddField(uint8_t number, uint8_t size, uint8_t baseType);

    uint16_t globalNumber = 0;
    bool bigEndian = false;
    std::vector<Field> fields;
    // Where each field number first occurs in fields, or NoField. A message
    // has at most 255 fields, so an index fits a byte beside NoField.
    std::array<uint8_t, 256> indexOf = MakeNoFields();
    // Bytes of a data message after its header, developer fields included.
    size_t dataBytes = 0;

private:
    static constexpr std::array<uint8_t, 256> MakeNoFields()
    {
        std::array<uint8_t, 256> none{};
        none.fill(NoField);
        return none;
    }
};

// One data message, valid while the decoder's handler runs. Values are read
// by the base type the definition gives, in its byte order, whatever type
// the message's profile expects: writers do not always agree with it.
class FitMessage
{
public:
    // Seconds since 1989-12-31 00:00 UTC.
    static constexpr int TimestampField = 253;

    FitMessage(const FitDefinition& definition, const unsigned char* bytes, bool hasTimestamp, uint32_t timestamp)
        : m_definition(definition)
        , m_bytes(bytes)
        , m_hasTimestamp(hasTimestamp)
        , m_timestamp(timestamp)
    {
    }

    uint16_t GetGlobalNumber() const { return m_definition.globalNumber; }
    // Where the message's data lies in the decoded buffer, and its size with
    // the header byte.
    const unsigned char* GetData() const { return m_bytes; }
    size_t GetSizeWithHeader() const { return m_definition.dataBytes + 1; }
    // An integer field of one to four bytes (the first element of an array);
    // false when the message lacks it or holds the type's "invalid" value.
    bool GetInteger(int fieldNumber, int64_t& value) const;
    // The message's own timestamp field, or the one its compressed header
    // gives.
    bool GetTimestamp(uint32_t& seconds) const;

private:
    const FitDefinition& m_definition;
    const unsigned char* m_bytes;
    bool m_hasTimestamp;
    uint32_t m_timestamp;
};

// Inline: a record message asks for a dozen fields, and the field numbers
// are constants at every call.
inline bool FitMessage::GetInteger(int fieldNumber, int64_t& value) const
{
    if (fieldNumber < 0 || fieldNumber >= static_cast<int>(m_definition.indexOf.size()))
        return false;
    const uint8_t index = m_definition.indexOf[static_cast<size_t>(fieldNumber)];
    if (index == FitDefinition::NoField)
        return false;
    const FitDefinition::Field& field = m_definition.fields[index];
    const unsigned char* bytes = m_bytes + field.offset;
    uint32_t raw = 0;
    switch (field.integerBytes) {
    case 1:
        raw = bytes[0];
        break;
    case 2:
        raw = m_definition.bigEndian ? uint32_t(bytes[0]) << 8 | bytes[1] : uint32_t(bytes[1]) << 8 | bytes[0];
        break;
    case 4:
        raw = m_definition.bigEndian
            ? uint32_t(bytes[0]) << 24 | uint32_t(bytes[1]) << 16 | uint32_t(bytes[2]) << 8 | bytes[3]
            : uint32_t(bytes[3]) << 24 | uint32_t(bytes[2]) << 16 | uint32_t(bytes[1]) << 8 | bytes[0];
        break;
    default:
        return false;
    }
    if (raw == field.invalid)
        return false;
    if (field.isSigned) {
        const unsigned unused = 32 - 8 * field.integerBytes;
        value = static_cast<int32_t>(raw << unused) >> unused;
    } else {
        value = raw;
    }
    return true;
}
