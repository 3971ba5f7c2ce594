#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The prefixes under which markup kept from one GPX file is written back:
// one prefix per namespace for the whole file, the file's own prefix where
// it is free, so that every kept part of the file agrees and a namespace the
// file declared without a prefix (a default namespace) still gets one.
class GpxPrefixMap
{
public:
    static constexpr int XmlBinding = -1;

    // The namespace of the root element: its elements, those of both GPX
    // versions, and those of no namespace when the root has none are GPX
    // elements, written into the GPX 1.1 namespace.
    void SetGpxUri(std::string_view uri) { m_gpxUri = uri; }
    bool IsGpx(std::string_view uri) const;

    // The binding for a foreign namespace (XmlBinding for the xml prefix,
    // which is never declared); hint is the prefix the file used.
    int Bind(std::string_view uri, std::string_view hint);
    // "xml" for XmlBinding.
    const std::string& GetPrefix(int binding) const;
    const std::string& GetUri(int binding) const { return m_bindings[static_cast<size_t>(binding)].second; }

private:
    bool IsPrefixTaken(std::string_view prefix) const;

    std::string m_gpxUri;
    // (prefix, uri)
    std::vector<std::pair<std::string, std::string>> m_bindings;
};
