#include "FilterWindow.h"

#include "TrackPtNavI.h"

#include <algorithm>
#include <cstring>
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

void FilterWindow::AddSuspects(const int* entries, size_t count)
{
    m_suspect.resize(m_valid.size(), 0);
    m_removed.resize(m_valid.size(), 0);
    m_skipping = true;
    for (size_t i = 0; i < count; ++i) {
        const int entry = entries[i];
        if (entry < 0 || static_cast<size_t>(entry) >= m_suspect.size() || m_suspect[static_cast<size_t>(entry)])
            continue;
        m_suspect[static_cast<size_t>(entry)] = 1;
        m_suspectEntries.push_back(entry);
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
    for (const int entry : m_removedEntries)
        m_removed[static_cast<size_t>(entry)] = 0;
    m_removedEntries.clear();
    m_rejections.clear();
    m_lastRemoved = None;
    m_head = m_valid.empty() ? None : 0;
    m_start = m_head;
    m_done = false;
}

bool FilterWindow::RunUntil(const Filter::Function& filter, Clock::time_point deadline)
{
    // The clock is read every so many windows: a window takes about a
    // microsecond.
    constexpr int WindowsPerClockRead = 256;
    int windows = 0;
    while (!m_done) {
        if (++windows % WindowsPerClockRead == 0 && Clock::now() >= deadline)
            return false;
        m_done = Step(filter);
    }
    return true;
}

bool FilterWindow::Step(const Filter::Function& filter)
{
    if (m_start == None)
        return true;
    const int filled = Collect();
    if (m_skipping && IsClear())
        return filled < Length || !JumpToNextSuspect();
    Fill();
    const Filter::Result result = filter(m_window);
    const bool rejected = !result.IsNone() && result.index >= 0 && result.index < filled;
    if (!rejected) {
        if (filled < Length)
            return true;
        m_start = m_next[static_cast<size_t>(m_start)];
        return false;
    }
    const int entry = m_inWindow[static_cast<size_t>(result.index)];
    m_rejections[m_valid[static_cast<size_t>(entry)]] = result.reason;
    // One place back, not before the first remaining point.
    const int back = m_prev[static_cast<size_t>(m_start)];
    Unlink(entry);
    m_start = back != None ? back : m_head;
    return m_start == None;
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
    const size_t from = static_cast<size_t>(end) + 1;
    if (from >= m_suspect.size())
        return false;
    const void* next = std::memchr(m_suspect.data() + from, 1, m_suspect.size() - from);
    if (!next)
        return false;
    // Nothing between is removed, so the window that takes the suspect as
    // its last entry starts Length - 1 entries before it.
    m_start = static_cast<int>(static_cast<const uint8_t*>(next) - m_suspect.data()) - (Length - 1);
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
        m_removedEntries.push_back(entry);
        m_lastRemoved = std::max(m_lastRemoved, entry);
    }
}
