#include "CutMap.h"

CutMap::CutMap(const std::vector<TrackPoint>& points, const RestructureParams& params,
               const std::vector<int>& keptBreaks)
    : m_keptBreaks(keptBreaks.begin(), keptBreaks.end())
{
    const int count = static_cast<int>(points.size());
    if (count == 0)
        return;
    const TimeSpan folderGap(TimeSpan::Minutes, params.folderMinutes);
    const TimeSpan segmentGap(TimeSpan::Minutes, params.segmentMinutes);
    auto kept = m_keptBreaks.begin();
    // Indices only grow, so every insertion goes at the end in constant time.
    for (int i = 0; i + 1 < count; ++i) {
        // A point without time gives no gap on either side.
        const TimeSpan gap = points[static_cast<size_t>(i + 1)].GetTime() - points[static_cast<size_t>(i)].GetTime();
        while (kept != m_keptBreaks.end() && *kept < i)
            ++kept;
        const bool isKept = kept != m_keptBreaks.end() && *kept == i;
        if (gap > folderGap)
            m_cuts.emplace_hint(m_cuts.end(), i, NewFolder);
        else if (gap > segmentGap || isKept)
            m_cuts.emplace_hint(m_cuts.end(), i, NewSegment);
    }
    m_cuts.emplace_hint(m_cuts.end(), count - 1, End);
}

void CutMap::DropShortSegments()
{
    auto it = m_cuts.begin();
    if (it == m_cuts.end())
        return;
    int previous = it->first;
    for (++it; it != m_cuts.end();) {
        if (it->second == NewSegment && it->first - previous < MinSegmentPoints && !m_keptBreaks.count(it->first)) {
            it = m_cuts.erase(it);
        } else {
            previous = it->first;
            ++it;
        }
    }
}
