#include "TrackXInternal.h"

#include "AppTick.h"
#include "LayoutDeferral.h"
#include "Track.h"
#include "TrackX.h"

#include <utility>

TrackXInternal::TrackXInternal(int tid, int parentTid)
    : tid(tid)
    , parentTid(parentTid)
    , m_tick(AppTick::GetInstance().Subscribe([this] { calculated.OnTick(); }))
{
}

TrackXInternal::~TrackXInternal()
{
    LayoutDeferral::Forget(this);
}

void TrackXInternal::AppendSegment(const std::shared_ptr<Track>& segment)
{
    const int start = navigator.GetCount();
    parts.push_back(segment);
    navigator.AddPart(segment->GetPtNav());
    calculated.AddMember(segment->GetCalcData(), segment->GetPointCount());
    if (segment->GetParentTid() == tid)
        segment->SetParentOffset(start);
    m_partConnections.push_back(segment->SubscribeLayoutChanged([this] { OnPartLayoutChanged(); }));
}

void TrackXInternal::AppendComposite(const std::shared_ptr<TrackX>& composite)
{
    const int start = navigator.GetCount();
    const std::vector<std::shared_ptr<Track>>& segments = composite->GetParts();
    composites.push_back({composite, static_cast<int>(parts.size()), static_cast<int>(segments.size())});
    for (const std::shared_ptr<Track>& segment : segments)
        AppendSegment(segment);
    if (composite->GetParentTid() == tid)
        composite->SetParentOffset(start);
}

void TrackXInternal::Clear()
{
    m_partConnections.clear();
    parts.clear();
    composites.clear();
    navigator.Clear();
    calculated.ResetMembers();
}

int TrackXInternal::PartStart(int part) const
{
    return part < navigator.GetPartCount() ? navigator.GetPartStart(part) : navigator.GetCount();
}

void TrackXInternal::UpdateLayout()
{
    navigator.UpdateStarts();
    calculated.ResetMembers();
    for (size_t k = 0; k < parts.size(); ++k) {
        Track& segment = *parts[k];
        calculated.AddMember(segment.GetCalcData(), segment.GetPointCount());
        if (segment.GetParentTid() == tid)
            segment.SetParentOffset(navigator.GetPartStart(static_cast<int>(k)));
    }
    for (const SubComposite& sub : composites) {
        if (sub.composite->GetParentTid() == tid)
            sub.composite->SetParentOffset(PartStart(sub.firstPart));
    }
}

void TrackXInternal::OnPartLayoutChanged()
{
    if (!LayoutDeferral::Defer(this, [this] { UpdateLayout(); }))
        UpdateLayout();
}

void TrackXInternal::Batch(const std::function<void(Track&)>& operation)
{
    const LayoutDeferral deferral;
    for (const std::shared_ptr<Track>& part : parts)
        operation(*part);
    // Also takes up the parts' new total distances when no part said so.
    LayoutDeferral::Defer(this, [this] { UpdateLayout(); });
}

bool TrackXInternal::Locate(int index, int& part, int& local) const
{
    part = navigator.FindPart(index);
    if (part < 0)
        return false;
    local = index - navigator.GetPartStart(part);
    return true;
}

int TrackXInternal::ConvertIndex(int index, int otherTid) const
{
    int part = -1;
    int local = -1;
    if (!Locate(index, part, local))
        return -1;
    if (otherTid == tid)
        return index;
    if (parts[static_cast<size_t>(part)]->GetTid() == otherTid)
        return local;
    for (const SubComposite& sub : composites) {
        if (part >= sub.firstPart && part < sub.firstPart + sub.partCount)
            return sub.composite->ConvertIndex(index - PartStart(sub.firstPart), otherTid);
    }
    return -1;
}

const TrackPoint& TrackXInternal::GetTrackPoint(int index) const
{
    int part = 0;
    int local = 0;
    Locate(index, part, local);
    return std::as_const(*parts[static_cast<size_t>(part)]).GetTrackData().GetTrackPoint(local);
}

TrackPoint& TrackXInternal::GetTrackPoint(int index)
{
    int part = 0;
    int local = 0;
    Locate(index, part, local);
    return parts[static_cast<size_t>(part)]->GetTrackData().GetTrackPoint(local);
}
