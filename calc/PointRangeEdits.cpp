#include "PointRangeEdits.h"

#include "GEventKind.h"
#include "GEventNotifyI.h"
#include "NamerImpl.h"
#include "OpenTracksModel.h"
#include "PointEdits.h"
#include "Track.h"
#include "TrackTreeAlg.h"
#include "TracksStateHolderImpl.h"

#include <algorithm>

PointRangeEdits::PointRangeEdits(OpenTracksModel& model, TracksStateHolderImpl& holder, GEventNotifyI& events)
    : m_model(model), m_holder(holder), m_events(events)
{
}

bool PointRangeEdits::Fits(const PointRange& range) const
{
    const auto segment = std::dynamic_pointer_cast<Track>(m_model.GetTrack(range.tid));
    return segment && range.first >= 0 && range.first <= range.last && range.last < segment->GetPointCount();
}

void PointRangeEdits::MarkModified(int tid)
{
    const int file = TrackTreeAlg(m_model.GetReader().get()).GetFileId(tid);
    if (file >= 0)
        m_model.SetModified(file, true);
}

std::vector<TrackPoint> PointRangeEdits::GetPoints(const PointRange& range) const
{
    if (!Fits(range))
        return {};
    const TrackDataI& data = std::as_const(*m_model.GetTrack(range.tid)).GetTrackData();
    std::vector<TrackPoint> points;
    points.reserve(static_cast<size_t>(range.GetCount()));
    for (int i = range.first; i <= range.last; ++i)
        points.push_back(data.GetTrackPoint(i));
    return points;
}

QString PointRangeEdits::GetDefaultName(const PointRange& range) const
{
    TimePeriod span;
    for (const TrackPoint& point : GetPoints(range)) {
        if (!point.IsValid())
            continue;
        if (span.GetStart().IsNull())
            span.SetStart(point.GetTime());
        span.SetEnd(point.GetTime());
    }
    return NamerImpl::MakeName(span);
}

int PointRangeEdits::NewSegment(const PointRange& range, const QString& name)
{
    std::vector<TrackPoint> points = GetPoints(range);
    return points.empty() ? -1 : m_model.InsertSegment(range.tid, std::move(points), name);
}

bool PointRangeEdits::Crop(const PointRange& range)
{
    const auto segment = std::dynamic_pointer_cast<Track>(m_model.GetTrack(range.tid));
    if (!Fits(range) || range.GetCount() == segment->GetPointCount())
        return false;
    std::vector<TrackPoint>& points = segment->GetTrackDataPtr()->GetPoints();
    points.erase(points.begin() + range.last + 1, points.end());
    points.erase(points.begin(), points.begin() + range.first);
    segment->Refresh(false);
    MarkModified(range.tid);

    const TrackPosition current = m_holder.GetState().GetCurrentPoint();
    if (current.tid == range.tid)
        m_holder.SetCurrentPoint(range.tid, std::clamp(current.index, range.first, range.last) - range.first);
    m_holder.SetPointRange(range.tid, 0, range.GetCount() - 1);
    m_events.Notify(GEventKind::PointsChanged);
    return true;
}

int PointRangeEdits::Remove(const PointRange& range)
{
    if (!Fits(range))
        return 0;
    const TrackPtr segment = m_model.GetTrack(range.tid);
    int removed = 0;
    for (int i = range.first; i <= range.last; ++i) {
        TrackPointStatus* status = segment->GetPointStatus(i);
        if (status->IsValid()) {
            status->SetFilterReason(PointEdits::RemovedByUserReason);
            ++removed;
        }
    }
    if (removed == 0)
        return 0;
    segment->Refresh(false);
    MarkModified(range.tid);
    m_events.Notify(GEventKind::PointsChanged);
    return removed;
}

int PointRangeEdits::AddAsFile(const PointRange& range, const QString& fileName)
{
    std::vector<TrackPoint> points = GetPoints(range);
    if (points.empty())
        return -1;
    TrackTree tree;
    const int file = tree.GetCreator()->AddFile(fileName, QString(), TrackFileGpx);
    const int segment = tree.GetCreator()->AddSegment(file, m_model.GetReader()->GetNode(range.tid)->GetName());
    TrackDataSetImpl data;
    data.Add(segment, std::make_shared<TrackData>(std::move(points)));
    return m_model.AddNewFile(*tree.GetReader(), file, data);
}
