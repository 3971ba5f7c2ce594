#include "FilterPreviewMarks.h"

#include "ProcessSingleton.h"

#include <algorithm>

FilterPreviewMarks& FilterPreviewMarks::GetInstance()
{
    return ProcessSingleton<FilterPreviewMarks>::Instance();
}

void FilterPreviewMarks::Show(int tid, const std::map<int, int>& rejections)
{
    m_tid = tid;
    m_indices.clear();
    m_reasons.clear();
    m_indices.reserve(rejections.size());
    m_reasons.reserve(rejections.size());
    for (const auto& [index, key] : rejections) {
        m_indices.push_back(index);
        m_reasons.push_back(key);
    }
    m_changed();
}

void FilterPreviewMarks::Clear()
{
    if (m_tid < 0 && m_indices.empty())
        return;
    m_tid = -1;
    m_indices.clear();
    m_reasons.clear();
    m_changed();
}

int FilterPreviewMarks::GetReason(int tid, int index) const
{
    if (tid != m_tid || tid < 0)
        return 0;
    const auto it = std::lower_bound(m_indices.begin(), m_indices.end(), index);
    return it != m_indices.end() && *it == index ? m_reasons[static_cast<size_t>(it - m_indices.begin())] : 0;
}

boost::signals2::scoped_connection FilterPreviewMarks::Subscribe(const std::function<void()>& onChange)
{
    return m_changed.connect(onChange);
}
