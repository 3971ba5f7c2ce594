#pragma once

#include "PointMarkupTable.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

class TrackPoint;

// Hands out markup tags, unique in the process, and finds the table of a
// tag while any point array still holds that table. Points are copied into
// new arrays by many edits (split, join, save parts as a file); an array
// that receives points asks here for the tables of their tags instead of
// every edit passing tables along. Loaders call it from their worker
// thread, hence the lock.
class PointMarkupRegistry
{
public:
    static PointMarkupRegistry& Instance();

    // 0 means "no markup"; after four billion tags no more are given out
    // and further points keep nothing.
    uint32_t NextTag();
    void Register(const std::shared_ptr<const PointMarkupTable>& table);
    std::shared_ptr<const PointMarkupTable> Find(uint32_t tag);

private:
    std::mutex m_mutex;
    uint32_t m_lastTag = 0;
    std::vector<std::weak_ptr<const PointMarkupTable>> m_tables;
};
