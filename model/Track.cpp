#include "Track.h"

#include "TimeOrderCheck.h"
#include "TrackInternal.h"
#include "TrackPointEx.h"

#include <algorithm>

Track::Track() : Track(std::make_shared<TrackData>(), -1, -1)
{
}

Track::Track(TrackDataPtr points, int tid, int parentTid)
    : m_internal(std::make_shared<TrackInternal>(points ? std::move(points) : std::make_shared<TrackData>(), tid,
                                                 parentTid))
{
}

void Track::Place(int tid, int parentTid)
{
    m_internal->tid = tid;
    m_internal->parentTid = parentTid;
}

const TrackDataPtr& Track::GetTrackDataPtr() const
{
    return m_internal->points;
}

boost::signals2::scoped_connection Track::SubscribeLayoutChanged(std::function<void()> slot) const
{
    return m_internal->layoutChanged.connect(std::move(slot));
}

bool Track::Contains(int index) const
{
    return index >= 0 && index < m_internal->points->GetPointCount();
}

const CalcDataGeneralI& Track::GetCalcData() const
{
    return *m_internal->calculated;
}

const TrackPtNavI& Track::GetPtNav() const
{
    return *m_internal->navigator;
}

bool Track::GetPointEx(int index, TrackPointEx& out) const
{
    if (!Contains(index))
        return false;
    out = TrackPointEx(m_internal->points->GetTrackPoint(index), m_internal->calculated->GetPointParams(index));
    return true;
}

bool Track::GetPoint(int index, TrackPoint& out) const
{
    if (!Contains(index))
        return false;
    out = m_internal->points->GetTrackPoint(index);
    return true;
}

bool Track::GetPosition(int index, double& x, double& y, double& z) const
{
    if (!Contains(index))
        return false;
    const TVector3<double>& position = m_internal->points->GetTrackPoint(index).Get3D();
    x = position.x;
    y = position.y;
    z = position.z;
    return true;
}

int Track::GetTid() const
{
    return m_internal->tid;
}

int Track::GetPointCount() const
{
    return m_internal->navigator->GetCount();
}

uint64_t Track::GetChangeCount() const
{
    return m_internal->changes;
}

void Track::RebuildAll()
{
    ++m_internal->changes;
    m_internal->navigator->Rebuild(*m_internal->points);
    m_internal->calculated->Recalculate(0, -1);
    m_internal->layoutChanged();
}

void Track::Refresh(bool checkTimes)
{
    if (checkTimes)
        TimeOrderCheck::Run(*m_internal->points);
    RebuildAll();
}

void Track::DeletePoint(int index)
{
    if (!Contains(index))
        return;
    TrackInternal& track = *m_internal;
    ++track.changes;
    track.points->Erase(index);
    track.navigator->ErasePoint(index);
    track.calculated->RemovePointRecord(index);
    // The valid points on either side now face each other.
    track.calculated->Recalculate(track.navigator->GetPrev(index, TrackPtNavI::ModeValid),
                                  track.navigator->GetNext(index - 1, TrackPtNavI::ModeValid));
    track.layoutChanged();
}

void Track::SetPoint(int index, const TrackPoint& point)
{
    if (!Contains(index))
        return;
    TrackInternal& track = *m_internal;
    ++track.changes;
    TrackPoint& target = track.points->GetTrackPoint(index);
    const bool wasValid = target.IsValid();
    target = point;
    if (point.IsValid() != wasValid)
        track.navigator->SetValid(index, point.IsValid());
    track.calculated->Recalculate(track.navigator->GetPrev(index, TrackPtNavI::ModeValid),
                                  track.navigator->GetNext(index, TrackPtNavI::ModeValid));
}

void Track::InsertPoints(int index, const std::vector<TrackPoint>& points)
{
    if (points.empty())
        return;
    TrackData& all = *m_internal->points;
    all.InsertPoints(std::clamp(index, 0, all.GetPointCount()), points);
    RebuildAll();
}

TrackPointStatus* Track::GetPointStatus(int index)
{
    return Contains(index) ? &m_internal->points->GetTrackPoint(index).GetStatus() : nullptr;
}

void Track::DeleteFiltered()
{
    std::erase_if(m_internal->points->GetPoints(), [](const TrackPoint& point) { return !point.IsValid(); });
    RebuildAll();
}

void Track::RestoreFiltered()
{
    if (m_internal->navigator->GetFilteredCount() == 0)
        return;
    for (TrackPoint& point : m_internal->points->GetPoints())
        point.GetStatus().SetValid();
    Refresh(true);
}

const TrackDataI& Track::GetTrackData() const
{
    return *m_internal->points;
}

TrackDataI& Track::GetTrackData()
{
    return *m_internal->points;
}

int Track::GetSegmentTid(int) const
{
    return m_internal->tid;
}

int Track::GetParentOffset() const
{
    return m_internal->parentOffset;
}

int Track::GetParentTid() const
{
    return m_internal->parentTid;
}

void Track::SetParentOffset(int offset)
{
    m_internal->parentOffset = offset;
}
