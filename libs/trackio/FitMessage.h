#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// How the data messages of one local type are laid out, as a definition
// message gives it.
struct FitDefinition
{
    struct Field
    {
        uint8_t number = 0;
        uint8_t size = 0;
        uint8_t baseType = 0;
        uint16_t offset = 0;
    };

    uint16_t globalNumber = 0;
    bool bigEndian = false;
    std::vector<Field> fields;
    // Bytes of a data message after its header, developer fields included.
    size_t dataBytes = 0;
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
