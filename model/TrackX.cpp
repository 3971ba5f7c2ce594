#include "TrackX.h"

#include "Track.h"
#include "TrackPointEx.h"
#include "TrackXInternal.h"

#include <algorithm>

TrackX::TrackX(int tid, int parentTid) : m_internal(std::make_shared<TrackXInternal>(tid, parentTid))
{
}

const std::vector<std::shared_ptr<Track>>& TrackX::GetParts() const
{
    return m_internal->parts;
}

Track* TrackX::Locate(int index, int& local) const
{
    int part = -1;
    if (!m_internal->Locate(index, part, local))
        return nullptr;
    return m_internal->parts[static_cast<size_t>(part)].get();
}

const CalcDataGeneralI& TrackX::GetCalcData() const
{
    return m_internal->calculated;
}

const TrackPtNavI& TrackX::GetPtNav() const
{
    return m_internal->navigator;
}

bool TrackX::GetPointEx(int index, TrackPointEx& out) const
{
    int local = 0;
    const Track* part = Locate(index, local);
    TrackPoint point;
    if (part == nullptr || !part->GetPoint(local, point))
        return false;
    // The composite's parameters: the distance from start runs across parts.
    out = TrackPointEx(point, m_internal->calculated.GetPointParams(index));
    return true;
}

bool TrackX::GetPoint(int index, TrackPoint& out) const
{
    int local = 0;
    const Track* part = Locate(index, local);
    return part != nullptr && part->GetPoint(local, out);
}

bool TrackX::GetPosition(int index, double& x, double& y, double& z) const
{
    int local = 0;
    const Track* part = Locate(index, local);
    return part != nullptr && part->GetPosition(local, x, y, z);
}

int TrackX::GetTid() const
{
    return m_internal->tid;
}

int TrackX::GetPointCount() const
{
    return m_internal->navigator.GetCount();
}

uint64_t TrackX::GetChangeCount() const
{
    uint64_t changes = m_internal->parts.size();
    for (const std::shared_ptr<Track>& part : m_internal->parts)
        changes += part->GetChangeCount();
    return changes;
}

void TrackX::Refresh(bool checkTimes)
{
    m_internal->Batch([checkTimes](Track& part) { part.Refresh(checkTimes); });
}

void TrackX::DeletePoint(int index)
{
    int local = 0;
    if (Track* part = Locate(index, local))
        part->DeletePoint(local);
}

void TrackX::SetPoint(int index, const TrackPoint& point)
{
    int local = 0;
    if (Track* part = Locate(index, local))
        part->SetPoint(local, point);
}

void TrackX::InsertPoints(int index, const std::vector<TrackPoint>& points)
{
    if (m_internal->parts.empty())
        return;
    int local = 0;
    Track* part = Locate(std::max(index, 0), local);
    if (part == nullptr) {
        part = m_internal->parts.back().get();
        local = part->GetPointCount();
    }
    part->InsertPoints(local, points);
}

TrackPointStatus* TrackX::GetPointStatus(int index)
{
    int local = 0;
    Track* part = Locate(index, local);
    return part != nullptr ? part->GetPointStatus(local) : nullptr;
}

void TrackX::DeleteFiltered()
{
    m_internal->Batch([](Track& part) { part.DeleteFiltered(); });
}

void TrackX::RestoreFiltered()
{
    m_internal->Batch([](Track& part) { part.RestoreFiltered(); });
}

const TrackDataI& TrackX::GetTrackData() const
{
    return *m_internal;
}

TrackDataI& TrackX::GetTrackData()
{
    return *m_internal;
}

void TrackX::AddPart(const std::shared_ptr<TrackI>& part)
{
    if (auto segment = std::dynamic_pointer_cast<Track>(part)) {
        m_internal->AppendSegment(segment);
    } else if (auto composite = std::dynamic_pointer_cast<TrackX>(part)) {
        // A composite cannot hold itself.
        if (composite->m_internal != m_internal)
            m_internal->AppendComposite(composite);
    }
}

int TrackX::ConvertIndex(int index, int otherTid) const
{
    return m_internal->ConvertIndex(index, otherTid);
}

int TrackX::GetSegmentTid(int index) const
{
    int local = 0;
    const Track* part = Locate(index, local);
    return part != nullptr ? part->GetTid() : -1;
}

int TrackX::GetParentOffset() const
{
    return m_internal->parentOffset;
}

int TrackX::GetParentTid() const
{
    return m_internal->parentTid;
}

void TrackX::SetParentOffset(int offset)
{
    m_internal->parentOffset = offset;
}

void TrackX::ClearParts()
{
    m_internal->Clear();
}
