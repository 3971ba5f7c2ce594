#pragma once

#include <string>
#include <string_view>

// The text of track files: white space and numbers, read without locale and
// without allocating (a million points carry several million numbers), and
// values quoted for error messages.
class TextNumber
{
public:
    // Without the white space (space, tab, CR, LF) around it.
    static std::string_view Trim(std::string_view text);
    static bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

    // The whole text (white space around it allowed) is one finite decimal
    // number, with an optional leading '+'. Hex, "inf" and "nan" are refused.
    // A refused text leaves value as it was.
    static bool ToDouble(std::string_view text, double& value);
    // Whether value stays finite in single precision, as receiver values
    // (dilutions, speed, course, temperature) are kept.
    static bool FitsFloat(double value);

    // Reads a finite number at the start of [begin, end); the position after
    // it, or null when no number starts there.
    static const char* Read(const char* begin, const char* end, double& value);

    // The trimmed text in double quotes, cut after 40 characters, for
    // messages: a broken file may hold a megabyte where a number belongs.
    static std::string Quote(std::string_view text);
};
