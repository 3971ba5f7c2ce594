#pragma once

#include <string>
#include <string_view>

// Escaping of UTF-8 text written into XML.
//
// Characters that XML 1.0 does not allow at all (C0 controls other than tab,
// line feed and carriage return; U+FFFE and U+FFFF; surrogate code points)
// are dropped: no reference can stand for them either, and a reader stops at
// the first one, so a file holding one could never be opened again. A name
// such as "Run\x01" is saved as "Run".
class XmlEscape
{
public:
    // Element content: &, < and > become references; a carriage return
    // becomes &#13; so that it survives the reader's line-end folding.
    static void AppendText(std::string& out, std::string_view text);
    // Attribute values in double quotes: also " and the white space that
    // attribute normalisation would turn into spaces.
    static void AppendAttribute(std::string& out, std::string_view value);
};
