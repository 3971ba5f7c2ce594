#include "TextNumber.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

constexpr size_t MaxQuotedChars = 40;

} // namespace

std::string_view TextNumber::Trim(std::string_view text)
{
    size_t first = 0;
    size_t last = text.size();
    while (first < last && IsSpace(text[first]))
        ++first;
    while (last > first && IsSpace(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

bool TextNumber::ToDouble(std::string_view text, double& value)
{
    const std::string_view trimmed = Trim(text);
    const char* end = trimmed.data() + trimmed.size();
    double parsed = 0;
    if (trimmed.empty() || Read(trimmed.data(), end, parsed) != end)
        return false;
    value = parsed;
    return true;
}

bool TextNumber::FitsFloat(double value)
{
    return std::fabs(value) <= std::numeric_limits<float>::max();
}

const char* TextNumber::Read(const char* begin, const char* end, double& value)
{
    // from_chars takes no '+', but writers put one on positive coordinates.
    if (begin != end && *begin == '+' && end - begin > 1 && begin[1] != '-')
        ++begin;
    double parsed = 0;
    const auto [next, error] = std::from_chars(begin, end, parsed, std::chars_format::general);
    if (error != std::errc() || !std::isfinite(parsed))
        return nullptr;
    value = parsed;
    return next;
}

std::string TextNumber::Quote(std::string_view text)
{
    const std::string_view trimmed = Trim(text);
    std::string quoted = "\"";
    quoted += trimmed.substr(0, MaxQuotedChars);
    if (trimmed.size() > MaxQuotedChars)
        quoted += "...";
    return quoted + "\"";
}
