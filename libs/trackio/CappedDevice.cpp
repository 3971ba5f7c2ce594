#include "CappedDevice.h"

#include <algorithm>

CappedDevice::CappedDevice(QIODevice& source, qint64 maxBytes)
    : m_source(source)
    , m_left(maxBytes)
{
    open(QIODevice::ReadOnly);
}

qint64 CappedDevice::readData(char* data, qint64 maxSize)
{
    if (m_exceeded)
        return -1;
    if (m_left == 0) {
        // One byte more tells a source that ends exactly at the cap from
        // one that goes on.
        char extra = 0;
        const qint64 got = m_source.read(&extra, 1);
        if (got <= 0)
            return got;
        m_exceeded = true;
        setErrorString(QStringLiteral("the file is larger than the size limit"));
        return -1;
    }
    const qint64 got = m_source.read(data, std::min(maxSize, m_left));
    if (got > 0)
        m_left -= got;
    return got;
}

qint64 CappedDevice::writeData(const char*, qint64)
{
    return -1;
}
