#include "FileChange.h"

#include "GEventKind.h"
#include "GEventNotifyI.h"
#include "LayoutDeferral.h"
#include "OpenTracksModel.h"
#include "Track.h"
#include "TrackTreeEventDataImpl.h"

namespace {

// The nodes of a subtree in tree order, and the segments among them.
struct TreeOrder
{
    TreeOrder(const TrackTreeReaderI& tree, int root) { Visit(tree, root); }

    void Visit(const TrackTreeReaderI& tree, int tid)
    {
        nodes.push_back(tid);
        if (tree.GetNode(tid)->GetKind() == TrackInfo::KindSegment)
            segments.push_back(tid);
        for (const int child : tree.GetChildren(tid))
            Visit(tree, child);
    }

    std::vector<int> nodes;
    std::vector<int> segments;
};

bool SameShape(const TrackTreeReaderI& a, const std::vector<int>& aNodes, const TrackTreeReaderI& b,
               const std::vector<int>& bNodes)
{
    if (aNodes.size() != bNodes.size())
        return false;
    for (size_t i = 0; i < aNodes.size(); ++i) {
        if (a.GetNode(aNodes[i])->GetKind() != b.GetNode(bNodes[i])->GetKind()
            || a.GetChildren(aNodes[i]).size() != b.GetChildren(bNodes[i]).size())
            return false;
    }
    return true;
}

bool SameLook(const TrackInfo::Node& a, const TrackInfo::Node& b)
{
    if (a.GetName() != b.GetName() || a.GetExtras() != b.GetExtras())
        return false;
    if (a.GetKind() != TrackInfo::KindSegment)
        return true;
    return static_cast<const TrackInfo::Segment&>(a).GetColour()
        == static_cast<const TrackInfo::Segment&>(b).GetColour();
}

void ApplyLook(TrackTreeEditorI& editor, int tid, const TrackInfo::Node& look)
{
    editor.SetName(tid, look.GetName());
    editor.SetNodeExtras(tid, look.GetExtras());
    if (look.GetKind() == TrackInfo::KindSegment)
        editor.SetSegmentColour(tid, static_cast<const TrackInfo::Segment&>(look).GetColour());
}

std::vector<TrackPoint>& LivePoints(const OpenTracksModel& model, int tid)
{
    return std::static_pointer_cast<Track>(model.GetTrack(tid))->GetTrackDataPtr()->GetPoints();
}

} // namespace

std::pair<FileChange::Outcome, std::unique_ptr<FileChange>> FileChange::Between(FileSnapshot&& before,
                                                                                 const OpenTracksModel& model,
                                                                                 int fileTid)
{
    const TrackTreeReaderI& live = *model.GetReader();
    const TreeOrder now(live, fileTid);
    if (!SameShape(before.GetTree(), before.GetNodes(), live, now.nodes)) {
        if (before.GetDepth() == FileSnapshot::Depth::Statuses)
            return {Outcome::Unrecordable, nullptr};
        std::unique_ptr<FileChange> change(new FileChange(Form::Whole));
        change->m_file.emplace(std::move(before));
        return {Outcome::Changed, std::move(change)};
    }
    std::unique_ptr<FileChange> change(new FileChange(Form::Parts));
    for (size_t i = 0; i < now.nodes.size(); ++i) {
        const TrackInfo::Node& was = *before.GetTree().GetNode(before.GetNodes()[i]);
        if (!SameLook(was, *live.GetNode(now.nodes[i])))
            change->m_nodes.emplace_back(static_cast<int>(i), was.Clone());
    }
    for (size_t i = 0; i < now.segments.size(); ++i) {
        const std::vector<TrackPoint>& points = LivePoints(model, now.segments[i]);
        std::optional<SegmentChange> segment;
        if (before.GetDepth() == FileSnapshot::Depth::Points) {
            segment = SegmentChange::Between(before.GetData().Get(before.GetSegments()[i])->GetPoints(), points);
        } else {
            if (before.GetStatuses()[i].size() != points.size())
                return {Outcome::Unrecordable, nullptr};
            segment = SegmentChange::Between(before.GetStatuses()[i], points);
        }
        if (segment)
            change->m_segments.emplace_back(static_cast<int>(i), std::move(*segment));
    }
    if (change->m_nodes.empty() && change->m_segments.empty())
        return {Outcome::Same, nullptr};
    return {Outcome::Changed, std::move(change)};
}

std::unique_ptr<FileChange> FileChange::Added()
{
    return std::unique_ptr<FileChange>(new FileChange(Form::Added));
}

int FileChange::Swap(OpenTracksModel& model, int fileTid, GEventNotifyI& events)
{
    switch (m_form) {
    case Form::Parts:
        SwapParts(model, fileTid, events);
        return fileTid;
    case Form::Whole:
        SwapWhole(model, fileTid);
        return fileTid;
    case Form::Added:
        return SwapAdded(model, fileTid);
    }
    return fileTid;
}

void FileChange::SwapParts(OpenTracksModel& model, int fileTid, GEventNotifyI& events)
{
    const TreeOrder now(*model.GetReader(), fileTid);
    auto record = std::make_shared<TrackTreeEventDataImpl>();
    for (auto& [place, look] : m_nodes) {
        const int tid = now.nodes[static_cast<size_t>(place)];
        std::unique_ptr<TrackInfo::Node> present = model.GetReader()->GetNode(tid)->Clone();
        ApplyLook(*model.GetEditor(), tid, *look);
        look = std::move(present);
        record->RecordChanged(tid);
    }
    {
        // The composites above lay out once, after every segment changed.
        const LayoutDeferral deferral;
        for (auto& [place, segment] : m_segments) {
            const int tid = now.segments[static_cast<size_t>(place)];
            segment.Swap(LivePoints(model, tid));
            model.GetTrack(tid)->Refresh(false);
        }
    }
    if (!m_nodes.empty()) {
        events.NotifyTreeChanged(record);
        events.Notify(GEventKind::DisplayAttrChanged);
    }
    if (!m_segments.empty())
        events.Notify(GEventKind::PointsChanged);
}

void FileChange::SwapWhole(OpenTracksModel& model, int fileTid)
{
    FileSnapshot present = FileSnapshot::Adopt(model, fileTid);
    FileSnapshot& kept = *m_file;
    ApplyLook(*model.GetEditor(), fileTid, *kept.GetTree().GetNode(kept.GetFileNode()));
    model.ReplaceFileTree(fileTid, kept.GetTree(), kept.GetFileNode(), kept.GetData());
    m_file.emplace(std::move(present));
}

int FileChange::SwapAdded(OpenTracksModel& model, int fileTid)
{
    if (!m_file) {
        m_file.emplace(FileSnapshot::Adopt(model, fileTid));
        model.Remove({fileTid});
        return -1;
    }
    const int tid = model.AddNewFile(m_file->GetTree(), m_file->GetFileNode(), m_file->GetData());
    *model.GetFileAttr(tid) = m_file->GetAttr();
    m_file.reset();
    return tid;
}

size_t FileChange::GetBytes() const
{
    size_t bytes = sizeof(*this) + (m_file ? m_file->GetBytes() : 0) + m_nodes.size() * 160;
    for (const auto& [place, segment] : m_segments)
        bytes += segment.GetBytes();
    return bytes;
}
