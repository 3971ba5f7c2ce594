#include "XmlBufferWriter.h"

#include "Time.h"
#include "XmlEscape.h"

#include <QIODevice>

#include <charconv>
#include <cstring>
#include <string>

namespace {

constexpr size_t BufferBytes = 1 << 20;
// Enough for any double in fixed notation (up to 309 digits before the
// point, 17 significant ones after it).
constexpr size_t MaxNumberChars = 400;

constexpr int64_t MicrosecondsPerDay = 86400LL * 1000000;
constexpr int64_t MinWritableUs = -62135596800LL * 1000000;   // 0001-01-01
constexpr int64_t MaxWritableUs = 253402300800LL * 1000000;   // 10000-01-01

// Civil date from days since 1970-01-01 (proleptic Gregorian), after
// H. Hinnant's days_from_civil inverse.
void CivilFromDays(int64_t days, int& year, int& month, int& day)
{
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

char* Digits(char* p, int64_t value, int width)
{
    for (int i = width - 1; i >= 0; --i) {
        p[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    return p + width;
}

} // namespace

XmlBufferWriter::XmlBufferWriter(QIODevice& device)
    : m_device(device)
    , m_buffer(std::make_unique_for_overwrite<char[]>(BufferBytes))
{
}

void XmlBufferWriter::Append(std::string_view text)
{
    // An empty view may carry no pointer at all, which memcpy must not get.
    if (text.empty())
        return;
    if (text.size() > BufferBytes / 2) {
        // Large kept markup goes straight to the device.
        if (Flush() && m_device.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()))
            m_failed = true;
        return;
    }
    char* p = Space(text.size());
    std::memcpy(p, text.data(), text.size());
    m_used += text.size();
}

void XmlBufferWriter::Append(char c)
{
    *Space(1) = c;
    ++m_used;
}

void XmlBufferWriter::AppendEscaped(std::string_view text)
{
    std::string escaped;
    XmlEscape::AppendAttribute(escaped, text);
    Append(escaped);
}

void XmlBufferWriter::AppendDouble(double value)
{
    if (value == 0)
        value = 0;
    char* p = Space(MaxNumberChars);
    m_used = static_cast<size_t>(std::to_chars(p, p + MaxNumberChars, value, std::chars_format::fixed).ptr - m_buffer.get());
}

void XmlBufferWriter::AppendFloat(float value)
{
    if (value == 0)
        value = 0;
    char* p = Space(MaxNumberChars);
    m_used = static_cast<size_t>(std::to_chars(p, p + MaxNumberChars, value, std::chars_format::fixed).ptr - m_buffer.get());
}

void XmlBufferWriter::AppendInt(long long value)
{
    char* p = Space(24);
    m_used = static_cast<size_t>(std::to_chars(p, p + 24, value).ptr - m_buffer.get());
}

bool XmlBufferWriter::CanWriteTime(const Time& utc)
{
    return !utc.IsNull() && utc.GetMicroseconds() >= MinWritableUs && utc.GetMicroseconds() < MaxWritableUs;
}

void XmlBufferWriter::AppendTime(const Time& utc)
{
    const int64_t us = utc.GetMicroseconds();
    int64_t days = us / MicrosecondsPerDay;
    int64_t ofDay = us % MicrosecondsPerDay;
    if (ofDay < 0) {
        ofDay += MicrosecondsPerDay;
        --days;
    }
    int year = 0;
    int month = 0;
    int day = 0;
    CivilFromDays(days, year, month, day);
    const int64_t seconds = ofDay / 1000000;
    const int64_t fraction = ofDay % 1000000;

    char* p = Space(32);
    char* const start = p;
    p = Digits(p, year, 4);
    *p++ = '-';
    p = Digits(p, month, 2);
    *p++ = '-';
    p = Digits(p, day, 2);
    *p++ = 'T';
    p = Digits(p, seconds / 3600, 2);
    *p++ = ':';
    p = Digits(p, seconds / 60 % 60, 2);
    *p++ = ':';
    p = Digits(p, seconds % 60, 2);
    if (fraction != 0) {
        *p++ = '.';
        p = fraction % 1000 == 0 ? Digits(p, fraction / 1000, 3) : Digits(p, fraction, 6);
    }
    *p++ = 'Z';
    m_used += static_cast<size_t>(p - start);
}

bool XmlBufferWriter::Flush()
{
    if (!m_failed && m_used > 0
        && m_device.write(m_buffer.get(), static_cast<qint64>(m_used)) != static_cast<qint64>(m_used))
        m_failed = true;
    m_used = 0;
    return !m_failed;
}

char* XmlBufferWriter::Space(size_t bytes)
{
    if (BufferBytes - m_used < bytes)
        Flush();
    return m_buffer.get() + m_used;
}
