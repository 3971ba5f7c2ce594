#pragma once

#include <string>
#include <string_view>

class GpxKeptMarkup;

// The file description of GPX 1.0, which sits directly in <gpx> (name,
// desc, author, email, url, urlname, time, keywords, bounds), gathered while
// reading and written as the <metadata> element of GPX 1.1: author and
// email become a person, url and urlname a link.
class Gpx10Metadata
{
public:
    static bool IsField(std::string_view local);

    // bounds carries its values in attributes, the others in their text.
    void SetField(std::string_view local, std::string_view text);
    void SetBounds(const char** attributes);

    bool IsEmpty() const;
    // Writes <metadata> through the markup writer, so it is laid out as
    // kept markup is.
    void WriteTo(GpxKeptMarkup& markup) const;

private:
    std::string m_name;
    std::string m_desc;
    std::string m_author;
    std::string m_email;
    std::string m_url;
    std::string m_urlName;
    std::string m_time;
    std::string m_keywords;
    // minlat, minlon, maxlat, maxlon; empty when the file had no bounds.
    std::string m_bounds[4];
};
