#include "ByteArray.h"

ByteArray::ByteArray(const void* data, size_t size)
{
    Append(data, size);
}

void ByteArray::Assign(const void* data, size_t size)
{
    m_bytes.clear();
    Append(data, size);
}

void ByteArray::Append(const void* data, size_t size)
{
    const auto* bytes = static_cast<const uint8_t*>(data);
    m_bytes.insert(m_bytes.end(), bytes, bytes + size);
}

void ByteArray::Clear()
{
    m_bytes.clear();
    m_bytes.shrink_to_fit();
}
