#include "NmeaSentence.h"

#include "TextNumber.h"

#include <charconv>
#include <cmath>

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool AllDigits(std::string_view text)
{
    for (const char c : text) {
        if (!IsDigit(c))
            return false;
    }
    return true;
}

int TwoDigits(std::string_view text, size_t pos)
{
    return (text[pos] - '0') * 10 + (text[pos + 1] - '0');
}

int HexDigit(char c)
{
    if (IsDigit(c))
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Talker sentences have five characters, proprietary ones up to about
// eight; the limit keeps junk from passing for an address.
bool IsAddress(std::string_view address)
{
    if (address.size() < 2 || address.size() > 10 || !(address[0] >= 'A' && address[0] <= 'Z'))
        return false;
    for (const char c : address) {
        if (!IsDigit(c) && !(c >= 'A' && c <= 'Z'))
            return false;
    }
    return true;
}

bool IsLineEndJunk(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\0';
}

} // namespace

NmeaSentence::Result NmeaSentence::Parse(std::string_view line)
{
    m_fieldCount = 0;
    m_address = {};
    m_hadChecksum = false;

    const size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos || line[first] == '#')
        return Result::NoSentence;
    const size_t dollar = line.rfind('$');
    if (dollar == std::string_view::npos)
        return Result::NoSentence;
    std::string_view body = line.substr(dollar + 1);
    while (!body.empty() && IsLineEndJunk(body.back()))
        body.remove_suffix(1);

    std::string_view content = body;
    const size_t star = body.find('*');
    if (star != std::string_view::npos) {
        content = body.substr(0, star);
        const std::string_view sum = body.substr(star + 1);
        if (sum.size() != 2 || HexDigit(sum[0]) < 0 || HexDigit(sum[1]) < 0)
            return Result::Unreadable;
        if (Checksum(content) != HexDigit(sum[0]) * 16 + HexDigit(sum[1]))
            return Result::BadChecksum;
        m_hadChecksum = true;
    }

    size_t comma = content.find(',');
    m_address = content.substr(0, comma);
    if (!IsAddress(m_address))
        return Result::Unreadable;
    while (comma != std::string_view::npos && m_fieldCount < MaxFields) {
        const size_t start = comma + 1;
        comma = content.find(',', start);
        m_fields[static_cast<size_t>(m_fieldCount++)] =
            content.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
    }
    return Result::Ok;
}

std::string_view NmeaSentence::GetType() const
{
    if (m_address.empty() || m_address[0] == 'P' || m_address.size() < 5)
        return m_address;
    return m_address.substr(m_address.size() - 3);
}

NmeaSentence::Field NmeaSentence::ReadCoordinate(std::string_view value, std::string_view hemisphere,
                                                 double maxDegrees, double& degrees)
{
    if (value.empty())
        return Field::Empty;
    double raw = 0;
    if (!TextNumber::ToDouble(value, raw) || raw < 0)
        return Field::Bad;
    const double whole = std::floor(raw / 100);
    const double minutes = raw - whole * 100;
    const double result = whole + minutes / 60;
    if (minutes >= 60 || result > maxDegrees || hemisphere.size() != 1)
        return Field::Bad;
    const char h = hemisphere[0];
    const bool latitude = maxDegrees <= 90;
    if ((latitude && (h == 'N' || h == 'n')) || (!latitude && (h == 'E' || h == 'e')))
        degrees = result;
    else if ((latitude && (h == 'S' || h == 's')) || (!latitude && (h == 'W' || h == 'w')))
        degrees = -result;
    else
        return Field::Bad;
    return Field::Ok;
}

NmeaSentence::Field NmeaSentence::ReadTimeOfDay(std::string_view value, int64_t& microseconds)
{
    if (value.empty())
        return Field::Empty;
    if (value.size() < 6 || !AllDigits(value.substr(0, 6)))
        return Field::Bad;
    const int hours = TwoDigits(value, 0);
    const int minutes = TwoDigits(value, 2);
    const int seconds = TwoDigits(value, 4);
    // 60 seconds: a leap second, as receivers announce it.
    if (hours > 23 || minutes > 59 || seconds > 60)
        return Field::Bad;
    int64_t fraction = 0;
    if (value.size() > 6) {
        const std::string_view digits = value.substr(7);
        if (value[6] != '.' || digits.empty() || !AllDigits(digits))
            return Field::Bad;
        int64_t scale = 100000;
        for (size_t i = 0; i < digits.size() && scale > 0; ++i, scale /= 10)
            fraction += (digits[i] - '0') * scale;
    }
    microseconds = ((hours * 60 + minutes) * 60 + seconds) * TimeSpan::MicrosecondsPerSecond + fraction;
    return Field::Ok;
}

NmeaSentence::Field NmeaSentence::ReadDate(std::string_view value, Time& date)
{
    if (value.empty())
        return Field::Empty;
    if ((value.size() != 6 && value.size() != 8) || !AllDigits(value))
        return Field::Bad;
    int year = TwoDigits(value, 4);
    if (value.size() == 8)
        year = year * 100 + TwoDigits(value, 6);
    else
        year += year >= 80 ? 1900 : 2000;
    date = Time(year, TwoDigits(value, 2), TwoDigits(value, 0));
    return date.IsNull() ? Field::Bad : Field::Ok;
}

NmeaSentence::Field NmeaSentence::ReadNumber(std::string_view value, double& number)
{
    if (value.empty())
        return Field::Empty;
    return TextNumber::ToDouble(value, number) ? Field::Ok : Field::Bad;
}

NmeaSentence::Field NmeaSentence::ReadInt(std::string_view value, int& number)
{
    if (value.empty())
        return Field::Empty;
    if (value.front() == '+')
        value.remove_prefix(1);
    const char* end = value.data() + value.size();
    const auto [next, error] = std::from_chars(value.data(), end, number);
    return error == std::errc() && next == end ? Field::Ok : Field::Bad;
}

uint8_t NmeaSentence::Checksum(std::string_view content)
{
    uint8_t sum = 0;
    for (const char c : content)
        sum = static_cast<uint8_t>(sum ^ static_cast<uint8_t>(c));
    return sum;
}
