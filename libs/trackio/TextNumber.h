#pragma once

#include <string_view>

// Numbers and white space in the text of XML track files, read without
// locale and without allocating: a million points carry several million
// numbers.
class TextNumber
{
public:
    // Without the XML white space (space, tab, CR, LF) around it.
    static std::string_view Trim(std::string_view text);
    static bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

    // The whole text (white space around it allowed) is one finite decimal
    // number, with an optional leading '+'. Hex, "inf" and "nan" are refused.
    static bool ToDouble(std::string_view text, double& value);

    // Reads a finite number at the start of [begin, end); the position after
    // it, or null when no number starts there.
    static const char* Read(const char* begin, const char* end, double& value);
};
