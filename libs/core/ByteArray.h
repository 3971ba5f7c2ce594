#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A block of bytes owned by value (downloaded map tiles). Empty until data
// is put in; copies are deep.
class ByteArray
{
public:
    ByteArray() = default;
    ByteArray(const void* data, size_t size);

    // Null when empty.
    uint8_t* Addr() { return m_bytes.empty() ? nullptr : m_bytes.data(); }
    const uint8_t* Addr() const { return m_bytes.empty() ? nullptr : m_bytes.data(); }
    size_t Size() const { return m_bytes.size(); }
    bool IsEmpty() const { return m_bytes.empty(); }

    void Assign(const void* data, size_t size);
    // Adds bytes at the end: downloads arrive in pieces.
    void Append(const void* data, size_t size);
    void Clear();

    bool operator==(const ByteArray&) const = default;

private:
    std::vector<uint8_t> m_bytes;
};
