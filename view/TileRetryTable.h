#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <unordered_map>

// The tiles whose last download failed, by tile key, and when each may be
// tried again. A server that is down or over its limit (5xx, 429, a
// time-out) is asked again after a delay that doubles with every failure in
// a row; a tile the server does not have (404) is not asked for again while
// the program runs. Not locked: the owner guards it.
class TileRetryTable
{
public:
    using TimePoint = std::chrono::steady_clock::time_point;
    using Clock = std::function<TimePoint()>;
    static constexpr std::chrono::seconds FirstDelay{30};
    static constexpr std::chrono::seconds MaxDelay{3600};

    // The clock is the steady clock unless a test brings its own.
    explicit TileRetryTable(Clock clock = {});

    // copyKept: an older copy of the tile is still shown (from the disk),
    // only its refresh failed.
    void RecordFailure(const std::string& key, bool copyKept);
    void RecordMissing(const std::string& key);
    void Forget(const std::string& key);

    // Not to be asked for now: missing, or failed and its delay not over.
    bool IsWaiting(const std::string& key) const;
    // Nothing to show for it: waiting without an older copy.
    bool IsBlank(const std::string& key) const;
    // True once for every retry that came due since the last call: the map
    // must be drawn again for the tile to be asked for.
    bool TakeDueRetries();

private:
    struct Entry
    {
        int failures = 0;
        bool missing = false;
        bool copyKept = false;
        // Reported by TakeDueRetries already.
        bool dueTold = false;
        TimePoint retryAt;
        std::chrono::seconds delay{0};
    };

    Clock m_clock;
    std::unordered_map<std::string, Entry> m_entries;
    // The earliest retry not reported yet, so that most calls of
    // TakeDueRetries look at no entry.
    TimePoint m_nextDue = TimePoint::max();
};
