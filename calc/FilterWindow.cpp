#include "FilterWindow.h"

#include "TrackPtNavI.h"

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

void FilterWindow::Run(const Filter::Function& filter)
{
    if (m_head == None)
        return;
    int filled = Fill();
    for (;;) {
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
        filled = Fill();
    }
}

int FilterWindow::Fill()
{
    std::vector<TrackPoint>& points = m_window.GetTrackDataPtr()->GetPoints();
    points.clear();
    m_inWindow.clear();
    const TrackDataI& source = m_track.GetTrackData();
    for (int entry = m_start; entry != None && static_cast<int>(m_inWindow.size()) < Length;
         entry = m_next[static_cast<size_t>(entry)]) {
        m_inWindow.push_back(entry);
        points.push_back(source.GetTrackPoint(m_valid[static_cast<size_t>(entry)]));
    }
    m_window.Refresh(false);
    return static_cast<int>(m_inWindow.size());
}

void FilterWindow::Unlink(int entry)
{
    const int before = m_prev[static_cast<size_t>(entry)];
    const int after = m_next[static_cast<size_t>(entry)];
    if (before != None)
        m_next[static_cast<size_t>(before)] = after;
    else
        m_head = after;
    if (after != None)
        m_prev[static_cast<size_t>(after)] = before;
}
