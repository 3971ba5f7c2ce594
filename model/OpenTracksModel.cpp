#include "OpenTracksModel.h"

#include "GEventNotifyI.h"
#include "PreparedSegments.h"
#include "TimeOrderCheck.h"
#include "Track.h"
#include "TrackTreeAlg.h"
#include "TrackTreeEventDataImpl.h"
#include "TrackX.h"
#include "UndoHistory.h"

#include <algorithm>
#include <iterator>
#include <utility>

OpenTracksModel::OpenTracksModel(GEventNotifyI& events)
    : m_events(events)
    , m_reader(m_tree.GetReader())
    , m_editor(m_tree.GetEditor())
{
}

TrackPtr OpenTracksModel::GetTrack(int tid) const
{
    const auto it = m_tracks.find(tid);
    return it == m_tracks.end() ? TrackPtr() : it->second;
}

TrackFileAttrPtr OpenTracksModel::GetFileAttr(int fileTid) const
{
    const auto it = m_fileAttrs.find(fileTid);
    return it == m_fileAttrs.end() ? TrackFileAttrPtr() : it->second;
}

std::shared_ptr<TrackDataSetI> OpenTracksModel::GetDataSet() const
{
    auto data = std::make_shared<TrackDataSetImpl>();
    for (const auto& [tid, track] : m_tracks) {
        if (const auto segment = std::dynamic_pointer_cast<Track>(track))
            data->Add(tid, segment->GetTrackDataPtr());
    }
    return data;
}

void OpenTracksModel::SetModified(int fileTid, bool modified)
{
    if (const TrackFileAttrPtr attr = GetFileAttr(fileTid))
        attr->modified = modified;
}

int OpenTracksModel::AddOpenedFile(const TrackTreeReaderI& tree, int fileTid, TrackDataSetI& data,
                                   const QString& path, TrackFileType type, PreparedSegments* prepared)
{
    return AddFile(tree, fileTid, data, CopyMode{true, prepared}, TrackFileAttr{path, type, false, DiskStamp::Of(path)});
}

int OpenTracksModel::AddNewFile(const TrackTreeReaderI& tree, int fileTid, TrackDataSetI& data)
{
    return AddFile(tree, fileTid, data, CopyMode{}, TrackFileAttr{QString(), TrackFileGpx, true, DiskStamp()});
}

int OpenTracksModel::AddFile(const TrackTreeReaderI& tree, int fileTid, TrackDataSetI& data, CopyMode mode,
                             const TrackFileAttr& attr)
{
    const TrackInfo::Node* file = tree.GetNode(fileTid);
    if (file == nullptr || file->GetKind() != TrackInfo::KindFile)
        return -1;
    auto record = std::make_shared<Record>();
    const int tid = CopySubtree(tree, fileTid, -1, -1, data, mode, *record);
    m_fileAttrs[tid] = std::make_shared<TrackFileAttr>(attr);
    RebuildComposite(tid);
    m_events.NotifyTreeChanged(record);
    return tid;
}

int OpenTracksModel::CopySubtree(const TrackTreeReaderI& tree, int from, int parent, int position,
                                 TrackDataSetI& data, CopyMode mode, Record& record)
{
    const TrackInfo::Node& node = *tree.GetNode(from);
    const int tid = m_editor->AddNode(parent, node, position);
    record.RecordAdded(tid);
    if (node.GetKind() == TrackInfo::KindSegment) {
        TrackDataPtr points = data.Get(from);
        data.Remove(from);
        if (!points)
            points = std::make_shared<TrackData>();
        if (mode.prepared != nullptr) {
            if (std::shared_ptr<Track> track = mode.prepared->Take(from, points)) {
                track->Place(tid, parent);
                m_tracks[tid] = std::move(track);
                return tid;
            }
        }
        // Checked before the track is built, which calculates everything once.
        if (mode.checkTimes)
            TimeOrderCheck::Run(*points);
        m_tracks[tid] = std::make_shared<Track>(std::move(points), tid, parent);
        return tid;
    }
    m_tracks[tid] = std::make_shared<TrackX>(tid, parent);
    // A copy of the list: the source may be this very tree.
    const std::vector<int> children = tree.GetChildren(from);
    for (const int child : children)
        CopySubtree(tree, child, tid, -1, data, mode, record);
    return tid;
}

void OpenTracksModel::Remove(const std::vector<int>& tids)
{
    const TrackTreeAlg tree(m_reader.get());
    auto record = std::make_shared<Record>();
    std::set<int> changed;
    for (const int tid : tree.GetAdults(tids)) {
        CollectAncestors(tid, changed);
        RemoveSubtree(tid, *record);
    }
    if (!record->GetRemoved().empty())
        Finish(record, changed);
}

bool OpenTracksModel::ReplaceFileTree(int fileTid, const TrackTreeReaderI& tree, int newFileTid,
                                      TrackDataSetI& data)
{
    if (!m_fileAttrs.count(fileTid) || tree.GetNode(newFileTid) == nullptr)
        return false;
    auto record = std::make_shared<Record>();
    const std::vector<int> oldChildren = m_reader->GetChildren(fileTid);
    for (const int child : oldChildren)
        RemoveSubtree(child, *record);
    const std::vector<int> newChildren = tree.GetChildren(newFileTid);
    for (const int child : newChildren)
        CopySubtree(tree, child, fileTid, -1, data, CopyMode{}, *record);
    Finish(record, {fileTid});
    return true;
}

bool OpenTracksModel::JoinSegments(int first, int second)
{
    const TrackTreeAlg tree(m_reader.get());
    if (second < 0 || tree.GetAdjacentSegment(first, 1) != second)
        return false;
    const TrackDataI& appended = std::as_const(*GetTrack(second)).GetTrackData();
    std::vector<TrackPoint> points;
    points.reserve(static_cast<size_t>(appended.GetPointCount()));
    for (int i = 0; i < appended.GetPointCount(); ++i)
        points.push_back(appended.GetTrackPoint(i));
    const TrackPtr target = GetTrack(first);
    target->InsertPoints(target->GetPointCount(), points);

    std::set<int> changed{first};
    CollectAncestors(first, changed);
    CollectAncestors(second, changed);
    auto record = std::make_shared<Record>();
    // The segment goes, and with it each folder above that it leaves empty.
    int removed = second;
    int up = m_reader->GetParent(second);
    while (m_reader->GetNode(up)->GetKind() == TrackInfo::KindFolder && m_reader->GetChildren(up).size() == 1) {
        removed = up;
        up = m_reader->GetParent(up);
    }
    RemoveSubtree(removed, *record);
    Finish(record, changed);
    return true;
}

int OpenTracksModel::SplitSegment(int tid, int index)
{
    const auto segment = std::dynamic_pointer_cast<Track>(GetTrack(tid));
    if (!segment || index < 0 || index >= segment->GetPointCount() - 1)
        return -1;
    std::vector<TrackPoint>& points = segment->GetTrackDataPtr()->GetPoints();
    const auto cut = points.begin() + index + 1;
    auto tail = std::make_shared<TrackData>(
        std::vector<TrackPoint>(std::make_move_iterator(cut), std::make_move_iterator(points.end())));
    points.erase(cut, points.end());
    segment->Refresh(false);

    const int parent = m_reader->GetParent(tid);
    const std::vector<int>& siblings = m_reader->GetChildren(parent);
    const auto position = std::find(siblings.begin(), siblings.end(), tid) - siblings.begin() + 1;
    const int added = m_editor->AddNode(parent, TrackInfo::Segment(), static_cast<int>(position));
    m_tracks[added] = std::make_shared<Track>(std::move(tail), added, parent);

    auto record = std::make_shared<Record>();
    record->RecordAdded(added);
    std::set<int> changed{tid};
    CollectAncestors(tid, changed);
    Finish(record, changed);
    return added;
}

int OpenTracksModel::InsertSegment(int after, std::vector<TrackPoint> points, const QString& name)
{
    if (!std::dynamic_pointer_cast<Track>(GetTrack(after)))
        return -1;
    const int parent = m_reader->GetParent(after);
    const std::vector<int>& siblings = m_reader->GetChildren(parent);
    const auto position = std::find(siblings.begin(), siblings.end(), after) - siblings.begin() + 1;
    TrackInfo::Segment node;
    node.SetName(name);
    const int added = m_editor->AddNode(parent, node, static_cast<int>(position));
    m_tracks[added] = std::make_shared<Track>(std::make_shared<TrackData>(std::move(points)), added, parent);

    auto record = std::make_shared<Record>();
    record->RecordAdded(added);
    std::set<int> changed;
    CollectAncestors(added, changed);
    Finish(record, changed);
    return added;
}

void OpenTracksModel::RemoveSubtree(int tid, Record& record)
{
    std::vector<int> subtree;
    TrackTreeAlg(m_reader.get()).GetDescendantsIds(tid, subtree);
    subtree.insert(subtree.begin(), tid);
    for (const int node : subtree) {
        record.RecordRemoved(node);
        m_tracks.erase(node);
        if (m_fileAttrs.erase(node) && m_history)
            m_history->DropFile(node);
    }
    m_editor->Remove(tid);
}

void OpenTracksModel::RebuildComposite(int tid)
{
    const TrackPtr& composite = m_tracks.at(tid);
    composite->ClearParts();
    for (const int child : m_reader->GetChildren(tid)) {
        if (m_reader->GetNode(child)->GetKind() != TrackInfo::KindSegment)
            RebuildComposite(child);
        composite->AddPart(m_tracks.at(child));
    }
}

void OpenTracksModel::CollectAncestors(int tid, std::set<int>& changed) const
{
    for (int up = m_reader->GetParent(tid); up != -1; up = m_reader->GetParent(up))
        changed.insert(up);
}

void OpenTracksModel::ReverseOrder(const std::vector<int>& items)
{
    const TrackTreeAlg tree(m_reader.get());
    std::set<int> changed;
    for (const int item : items) {
        ReverseChildren(item);
        std::vector<int> subtree;
        tree.GetDescendantsIds(item, subtree);
        changed.insert(subtree.begin(), subtree.end());
        std::vector<int> parentage;
        tree.GetParentage(item, parentage);
        changed.insert(parentage.begin(), parentage.end());
    }
    Finish(std::make_shared<Record>(), changed);
}

bool OpenTracksModel::CanMoveSiblings(const std::vector<int>& items, int before) const
{
    if (items.empty())
        return false;
    const std::set<int> distinct(items.begin(), items.end());
    if (distinct.size() != items.size())
        return false;
    for (const int item : items)
        if (m_reader->GetNode(item) == nullptr)
            return false;
    const int parent = m_reader->GetParent(items.front());
    for (const int item : items)
        if (m_reader->GetParent(item) != parent)
            return false;
    return before == -1 || (m_reader->GetNode(before) != nullptr && m_reader->GetParent(before) == parent);
}

bool OpenTracksModel::MoveSiblings(const std::vector<int>& items, int before)
{
    if (!CanMoveSiblings(items, before))
        return false;
    const int parent = m_reader->GetParent(items.front());
    const std::vector<int> siblings = m_reader->GetChildren(parent);
    const std::set<int> moved(items.begin(), items.end());
    // Moved items keep the order they have among their siblings, whatever
    // the order they were handed in.
    std::vector<int> movedInOrder;
    std::vector<int> order;
    for (const int sibling : siblings)
        (moved.count(sibling) ? movedInOrder : order).push_back(sibling);
    // Before a moved item is before the next one that stays: that is where
    // the gap is once the moved ones are lifted out.
    int anchor = before;
    if (anchor != -1 && moved.count(anchor)) {
        const auto from = std::find(siblings.begin(), siblings.end(), anchor);
        const auto next = std::find_if(from, siblings.end(), [&moved](int tid) { return !moved.count(tid); });
        anchor = next == siblings.end() ? -1 : *next;
    }
    order.insert(anchor == -1 ? order.end() : std::find(order.begin(), order.end(), anchor), movedInOrder.begin(),
                 movedInOrder.end());
    if (order == siblings)
        return false;
    for (size_t i = 0; i < order.size(); ++i)
        m_editor->Move(order[i], parent, static_cast<int>(i));

    if (parent == -1) {
        // Only the order of the files changed; no file differs from its disk.
        auto record = std::make_shared<Record>();
        record->RecordChanged(movedInOrder);
        m_events.NotifyTreeChanged(record);
        return true;
    }
    std::set<int> changed(items.begin(), items.end());
    changed.insert(parent);
    CollectAncestors(parent, changed);
    Finish(std::make_shared<Record>(), changed);
    return true;
}

void OpenTracksModel::ReverseChildren(int tid)
{
    m_editor->ReverseChildren(tid);
    for (const int child : m_reader->GetChildren(tid))
        ReverseChildren(child);
}

void OpenTracksModel::Finish(const std::shared_ptr<Record>& record, const std::set<int>& changed)
{
    const TrackTreeAlg tree(m_reader.get());
    std::vector<int> ordered;
    for (const int file : tree.GetParentFileIds({changed.begin(), changed.end()})) {
        RebuildComposite(file);
        SetModified(file, true);
        std::vector<int> subtree;
        tree.GetDescendantsIds(file, subtree);
        subtree.insert(subtree.begin(), file);
        std::copy_if(subtree.begin(), subtree.end(), std::back_inserter(ordered),
                     [&changed](int tid) { return changed.count(tid) != 0; });
    }
    record->RecordChanged(ordered);
    m_events.NotifyTreeChanged(record);
}
