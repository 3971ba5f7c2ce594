#pragma once

#include "Filter.h"
#include "Track.h"

#include <chrono>
#include <cstdint>
#include <map>
#include <vector>

// One sliding-window run of a filter over a track. The filter sees a small
// track of copies of consecutive valid points with its own derived data, so
// that after a rejection only the few points around it are measured again.
// The track itself is not changed; the rejections are collected.
class FilterWindow
{
public:
    static constexpr int Length = 5;

    explicit FilterWindow(const TrackI& track);

    using Clock = std::chrono::steady_clock;

    // Slides the window over the valid points. After a rejection the point
    // leaves the valid list and the window steps back one place, so the
    // points before it are judged again against their new neighbour.
    void Run(const Filter::Function& filter) { RunUntil(filter, Clock::time_point::max()); }
    // The same in parts: stops once deadline has passed and goes on where
    // it stopped when called again; true when the run is over. Rejections
    // are final as they come, so those of a part are some of the run's.
    bool RunUntil(const Filter::Function& filter, Clock::time_point deadline);

    // Lets the run pass over windows that cannot reject anything, for a
    // filter that judges each point by itself alone (its own derived
    // parameters): entries holds, in any order and perhaps more than once,
    // the position among the valid points of every point that the filter
    // might reject, either as measured in the track or as the last point
    // of a window, which has no accelerations. Every other point, while
    // both its neighbours in the track are still there, looks the same to
    // the filter in any window as in the track, so a window holding only
    // such points needs no filter call. Call before Run; the suspects stay
    // until Rewind.
    void AddSuspects(const int* entries, size_t count);

    // Back to the state before the first run, with no suspects and no
    // rejections, in time proportional to what the last run touched rather
    // than to the track, so that one window can judge many limits.
    void Rewind();

    // Point index -> reason key, in index order.
    const std::map<int, int>& GetRejections() const { return m_rejections; }

private:
    static constexpr int None = -1;

    // Judges one window, or passes over clear ones; true when the run is over.
    bool Step(const Filter::Function& filter);
    // The entries from the start position on (at most Length); returns
    // how many there were.
    int Collect();
    // Copies the collected entries' points into the window track.
    void Fill();
    // Whether no entry the filter judges (all but the first) can be
    // rejected in the collected window.
    bool IsClear() const;
    // From a clear window of Length entries, the start of the next window
    // that holds a suspect; false when no later window can reject.
    bool JumpToNextSuspect();
    // Takes the entry out of the list of valid points.
    void Unlink(int entry);

    const TrackI& m_track;
    Track m_window;
    // The valid points at the start of the run, as a list that loses its
    // rejected entries in constant time.
    std::vector<int> m_valid;
    std::vector<int> m_next;
    std::vector<int> m_prev;
    int m_head = None;
    int m_start = None;
    // The entries now in the window, in order.
    std::vector<int> m_inWindow;
    std::map<int, int> m_rejections;
    bool m_skipping = false;
    bool m_done = false;
    // Empty until AddSuspects is first called; by entry.
    std::vector<uint8_t> m_suspect;
    // Those set in m_suspect, unordered.
    std::vector<int> m_suspectEntries;
    std::vector<uint8_t> m_removed;
    // Those set in m_removed.
    std::vector<int> m_removedEntries;
    int m_lastRemoved = None;
    // The list places a run changed, for Rewind.
    std::vector<int> m_relinked;
};
