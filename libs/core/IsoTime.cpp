#include "IsoTime.h"

#include "TimeConv.h"

#include <cctype>

namespace {

// A cursor over the text; each reader consumes what it accepts and nothing
// on failure.
class Reader
{
public:
    explicit Reader(std::string_view text)
        : m_text(text)
    {
    }

    bool AtEnd() const { return m_pos == m_text.size(); }
    char Peek() const { return AtEnd() ? '\0' : m_text[m_pos]; }
    bool PeekDigit() const { return std::isdigit(static_cast<unsigned char>(Peek())) != 0; }

    bool Skip(char c)
    {
        if (Peek() != c)
            return false;
        ++m_pos;
        return true;
    }

    bool SkipAny(std::string_view chars)
    {
        if (AtEnd() || chars.find(Peek()) == std::string_view::npos)
            return false;
        ++m_pos;
        return true;
    }

    // Exactly count digits.
    bool Number(int count, int& value)
    {
        if (m_pos + count > m_text.size())
            return false;
        int result = 0;
        for (int i = 0; i < count; ++i) {
            const char c = m_text[m_pos + i];
            if (!std::isdigit(static_cast<unsigned char>(c)))
                return false;
            result = result * 10 + (c - '0');
        }
        m_pos += count;
        value = result;
        return true;
    }

    // The digits after a decimal sign as microseconds, rounded to nearest
    // on the seventh digit (".9999996" gives 1,000,000); later digits are
    // read and dropped.
    bool Fraction(int64_t& microseconds)
    {
        if (!PeekDigit())
            return false;
        int64_t tenthsOfMicroseconds = 0;
        int digits = 0;
        for (; PeekDigit(); ++m_pos) {
            if (digits < 7) {
                tenthsOfMicroseconds = tenthsOfMicroseconds * 10 + (m_text[m_pos] - '0');
                ++digits;
            }
        }
        for (; digits < 7; ++digits)
            tenthsOfMicroseconds *= 10;
        microseconds = (tenthsOfMicroseconds + 5) / 10;
        return true;
    }

private:
    std::string_view m_text;
    size_t m_pos = 0;
};

std::string_view Trimmed(std::string_view text)
{
    const auto space = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!text.empty() && space(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && space(text.back()))
        text.remove_suffix(1);
    return text;
}

// Year, then "-MM-DD" or "MMDD"; "YYYY" and "YYYY-MM" alone are whole dates
// too when nothing follows.
bool ReadDate(Reader& in, int& year, int& month, int& day)
{
    month = day = 1;
    if (!in.Number(4, year))
        return false;
    if (in.AtEnd())
        return true;
    if (in.Skip('-')) {
        if (!in.Number(2, month))
            return false;
        return in.AtEnd() || (in.Skip('-') && in.Number(2, day));
    }
    return in.Number(2, month) && in.Number(2, day);
}

// "hh:mm[:ss[.f]]" or "hhmm[ss[.f]]"; the result may reach 24:00 and a
// leap second, both validated by the caller.
bool ReadTimeOfDay(Reader& in, int& hour, int& minute, int& second, int64_t& fraction)
{
    second = 0;
    fraction = 0;
    if (!in.Number(2, hour))
        return false;
    const bool extended = in.Skip(':');
    if (!in.Number(2, minute))
        return false;
    if (extended ? !in.Skip(':') : !in.PeekDigit())
        return true;
    if (!in.Number(2, second))
        return false;
    return !in.SkipAny(".,") || in.Fraction(fraction);
}

// "Z", "+hh:mm", "+hhmm", "+hh" or nothing (UTC); offset in seconds east.
bool ReadZone(Reader& in, int& offsetSeconds)
{
    offsetSeconds = 0;
    if (in.AtEnd() || in.SkipAny("Zz"))
        return true;
    const char sign = in.Peek();
    if (!in.SkipAny("+-"))
        return false;
    int hours = 0;
    int minutes = 0;
    if (!in.Number(2, hours))
        return false;
    if (!in.AtEnd()) {
        in.Skip(':');
        if (!in.Number(2, minutes))
            return false;
    }
    if (hours > 23 || minutes > 59)
        return false;
    offsetSeconds = (hours * 60 + minutes) * 60 * (sign == '-' ? -1 : 1);
    return true;
}

} // namespace

Time IsoTime::Parse(std::string_view text)
{
    Reader in(Trimmed(text));
    int year = 0;
    int month = 0;
    int day = 0;
    if (!ReadDate(in, year, month, day))
        return Time();
    const Time date(year, month, day);
    if (in.AtEnd() || date.IsNull())
        return date;

    int hour = 0;
    int minute = 0;
    int second = 0;
    int64_t fraction = 0;
    int offsetSeconds = 0;
    if (!in.SkipAny("Tt ") || !ReadTimeOfDay(in, hour, minute, second, fraction)
        || !ReadZone(in, offsetSeconds) || !in.AtEnd())
        return Time();
    const bool endOfDay = hour == 24 && minute == 0 && second == 0 && fraction == 0;
    if ((hour > 23 && !endOfDay) || minute > 59 || second > 60)
        return Time();

    const int64_t seconds = (hour * 60 + minute) * 60 + second - offsetSeconds;
    return date + TimeSpan::FromMicroseconds(seconds * TimeSpan::MicrosecondsPerSecond + fraction);
}

std::string IsoTime::Format(const Time& utc)
{
    if (utc.IsNull())
        return {};
    // Round to the millisecond first so that .9996 carries into the seconds
    // (and maybe the date) instead of printing ".1000".
    const Time shifted = utc + TimeSpan::FromMicroseconds(500);
    const int64_t subMillisecond = shifted.GetTime().GetMicroseconds() % 1000;
    const Time rounded = shifted - TimeSpan::FromMicroseconds(subMillisecond);
    const bool withMs = rounded.GetTime().GetMicroseconds() % TimeSpan::MicrosecondsPerSecond != 0;
    return TimeConv::GetYMD(rounded, '-') + 'T'
        + TimeConv::GetHMS(rounded, withMs ? MillisecondsStatus::With : MillisecondsStatus::Without, ':')
        + 'Z';
}
