#pragma once

#include <boost/signals2/connection.hpp>
#include <boost/signals2/signal.hpp>

#include <functional>
#include <map>
#include <vector>

// The points of one segment that a filter would mark if it ran now, shown
// by the map and the point list before anything is changed. Process-wide,
// set by whoever previews (the Histogram pane).
class FilterPreviewMarks
{
public:
    static FilterPreviewMarks& GetInstance();

    // rejections: point index -> reason key. Tells the subscribers.
    void Show(int tid, const std::map<int, int>& rejections);
    void Clear();

    // -1 when nothing is shown.
    int GetTid() const { return m_tid; }
    // Ascending.
    const std::vector<int>& GetIndices() const { return m_indices; }
    // The reason key the point would get; 0 when it is not marked.
    int GetReason(int tid, int index) const;

    [[nodiscard]] boost::signals2::scoped_connection Subscribe(const std::function<void()>& onChange);

private:
    int m_tid = -1;
    std::vector<int> m_indices;
    std::vector<int> m_reasons;
    boost::signals2::signal<void()> m_changed;
};
