#pragma once

#include "ByteArray.h"

#include <cstddef>
#include <list>
#include <optional>
#include <string>
#include <unordered_map>

// Downloaded tiles by tile key, bounded by their total size: the least
// recently used go first. Not locked: the owner guards it.
class LruCacheImpl
{
public:
    // 150 MiB.
    static constexpr size_t DefaultLimit = 157286400;

    explicit LruCacheImpl(size_t limitBytes = DefaultLimit);

    // The entry, which becomes the most recently used; none when absent.
    std::optional<ByteArray> Find(const std::string& key);
    // Adds or replaces the entry as the most recently used, then drops the
    // least recently used while the total exceeds the limit.
    void Insert(const std::string& key, ByteArray bytes);

    size_t GetTotalSize() const { return m_totalSize; }
    size_t GetCount() const { return m_entries.size(); }

private:
    using Entry = std::pair<std::string, ByteArray>;

    // Most recently used first.
    std::list<Entry> m_entries;
    std::unordered_map<std::string, std::list<Entry>::iterator> m_index;
    size_t m_totalSize = 0;
    size_t m_limit;
};
