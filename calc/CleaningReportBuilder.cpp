#include "CleaningReportBuilder.h"

#include "FilterReasons.h"
#include "OpenTracksModel.h"
#include "StringIds.h"
#include "TrackTreeAlg.h"
#include "Translator.h"

#include <algorithm>

namespace {

// The text a point's reason is counted under: the rule's own text for the
// filter by value, the plain reason for a local inconsistency, whose key
// also carries a score.
QString ReasonText(int key)
{
    switch (key % 100) {
    case 91:
        return Translator::GetInstance().LoadStr(IDS_REASON_LOCAL_INCONSISTENCY);
    case 92:
        return Translator::GetInstance().LoadStr(IDS_REASON_VERY_LOCAL_INCONSISTENCY);
    default:
        return FilterReasons::GetInstance().GetText(key).text;
    }
}

bool SameFigures(const TrackStatistics& a, const TrackStatistics& b)
{
    return a.points == b.points && a.filtered == b.filtered && a.distance == b.distance && a.duration == b.duration
        && a.movingTime == b.movingTime && a.maxSpeed == b.maxSpeed && a.ascent == b.ascent
        && a.descent == b.descent;
}

// A segment whose figures and points stayed as they were is only counted;
// its figures still belong to the file's.
void Keep(CleaningSegment& entry, CleaningReport& report)
{
    const bool same = entry.before && entry.after && entry.removed.empty() && SameFigures(*entry.before, *entry.after)
        && entry.beforePosition == entry.afterPosition;
    if (same) {
        ++report.unchangedSegments;
        report.before.Add(*entry.before);
    } else {
        report.segments.push_back(std::move(entry));
    }
}

} // namespace

CleaningReportBuilder::CleaningReportBuilder(OpenTracksModel& model, int fileTid, const StatisticsParams& params,
                                             bool withPoints)
    : m_model(model)
    , m_file(fileTid)
    , m_params(params)
    , m_withPoints(withPoints)
{
    const std::vector<int> segments = Segments();
    for (size_t i = 0; i < segments.size(); ++i) {
        CleaningSegment& entry = m_byTid[segments[i]];
        entry.beforePosition = static_cast<int>(i);
        entry.before = Figures(segments[i]);
    }
}

std::vector<int> CleaningReportBuilder::Segments() const
{
    std::vector<int> segments;
    TrackTreeAlg(m_model.GetReader().get()).GetSubsegmentIds(m_file, segments);
    return segments;
}

TrackPtr CleaningReportBuilder::Segment(int tid) const
{
    return m_model.GetTrack(tid);
}

void CleaningReportBuilder::CountBeforeDelete(int tid)
{
    CountFiltered(tid, &CleaningSegment::removed);
}

void CleaningReportBuilder::CountFiltered(int tid, ReasonCounts CleaningSegment::*counts)
{
    const TrackPtr segment = Segment(tid);
    if (!segment)
        return;
    CleaningSegment& entry = m_byTid[tid];
    const TrackDataI& points = segment->GetTrackData();
    for (int i = 0; i < points.GetPointCount(); ++i) {
        const TrackPoint& point = points.GetTrackPoint(i);
        if (point.IsValid())
            continue;
        const int key = point.GetStatus().GetFilterReason();
        ++(entry.*counts)[ReasonText(key)];
        if (m_withPoints)
            entry.points.push_back({point.GetLon(), point.GetLat(), key});
    }
}

CleaningReport CleaningReportBuilder::Finish(QString error)
{
    CleaningReport report;
    report.error = std::move(error);
    const std::vector<int> segments = Segments();
    for (size_t i = 0; i < segments.size(); ++i) {
        CountFiltered(segments[i], &CleaningSegment::filtered);
        CleaningSegment entry = std::move(m_byTid[segments[i]]);
        m_byTid.erase(segments[i]);
        entry.afterPosition = static_cast<int>(i);
        entry.after = Figures(segments[i]);
        report.after.Add(*entry.after);
        Keep(entry, report);
    }
    std::vector<CleaningSegment> gone;
    for (auto& [tid, entry] : m_byTid)
        gone.push_back(std::move(entry));
    m_byTid.clear();
    std::sort(gone.begin(), gone.end(), [](const CleaningSegment& a, const CleaningSegment& b) {
        return a.beforePosition < b.beforePosition;
    });
    for (CleaningSegment& entry : gone)
        Keep(entry, report);
    for (const CleaningSegment& entry : report.segments) {
        if (entry.before)
            report.before.Add(*entry.before);
    }
    return report;
}

TrackStatistics CleaningReportBuilder::Figures(int tid) const
{
    const TrackPtr track = Segment(tid);
    return track ? TrackStatistics::OfRange(*track, 0, -1, m_params) : TrackStatistics();
}
