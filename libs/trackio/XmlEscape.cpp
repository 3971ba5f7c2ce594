#include "XmlEscape.h"

namespace {

// Length of the character XML cannot hold that starts at text[i], 0 when
// the character there is allowed.
size_t ForbiddenLength(std::string_view text, size_t i)
{
    const auto byte = [&](size_t at) { return at < text.size() ? static_cast<unsigned char>(text[at]) : 0u; };
    const unsigned first = byte(i);
    if (first < 0x20)
        return first == '\t' || first == '\n' || first == '\r' ? 0 : 1;
    // U+D800..U+DFFF are ED A0..BF xx in (loosely encoded) UTF-8.
    if (first == 0xED && byte(i + 1) >= 0xA0 && byte(i + 1) <= 0xBF && byte(i + 2) >= 0x80)
        return 3;
    // U+FFFE and U+FFFF are EF BF BE and EF BF BF.
    if (first == 0xEF && byte(i + 1) == 0xBF && (byte(i + 2) == 0xBE || byte(i + 2) == 0xBF))
        return 3;
    return 0;
}

void Append(std::string& out, std::string_view text, bool attribute)
{
    size_t plain = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char* reference = nullptr;
        switch (text[i]) {
        case '&': reference = "&amp;"; break;
        case '<': reference = "&lt;"; break;
        case '>': reference = "&gt;"; break;
        case '\r': reference = "&#13;"; break;
        case '"': reference = attribute ? "&quot;" : nullptr; break;
        case '\n': reference = attribute ? "&#10;" : nullptr; break;
        case '\t': reference = attribute ? "&#9;" : nullptr; break;
        default: break;
        }
        const size_t forbidden = reference ? 0 : ForbiddenLength(text, i);
        if (!reference && forbidden == 0)
            continue;
        out.append(text.data() + plain, i - plain);
        if (reference)
            out.append(reference);
        else
            i += forbidden - 1;
        plain = i + 1;
    }
    out.append(text.data() + plain, text.size() - plain);
}

} // namespace

void XmlEscape::AppendText(std::string& out, std::string_view text)
{
    Append(out, text, false);
}

void XmlEscape::AppendAttribute(std::string& out, std::string_view value)
{
    Append(out, value, true);
}
