#include "TrackTreeAlg.h"

#include <algorithm>

template <class Visit>
void TrackTreeAlg::Walk(int tid, Visit&& visit) const
{
    std::vector<int> pending{tid};
    while (!pending.empty()) {
        const int current = pending.back();
        pending.pop_back();
        if (current != -1)
            visit(current);
        const std::vector<int>& children = m_reader->GetChildren(current);
        pending.insert(pending.end(), children.rbegin(), children.rend());
    }
}

std::vector<int> TrackTreeAlg::InTreeOrder(const std::set<int>& tids) const
{
    std::vector<int> ordered;
    ordered.reserve(tids.size());
    Walk(-1, [&](int tid) {
        if (tids.count(tid))
            ordered.push_back(tid);
    });
    return ordered;
}

std::vector<int> TrackTreeAlg::GetAllTids() const
{
    std::vector<int> all;
    Walk(-1, [&all](int tid) { all.push_back(tid); });
    return all;
}

int TrackTreeAlg::GetParent(int tid) const
{
    return m_reader->GetParent(tid);
}

void TrackTreeAlg::GetParentage(int tid, std::vector<int>& out) const
{
    out.clear();
    if (!Exists(tid))
        return;
    for (int up = tid; up != -1; up = m_reader->GetParent(up))
        out.push_back(up);
    std::reverse(out.begin(), out.end());
}

void TrackTreeAlg::GetParentage(const std::vector<int>& tids, std::set<int>& out) const
{
    out.clear();
    for (const int tid : tids) {
        if (!Exists(tid))
            continue;
        for (int up = tid; up != -1 && out.insert(up).second; up = m_reader->GetParent(up)) {
        }
    }
}

std::vector<int> TrackTreeAlg::GetChildIds(int tid) const
{
    return Exists(tid) ? m_reader->GetChildren(tid) : std::vector<int>();
}

void TrackTreeAlg::GetDescendantsIds(int tid, std::vector<int>& out) const
{
    out.clear();
    if (!Exists(tid))
        return;
    Walk(tid, [&](int current) {
        if (current != tid)
            out.push_back(current);
    });
}

void TrackTreeAlg::GetDescendantsIds(const std::vector<int>& tids, std::vector<int>& out) const
{
    std::set<int> found;
    std::vector<int> one;
    for (const int tid : tids) {
        GetDescendantsIds(tid, one);
        found.insert(one.begin(), one.end());
    }
    out = InTreeOrder(found);
}

void TrackTreeAlg::GetAllDescendants(int tid, std::vector<TrackTreeElemShort>& out) const
{
    std::vector<int> ids;
    GetDescendantsIds(tid, ids);
    out.clear();
    out.reserve(ids.size());
    for (const int id : ids)
        out.push_back({id, KindOf(id)});
}

void TrackTreeAlg::GetSubsegmentIds(int tid, std::vector<int>& out) const
{
    GetSubsegmentIds(std::vector<int>{tid}, out);
}

void TrackTreeAlg::GetSubsegmentIds(const std::vector<int>& tids, std::vector<int>& out) const
{
    out.clear();
    for (const int adult : GetAdults(tids)) {
        Walk(adult, [&](int current) {
            if (KindOf(current) == TrackInfo::KindSegment)
                out.push_back(current);
        });
    }
}

void TrackTreeAlg::GetFolderIds(const std::vector<int>& tids, std::vector<int>& out) const
{
    out.clear();
    for (const int adult : GetAdults(tids)) {
        Walk(adult, [&](int current) {
            if (KindOf(current) == TrackInfo::KindFolder)
                out.push_back(current);
        });
    }
}

int TrackTreeAlg::GetFileId(int tid) const
{
    if (!Exists(tid))
        return -1;
    int file = tid;
    for (int up = m_reader->GetParent(tid); up != -1; up = m_reader->GetParent(up))
        file = up;
    return file;
}

std::vector<int> TrackTreeAlg::GetParentFileIds(const std::vector<int>& tids) const
{
    std::set<int> files;
    for (const int tid : tids) {
        const int file = GetFileId(tid);
        if (file != -1)
            files.insert(file);
    }
    return InTreeOrder(files);
}

bool TrackTreeAlg::IsInSubtree(int tid, int root) const
{
    for (int up = tid; up != -1; up = m_reader->GetParent(up)) {
        if (up == root)
            return true;
    }
    return false;
}

std::vector<int> TrackTreeAlg::GetAdults(const std::vector<int>& tids) const
{
    const std::set<int> given(tids.begin(), tids.end());
    std::set<int> adults;
    for (const int tid : given) {
        if (!Exists(tid))
            continue;
        bool underAnother = false;
        for (int up = m_reader->GetParent(tid); up != -1 && !underAnother; up = m_reader->GetParent(up))
            underAnother = given.count(up) != 0;
        if (!underAnother)
            adults.insert(tid);
    }
    return InTreeOrder(adults);
}

int TrackTreeAlg::GetAdjacentSegment(int tid, int direction) const
{
    if (!Exists(tid) || KindOf(tid) != TrackInfo::KindSegment || direction == 0)
        return -1;
    std::vector<int> segments;
    GetSubsegmentIds(GetFileId(tid), segments);
    const auto it = std::find(segments.begin(), segments.end(), tid);
    const auto index = (it - segments.begin()) + (direction < 0 ? -1 : 1);
    return index >= 0 && index < static_cast<long>(segments.size()) ? segments[static_cast<size_t>(index)] : -1;
}

int TrackTreeAlg::GetAdjacentSibling(int tid, int direction) const
{
    if (!Exists(tid) || direction == 0)
        return -1;
    const std::vector<int>& siblings = m_reader->GetChildren(m_reader->GetParent(tid));
    const auto it = std::find(siblings.begin(), siblings.end(), tid);
    const auto index = (it - siblings.begin()) + (direction < 0 ? -1 : 1);
    return index >= 0 && index < static_cast<long>(siblings.size()) ? siblings[static_cast<size_t>(index)] : -1;
}

TrackTreeAlg::RELATION TrackTreeAlg::GetRelation(int a, int b) const
{
    if (!Exists(a) || !Exists(b))
        return RelNone;
    if (IsInSubtree(b, a))
        return RelAncestor;
    if (IsInSubtree(a, b))
        return RelDescendant;
    return RelNone;
}

void TrackTreeAlg::GetParts(const std::vector<int>& tids, TrackParts& out) const
{
    out = TrackParts();
    for (const int adult : GetAdults(tids)) {
        switch (KindOf(adult)) {
        case TrackInfo::KindFile:
            out.files.push_back(adult);
            break;
        case TrackInfo::KindFolder:
            out.folders.push_back(adult);
            break;
        case TrackInfo::KindSegment:
            out.segments.push_back(adult);
            break;
        }
    }
}
