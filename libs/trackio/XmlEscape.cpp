#include "XmlEscape.h"

namespace {

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
        if (!reference)
            continue;
        out.append(text.data() + plain, i - plain);
        out.append(reference);
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
