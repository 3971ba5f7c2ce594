#include "CsvTrackWriter.h"

namespace {

void AppendQuoted(std::string& out, const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        out += text;
        return;
    }
    out += '"';
    for (const char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

} // namespace

CsvTrackWriter::SaveStatus CsvTrackWriter::WriteRow(const std::vector<std::string>& texts)
{
    std::string line;
    for (size_t i = 0; i < texts.size(); ++i) {
        if (i > 0)
            line += ',';
        AppendQuoted(line, texts[i]);
    }
    line += "\r\n";
    return Write(line);
}
