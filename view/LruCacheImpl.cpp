#include "LruCacheImpl.h"

LruCacheImpl::LruCacheImpl(size_t limitBytes)
    : m_limit(limitBytes)
{
}

std::optional<ByteArray> LruCacheImpl::Find(const std::string& key)
{
    const auto found = m_index.find(key);
    if (found == m_index.end())
        return std::nullopt;
    m_entries.splice(m_entries.begin(), m_entries, found->second);
    return found->second->second;
}

void LruCacheImpl::Insert(const std::string& key, ByteArray bytes)
{
    const auto found = m_index.find(key);
    if (found != m_index.end()) {
        m_totalSize -= found->second->second.Size();
        m_entries.erase(found->second);
        m_index.erase(found);
    }
    m_totalSize += bytes.Size();
    m_entries.emplace_front(key, std::move(bytes));
    m_index.emplace(key, m_entries.begin());
    while (m_totalSize > m_limit && !m_entries.empty()) {
        const Entry& oldest = m_entries.back();
        m_totalSize -= oldest.second.Size();
        m_index.erase(oldest.first);
        m_entries.pop_back();
    }
}
