#include "PointEdits.h"

#include "GEventKind.h"
#include "GEventNotifyI.h"
#include "OpenTracksModel.h"
#include "SegmentBreaks.h"
#include "StringIds.h"
#include "TrackI.h"
#include "TrackPtNavI.h"
#include "TrackTreeAlg.h"
#include "TracksStateHolderImpl.h"

#include <cmath>

namespace {

constexpr double MinDifference = 1e-10;

// Where `value` lies between a and b as a fraction; not positive when the
// two are too close to tell.
double Fraction(double a, double b, double value)
{
    return std::abs(b - a) < MinDifference ? -1.0 : (value - a) / (b - a);
}

} // namespace

PointEdits::PointEdits(OpenTracksModel& model, TracksStateHolderImpl& holder, GEventNotifyI& events)
    : m_model(model), m_holder(holder), m_events(events)
{
}

void PointEdits::MarkModified(int tid)
{
    const int file = TrackTreeAlg(m_model.GetReader().get()).GetFileId(tid);
    if (file >= 0)
        m_model.SetModified(file, true);
}

void PointEdits::SetCurrentPoint(const TrackPosition& point)
{
    m_holder.SetCurrentPoint(point.tid, point.index);
}

void PointEdits::MarkPoint(const TrackPosition& point)
{
    m_holder.MarkPoint(point.tid, point.index);
}

void PointEdits::ClearPointRange()
{
    m_holder.ClearPointRange();
}

TrackPosition PointEdits::StepCurrentPoint(bool forward)
{
    const TrackPosition current = m_holder.GetState().GetCurrentPoint();
    const TrackPtr track = current.tid >= 0 ? m_model.GetTrack(current.tid) : nullptr;
    if (!track)
        return {};
    const TrackPtNavI& nav = track->GetPtNav();
    const int index = forward ? nav.GetNext(current.index, 1) : nav.GetPrev(current.index, 1);
    if (index < 0)
        return {};
    SetCurrentPoint({current.tid, index});
    return {current.tid, index};
}

void PointEdits::RemovePoint(const TrackPosition& point)
{
    const UndoScope step(m_model, IDS_UNDO_REMOVE_POINT, FileSnapshot::Depth::Statuses);
    const TrackPtr track = m_model.GetTrack(point.tid);
    TrackPointStatus* status = track ? track->GetPointStatus(point.index) : nullptr;
    if (!status || !status->IsValid())
        return;
    status->SetFilterReason(RemovedByUserReason);
    track->Refresh(false);
    MarkModified(point.tid);
    m_events.NotifyPair(GEventKind::PointRemovedRestored, point.tid, point.index);
}

void PointEdits::RestorePoint(const TrackPosition& point)
{
    const UndoScope step(m_model, IDS_UNDO_RESTORE_POINT, FileSnapshot::Depth::Statuses);
    const TrackPtr track = m_model.GetTrack(point.tid);
    TrackPointStatus* status = track ? track->GetPointStatus(point.index) : nullptr;
    if (!status || status->IsValid())
        return;
    status->SetValid(true);
    track->Refresh(false);
    MarkModified(point.tid);
    m_events.NotifyPair(GEventKind::PointRemovedRestored, point.tid, point.index);
}

PointEdits::Place PointEdits::GetPlace(const TrackPosition& point) const
{
    const TrackPtr track = point.tid >= 0 ? m_model.GetTrack(point.tid) : nullptr;
    if (!track || point.index < 0 || point.index >= track->GetPointCount())
        return NoPlace;
    if (point.index == 0)
        return First;
    return point.index == track->GetPointCount() - 1 ? Last : Inside;
}

void PointEdits::AddBreak(const TrackPosition& point)
{
    const UndoScope step(m_model, IDS_UNDO_ADD_BREAK);
    SegmentBreaks(m_model).AddBreak(point);
}

void PointEdits::RemoveBreak(const TrackPosition& point)
{
    const UndoScope step(m_model, IDS_UNDO_REMOVE_BREAK);
    SegmentBreaks(m_model).RemoveBreak(point);
}

TrackPosition PointEdits::InsertPoint(int tid, int first, int second, const GeoPoint& at)
{
    const UndoScope step(m_model, IDS_UNDO_INSERT_POINT);
    const TrackPtr track = m_model.GetTrack(tid);
    TrackPoint a;
    TrackPoint b;
    if (!track || !track->GetPoint(first, a) || !track->GetPoint(second, b))
        return {};
    const double tLon = Fraction(a.GetLon(), b.GetLon(), at.lon);
    const double tLat = Fraction(a.GetLat(), b.GetLat(), at.lat);
    double t = 0.5;
    if (tLon > 0 && tLat > 0)
        t = (tLon + tLat) / 2;
    else if (tLon > 0)
        t = tLon;
    else if (tLat > 0)
        t = tLat;
    TrackPoint point;
    point.Set3D({a.GetLon() + (b.GetLon() - a.GetLon()) * t, a.GetLat() + (b.GetLat() - a.GetLat()) * t,
                 a.GetElevation() + (b.GetElevation() - a.GetElevation()) * t});
    if (!a.GetTime().IsNull() && !b.GetTime().IsNull())
        point.SetTime(a.GetTime() + TimeSpan::FromSeconds((b.GetTime() - a.GetTime()).GetInSeconds() * t));
    point.GetStatus().SetMode(TrackPointStatus::AddedByUser, true);
    track->InsertPoints(first + 1, {point});
    MarkModified(tid);
    m_events.NotifyPair(GEventKind::PointAdded, tid, first + 1);
    SetCurrentPoint({tid, first + 1});
    return {tid, first + 1};
}

void PointEdits::MovePoint(const TrackPosition& point, const GeoPoint& to)
{
    const UndoScope step(m_model, IDS_UNDO_MOVE_POINT);
    const TrackPtr track = m_model.GetTrack(point.tid);
    TrackPoint moved;
    if (!track || !track->GetPoint(point.index, moved))
        return;
    moved.Set2D({to.lon, to.lat});
    track->SetPoint(point.index, moved);
    MarkModified(point.tid);
    m_events.Notify(GEventKind::PointsChanged);
}

void PointEdits::BeginDrag()
{
    m_drag.reset();
    m_drag.emplace(m_model, IDS_UNDO_MOVE_POINT);
}
