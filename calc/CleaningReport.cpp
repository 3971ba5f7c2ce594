#include "CleaningReport.h"

namespace {

ReasonCounts SumOver(const std::vector<CleaningSegment>& segments, ReasonCounts CleaningSegment::*counts)
{
    ReasonCounts sum;
    for (const CleaningSegment& segment : segments) {
        for (const auto& [reason, count] : segment.*counts)
            sum[reason] += count;
    }
    return sum;
}

} // namespace

ReasonCounts CleaningReport::GetRemoved() const
{
    return SumOver(segments, &CleaningSegment::removed);
}

ReasonCounts CleaningReport::GetFiltered() const
{
    return SumOver(segments, &CleaningSegment::filtered);
}
