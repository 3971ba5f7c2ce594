#include "TrackTreeImpl.h"

#include "OblException.h"

#include <algorithm>

namespace {
const std::vector<int> kNoChildren;
}

TrackTreeImpl::TrackTreeImpl(int firstTid)
    : m_nextTid(firstTid)
{
}

const TrackInfo::Node* TrackTreeImpl::GetNode(int tid) const
{
    const auto it = m_entries.find(tid);
    return it == m_entries.end() ? nullptr : it->second.record.get();
}

int TrackTreeImpl::GetParent(int tid) const
{
    const auto it = m_entries.find(tid);
    return it == m_entries.end() ? -1 : it->second.parent;
}

const std::vector<int>& TrackTreeImpl::GetChildren(int tid) const
{
    if (tid == -1)
        return m_rootChildren;
    const auto it = m_entries.find(tid);
    return it == m_entries.end() ? kNoChildren : it->second.children;
}

int TrackTreeImpl::AddFile(const QString& name, const QString& fileName, int fileType)
{
    auto file = std::make_unique<TrackInfo::WholeFile>();
    file->SetName(name);
    file->SetFileName(fileName);
    file->SetFileType(fileType);
    return Insert(-1, std::move(file), -1);
}

int TrackTreeImpl::AddFolder(int parentTid, const QString& name)
{
    auto folder = std::make_unique<TrackInfo::Folder>();
    folder->SetName(name);
    return Insert(parentTid, std::move(folder), -1);
}

int TrackTreeImpl::AddSegment(int parentTid, const QString& name)
{
    auto segment = std::make_unique<TrackInfo::Segment>();
    segment->SetName(name);
    return Insert(parentTid, std::move(segment), -1);
}

int TrackTreeImpl::AddNode(int parentTid, const TrackInfo::Node& record, int index)
{
    return Insert(parentTid, record.Clone(), index);
}

bool TrackTreeImpl::CanHoldChild(int parentTid, TrackInfo::Kind childKind) const
{
    if (parentTid == -1)
        return childKind == TrackInfo::KindFile;
    const TrackInfo::Node* parent = GetNode(parentTid);
    return parent && parent->GetKind() != TrackInfo::KindSegment && childKind != TrackInfo::KindFile;
}

std::vector<int>* TrackTreeImpl::ChildListOf(int tid)
{
    if (tid == -1)
        return &m_rootChildren;
    const auto it = m_entries.find(tid);
    return it == m_entries.end() ? nullptr : &it->second.children;
}

int TrackTreeImpl::Insert(int parentTid, std::unique_ptr<TrackInfo::Node> record, int index)
{
    if (!CanHoldChild(parentTid, record->GetKind()))
        OBL_THROW(QStringLiteral("A node of kind %1 cannot be placed under node %2.")
                      .arg(record->GetKind())
                      .arg(parentTid));
    const int tid = m_nextTid++;
    record->SetTid(tid);
    std::vector<int>& siblings = *ChildListOf(parentTid);
    if (index < 0 || index > static_cast<int>(siblings.size()))
        siblings.push_back(tid);
    else
        siblings.insert(siblings.begin() + index, tid);
    Entry& entry = m_entries[tid];
    entry.record = std::move(record);
    entry.parent = parentTid;
    return tid;
}

void TrackTreeImpl::SetNodeExtras(int tid, std::shared_ptr<const TrackInfo::NodeExtras> extras)
{
    const auto it = m_entries.find(tid);
    if (it != m_entries.end())
        it->second.record->SetExtras(std::move(extras));
}

void TrackTreeImpl::SetName(int tid, const QString& name)
{
    const auto it = m_entries.find(tid);
    if (it != m_entries.end())
        it->second.record->SetName(name);
}

void TrackTreeImpl::SetSegmentColour(int tid, const RgbStruct& colour)
{
    const auto it = m_entries.find(tid);
    if (it == m_entries.end())
        return;
    if (auto* segment = dynamic_cast<TrackInfo::Segment*>(it->second.record.get()))
        segment->SetColour(colour);
}

void TrackTreeImpl::SetFileName(int tid, const QString& fileName)
{
    const auto it = m_entries.find(tid);
    if (it == m_entries.end())
        return;
    if (auto* file = dynamic_cast<TrackInfo::WholeFile*>(it->second.record.get()))
        file->SetFileName(fileName);
}

void TrackTreeImpl::Remove(int tid)
{
    const auto it = m_entries.find(tid);
    if (it == m_entries.end())
        return;
    std::vector<int>& siblings = *ChildListOf(it->second.parent);
    siblings.erase(std::remove(siblings.begin(), siblings.end(), tid), siblings.end());

    std::vector<int> pending{tid};
    while (!pending.empty()) {
        const int current = pending.back();
        pending.pop_back();
        auto node = m_entries.find(current);
        pending.insert(pending.end(), node->second.children.begin(), node->second.children.end());
        m_entries.erase(node);
    }
}

void TrackTreeImpl::ReverseChildren(int tid)
{
    if (std::vector<int>* children = ChildListOf(tid))
        std::reverse(children->begin(), children->end());
}

bool TrackTreeImpl::Move(int tid, int newParentTid, int index)
{
    const auto it = m_entries.find(tid);
    if (it == m_entries.end() || !CanHoldChild(newParentTid, it->second.record->GetKind()))
        return false;
    for (int up = newParentTid; up != -1; up = GetParent(up)) {
        if (up == tid)
            return false;
    }
    std::vector<int>& oldSiblings = *ChildListOf(it->second.parent);
    oldSiblings.erase(std::remove(oldSiblings.begin(), oldSiblings.end(), tid), oldSiblings.end());
    std::vector<int>& newSiblings = *ChildListOf(newParentTid);
    if (index < 0 || index > static_cast<int>(newSiblings.size()))
        newSiblings.push_back(tid);
    else
        newSiblings.insert(newSiblings.begin() + index, tid);
    it->second.parent = newParentTid;
    return true;
}
