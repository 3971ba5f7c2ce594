#include "GpxPrefixMap.h"

#include "GpxNames.h"

bool GpxPrefixMap::IsGpx(std::string_view uri) const
{
    return uri == m_gpxUri || uri == GpxNames::Gpx11Uri || uri == GpxNames::Gpx10Uri;
}

int GpxPrefixMap::Bind(std::string_view uri, std::string_view hint)
{
    if (uri == GpxNames::XmlUri)
        return XmlBinding;
    for (size_t i = 0; i < m_bindings.size(); ++i) {
        if (m_bindings[i].second == uri)
            return static_cast<int>(i);
    }
    // A default namespace gets "ns1", "ns2", ...; a prefix that another
    // namespace of the file already holds gets a number.
    const std::string base = hint.empty() ? std::string("ns") : std::string(hint);
    std::string prefix = hint.empty() ? base + "1" : base;
    for (int n = hint.empty() ? 2 : 1; IsPrefixTaken(prefix); ++n)
        prefix = base + std::to_string(n);
    m_bindings.emplace_back(std::move(prefix), std::string(uri));
    return static_cast<int>(m_bindings.size()) - 1;
}

const std::string& GpxPrefixMap::GetPrefix(int binding) const
{
    static const std::string xml("xml");
    return binding == XmlBinding ? xml : m_bindings[static_cast<size_t>(binding)].first;
}

bool GpxPrefixMap::IsPrefixTaken(std::string_view prefix) const
{
    for (const auto& binding : m_bindings) {
        if (binding.first == prefix)
            return true;
    }
    return false;
}
