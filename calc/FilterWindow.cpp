#include "FilterWindow.h"

#include "TrackPtNavI.h"

#include <algorithm>
#include <numeric>

FilterWindow::FilterWindow(const TrackI& track)
    : m_track(track)
{
    track.GetPtNav().GetValidIndices(m_valid);
    const int size = static_cast<int>(m_valid.size());
    m_next.resize(m_valid.size());
    m_prev.resize(m_valid.size());
    std::iota(m_next.begin(), m_next.end(), 1);
    std::iota(m_prev.begin(), m_prev.end(), -1);
    if (size > 0) {
        m_next.back() = None;
        m_head = 0;
    }
    m_start = m_head;
    m_inWindow.reserve(Length);
}

void FilterWindow::SetSuspects(const std::vector<int>& points)
{
    m_suspect.resize(m_valid.size(), 0);
    m_removed.resize(m_valid.size(), 0);
    for (const int entry : m_suspectEntries)
        m_suspect[static_cast<size_t>(entry)] = 0;
    m_suspectEntries.clear();
    m_skipping = true;
    auto from = m_valid.begin();
    for (const int index : points) {
        from = std::lower_bound(from, m_valid.end(), index);
        if (from == m_valid.end())
            break;
        if (*from == index) {
            const int entry = static_cast<int>(from - m_valid.begin());
            m_suspect[static_cast<size_t>(entry)] = 1;
            m_suspectEntries.push_back(entry);
        }
    }
}

void FilterWindow::Rewind()
{
    const int last = static_cast<int>(m_valid.size()) - 1;
    for (const int entry : m_relinked) {
        m_next[static_cast<size_t>(entry)] = entry < last ? entry + 1 : None;
        m_prev[static_cast<size_t>(entry)] = entry - 1;
    }
    m_relinked.clear();
    for (const int entry : m_suspectEntries)
        m_suspect[static_cast<size_t>(entry)] = 0;
    m_suspectEntries.clear();
    m_skipping = false;
    if (!m_removed.empty()) {
        for (const auto& [index, reason] : m_rejections) {
            const auto entry = std::lower_bound(m_valid.begin(), m_valid.end(), index) - m_valid.begin();
            m_removed[static_cast<size_t>(entry)] = 0;
        }
    }
    m_rejections.clear();
    m_lastRemoved = None;
    m_head = m_valid.empty() ? None : 0;
    m_start = m_head;
}

void FilterWindow::Run(const Filter::Function& filter)
{
    if (m_head == None)
        return;
    for (;;) {
        const int filled = Collect();
        if (m_skipping && IsClear()) {
            if (filled < Length || !JumpToNextSuspect())
                return;
            continue;
        }
        Fill();
        const Filter::Result result = filter(m_window);
        const bool rejected = !result.IsNone() && result.index >= 0 && result.index < filled;
        if (rejected) {
            const int entry = m_inWindow[static_cast<size_t>(result.index)];
            m_rejections[m_valid[static_cast<size_t>(entry)]] = result.reason;
            // One place back, not before the first remaining point.
            const int back = m_prev[static_cast<size_t>(m_start)];
            Unlink(entry);
            m_start = back != None ? back : m_head;
            if (m_start == None)
                return;
        } else {
            if (filled < Length)
                return;
            m_start = m_next[static_cast<size_t>(m_start)];
        }
    }
}

int FilterWindow::Collect()
{
    m_inWindow.clear();
    for (int entry = m_start; entry != None && static_cast<int>(m_inWindow.size()) < Length;
         entry = m_next[static_cast<size_t>(entry)])
        m_inWindow.push_back(entry);
    return static_cast<int>(m_inWindow.size());
}

void FilterWindow::Fill()
{
    std::vector<TrackPoint>& points = m_window.GetTrackDataPtr()->GetPoints();
    points.clear();
    const TrackDataI& source = m_track.GetTrackData();
    for (const int entry : m_inWindow)
        points.push_back(source.GetTrackPoint(m_valid[static_cast<size_t>(entry)]));
    m_window.Refresh(false);
}

bool FilterWindow::IsClear() const
{
    const int last = static_cast<int>(m_valid.size()) - 1;
    for (size_t position = 1; position < m_inWindow.size(); ++position) {
        const int entry = m_inWindow[position];
        // A removed neighbour changes the point's parameters.
        if (m_suspect[static_cast<size_t>(entry)] || (entry > 0 && m_removed[static_cast<size_t>(entry - 1)])
            || (entry < last && m_removed[static_cast<size_t>(entry + 1)]))
            return false;
    }
    return true;
}

bool FilterWindow::JumpToNextSuspect()
{
    // A clear window holds consecutive entries: a gap would make the entry
    // after it a neighbour of a removed one.
    const int end = m_inWindow.back();
    if (m_lastRemoved != None && m_lastRemoved >= end) {
        // Removed entries ahead may make later points differ: one step only.
        m_start = m_next[static_cast<size_t>(m_start)];
        return true;
    }
    const auto next = std::upper_bound(m_suspectEntries.begin(), m_suspectEntries.end(), end);
    if (next == m_suspectEntries.end())
        return false;
    // Nothing between is removed, so the window that takes the suspect as
    // its last entry starts Length - 1 entries before it.
    m_start = *next - (Length - 1);
    return true;
}

void FilterWindow::Unlink(int entry)
{
    const int before = m_prev[static_cast<size_t>(entry)];
    const int after = m_next[static_cast<size_t>(entry)];
    if (before != None) {
        m_next[static_cast<size_t>(before)] = after;
        m_relinked.push_back(before);
    } else {
        m_head = after;
    }
    if (after != None) {
        m_prev[static_cast<size_t>(after)] = before;
        m_relinked.push_back(after);
    }
    if (!m_removed.empty()) {
        m_removed[static_cast<size_t>(entry)] = 1;
        m_lastRemoved = std::max(m_lastRemoved, entry);
    }
}
