#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

class QIODevice;
class Time;

// Text output for large XML files: everything goes into one big buffer that
// is handed to the device when full, numbers are formatted with
// std::to_chars straight into it. No string is made per value.
class XmlBufferWriter
{
public:
    explicit XmlBufferWriter(QIODevice& device);
    XmlBufferWriter(const XmlBufferWriter&) = delete;
    XmlBufferWriter& operator=(const XmlBufferWriter&) = delete;

    void Append(std::string_view text);
    void Append(char c);
    // Element content or an attribute value in double quotes.
    void AppendEscaped(std::string_view text);
    // The shortest decimal text that reads back as the same value, never in
    // exponent form (XML Schema decimals have none); -0 is written as 0.
    void AppendDouble(double value);
    void AppendFloat(float value);
    void AppendInt(long long value);
    // "2024-05-01T12:00:00Z", with ".mmm" or ".uuuuuu" when the time has a
    // fraction of a second. Only for years 1 to 9999 (see CanWriteTime).
    void AppendTime(const Time& utc);
    static bool CanWriteTime(const Time& utc);

    // Hands the buffer to the device; false once any write failed.
    bool Flush();
    bool HasFailed() const { return m_failed; }

private:
    // Room for at least bytes more characters.
    char* Space(size_t bytes);

    QIODevice& m_device;
    // Not zeroed: a small file touches only the pages it fills.
    std::unique_ptr<char[]> m_buffer;
    size_t m_used = 0;
    bool m_failed = false;
};
