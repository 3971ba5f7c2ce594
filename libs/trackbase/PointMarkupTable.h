#pragma once

#include "PointMarkup.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The kept markup of the points of one loaded file, by the tag each such
// point carries (TrackPoint::GetMarkupTag). Only points with markup have an
// entry, so a file without any costs nothing per point. Filled while the
// file is read, read-only afterwards; shared by the point arrays that hold
// its points, so the markup follows points into other segments and files.
class PointMarkupTable
{
public:
    // Tags must come in increasing order.
    void Add(uint32_t tag, std::string_view fields, std::string_view dgps, std::string_view extensions);
    void SetNamespaces(std::vector<std::pair<std::string, std::string>> namespaces);
    // Frees what growing while reading left spare.
    void Compact();

    bool IsEmpty() const { return m_entries.empty(); }
    bool Covers(uint32_t tag) const;
    std::optional<PointMarkup> Find(uint32_t tag) const;
    // The (prefix, URI) pairs the markup uses.
    const std::vector<std::pair<std::string, std::string>>& GetNamespaces() const { return m_namespaces; }
    // Bytes held, for measuring.
    size_t GetByteSize() const;

private:
    struct Entry
    {
        uint32_t tag;
        uint32_t begin;
        uint32_t dgps;
        uint32_t extensions;
    };

    std::vector<Entry> m_entries;
    std::string m_text;
    std::vector<std::pair<std::string, std::string>> m_namespaces;
};
