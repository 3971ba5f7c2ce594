#include "Gpx10Metadata.h"

#include "GpxKeptMarkup.h"
#include "GpxNames.h"
#include "TextNumber.h"

#include <iterator>

namespace {

constexpr const char* kBoundsNames[4] = {"minlat", "minlon", "maxlat", "maxlon"};

ExpatStreamReader::Name GpxName(std::string_view local)
{
    return {GpxNames::Gpx11Uri, local, {}};
}

void WriteLeaf(GpxKeptMarkup& markup, std::string_view local, const std::string& text)
{
    if (text.empty())
        return;
    markup.Start(GpxName(local), nullptr, {});
    markup.End(GpxName(local), text);
}

void WriteEmpty(GpxKeptMarkup& markup, std::string_view local, const char** attributes)
{
    markup.Start(GpxName(local), attributes, {});
    markup.End(GpxName(local), {});
}

} // namespace

bool Gpx10Metadata::IsField(std::string_view local)
{
    for (const char* field : {"name", "desc", "author", "email", "url", "urlname", "time", "keywords", "bounds"}) {
        if (local == field)
            return true;
    }
    return false;
}

void Gpx10Metadata::SetField(std::string_view local, std::string_view text)
{
    // Plain strings keep their text as written; the others are trimmed.
    if (local == "name")
        m_name = text;
    else if (local == "desc")
        m_desc = text;
    else if (local == "author")
        m_author = text;
    else if (local == "email")
        m_email = TextNumber::Trim(text);
    else if (local == "url")
        m_url = TextNumber::Trim(text);
    else if (local == "urlname")
        m_urlName = text;
    else if (local == "time")
        m_time = TextNumber::Trim(text);
    else if (local == "keywords")
        m_keywords = text;
}

void Gpx10Metadata::SetBounds(const char** attributes)
{
    for (int i = 0; i < 4; ++i) {
        const char* value = ExpatStreamReader::Attribute(attributes, kBoundsNames[i]);
        m_bounds[i] = value ? value : "";
    }
}

bool Gpx10Metadata::IsEmpty() const
{
    return m_name.empty() && m_desc.empty() && m_author.empty() && m_email.empty() && m_url.empty()
        && m_urlName.empty() && m_time.empty() && m_keywords.empty() && m_bounds[0].empty();
}

void Gpx10Metadata::WriteTo(GpxKeptMarkup& markup) const
{
    if (IsEmpty())
        return;
    markup.Start(GpxName("metadata"), nullptr, {});
    WriteLeaf(markup, "name", m_name);
    WriteLeaf(markup, "desc", m_desc);
    if (!m_author.empty() || !m_email.empty()) {
        markup.Start(GpxName("author"), nullptr, {});
        WriteLeaf(markup, "name", m_author);
        if (!m_email.empty()) {
            // GPX 1.1 splits the address to keep it from harvesters.
            const size_t at = m_email.find('@');
            const std::string id = m_email.substr(0, at);
            const std::string domain = at == std::string::npos ? std::string() : m_email.substr(at + 1);
            const char* attributes[] = {"id", id.c_str(), "domain", domain.c_str(), nullptr};
            WriteEmpty(markup, "email", attributes);
        }
        markup.End(GpxName("author"), {});
    }
    if (!m_url.empty() || !m_urlName.empty()) {
        const char* attributes[] = {"href", m_url.c_str(), nullptr};
        markup.Start(GpxName("link"), attributes, {});
        WriteLeaf(markup, "text", m_urlName);
        markup.End(GpxName("link"), {});
    }
    WriteLeaf(markup, "time", m_time);
    WriteLeaf(markup, "keywords", m_keywords);
    if (!m_bounds[0].empty()) {
        const char* attributes[] = {kBoundsNames[0], m_bounds[0].c_str(), kBoundsNames[1], m_bounds[1].c_str(),
                                    kBoundsNames[2], m_bounds[2].c_str(), kBoundsNames[3], m_bounds[3].c_str(),
                                    nullptr};
        WriteEmpty(markup, "bounds", attributes);
    }
    markup.End(GpxName("metadata"), {});
}
