#include "NmeaSentence.h"

#include "ByteScan.h"
#include "TextNumber.h"

#include <charconv>
#include <cmath>
#include <cstring>

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

// Plain decimals ("4231.8291", "-30.1") without from_chars: a digit string
// up to 2^53 divided by an exact power of ten is correctly rounded, so the
// result is the one from_chars gives. Anything else goes the long way.
bool ReadPlainDecimal(std::string_view text, double& value)
{
    static constexpr double PowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                             1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+'))
        ++i;
    uint64_t mantissa = 0;
    int digits = 0;
    int decimals = 0;
    bool dot = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (IsDigit(c)) {
            if (++digits > 18)
                return false;
            mantissa = mantissa * 10 + static_cast<uint64_t>(c - '0');
            decimals += dot ? 1 : 0;
        } else if (c == '.' && !dot) {
            dot = true;
        } else {
            return false;
        }
    }
    if (digits == 0 || mantissa > (uint64_t(1) << 53) || decimals > 22)
        return false;
    value = static_cast<double>(mantissa) / PowersOfTen[decimals];
    if (negative)
        value = -value;
    return true;
}

bool ReadDecimal(std::string_view text, double& value)
{
    return ReadPlainDecimal(text, value) || TextNumber::ToDouble(text, value);
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
    const void* lastDollar = memrchr(line.data(), '$', line.size());
    if (!lastDollar)
        return Result::NoSentence;
    std::string_view body = line.substr(static_cast<size_t>(static_cast<const char*>(lastDollar) - line.data()) + 1);
    while (!body.empty() && IsLineEndJunk(body.back()))
        body.remove_suffix(1);

    // The checksum covers what comes before the first '*'; the fields are
    // split at its commas. Both a word at a time.
    const char* bytes = body.data();
    const void* star = std::memchr(bytes, '*', body.size());
    const size_t pos = star ? static_cast<size_t>(static_cast<const char*>(star) - bytes) : body.size();
    uint64_t words = 0;
    size_t fieldStart = 0;
    bool inAddress = true;
    size_t at = 0;
    for (; at + ByteScan::WordBytes <= pos; at += ByteScan::WordBytes) {
        const uint64_t word = ByteScan::Load(bytes + at);
        words ^= word;
        for (uint64_t commas = ByteScan::Matches(word, ','); commas != 0; commas &= commas - 1) {
            const size_t comma = at + ByteScan::FirstIndex(commas);
            AddPiece(body.substr(fieldStart, comma - fieldStart), inAddress);
            fieldStart = comma + 1;
        }
    }
    uint8_t sum = 0;
    for (; words != 0; words >>= 8)
        sum = static_cast<uint8_t>(sum ^ static_cast<uint8_t>(words));
    for (; at < pos; ++at) {
        sum = static_cast<uint8_t>(sum ^ static_cast<uint8_t>(bytes[at]));
        if (bytes[at] != ',')
            continue;
        AddPiece(body.substr(fieldStart, at - fieldStart), inAddress);
        fieldStart = at + 1;
    }
    AddPiece(body.substr(fieldStart, pos - fieldStart), inAddress);
    if (pos < body.size()) {
        const std::string_view given = body.substr(pos + 1);
        if (given.size() != 2 || HexDigit(given[0]) < 0 || HexDigit(given[1]) < 0)
            return Result::Unreadable;
        if (sum != HexDigit(given[0]) * 16 + HexDigit(given[1]))
            return Result::BadChecksum;
        m_hadChecksum = true;
    }
    if (!IsAddress(m_address))
        return Result::Unreadable;
    return Result::Ok;
}

void NmeaSentence::AddPiece(std::string_view piece, bool& isAddress)
{
    if (isAddress) {
        m_address = piece;
        isAddress = false;
    } else if (m_fieldCount < MaxFields) {
        m_fields[static_cast<size_t>(m_fieldCount++)] = piece;
    }
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
    if (!ReadDecimal(value, raw) || raw < 0)
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
    return ReadDecimal(value, number) ? Field::Ok : Field::Bad;
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
