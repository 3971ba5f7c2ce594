#pragma once

#include "Filter.h"
#include "Track.h"

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

    // Slides the window over the valid points. After a rejection the point
    // leaves the valid list and the window steps back one place, so the
    // points before it are judged again against their new neighbour.
    void Run(const Filter::Function& filter);

    // Point index -> reason key, in index order.
    const std::map<int, int>& GetRejections() const { return m_rejections; }

private:
    static constexpr int None = -1;

    // Copies the points from the start position on into the window track;
    // returns how many there were (at most Length).
    int Fill();
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
};
