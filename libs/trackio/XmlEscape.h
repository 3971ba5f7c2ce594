#pragma once

#include <string>
#include <string_view>

// Escaping of text written into XML.
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
