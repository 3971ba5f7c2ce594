#pragma once

#include "TrackTreeInterfaces.h"

#include <set>
#include <vector>

// A node of a tree with its kind, as descendant queries return it.
struct TrackTreeElemShort
{
    int tid = -1;
    TrackInfo::Kind kind = TrackInfo::KindSegment;
    bool operator==(const TrackTreeElemShort&) const = default;
};

// What a selection covers: its top-most nodes, grouped by kind, in tree order.
struct TrackParts
{
    std::vector<int> files;
    std::vector<int> folders;
    std::vector<int> segments;

    bool IsWholeFilesOnly() const { return folders.empty() && segments.empty() && !files.empty(); }
};

// Queries over a tree. "Tree order" is depth-first, parents before their
// children, siblings in their order. Unknown tids are ignored everywhere.
class TrackTreeAlg
{
public:
    enum RELATION {
        RelAncestor = 0,   // b lies in the subtree of a (or b is a)
        RelDescendant = 1, // a lies in the subtree of b
        RelNone = 2,
    };

    explicit TrackTreeAlg(const TrackTreeReaderI* reader) : m_reader(reader) {}

    std::vector<int> GetAllTids() const;
    int GetParent(int tid) const;
    // The node and its ancestors, from the file down to the node.
    void GetParentage(int tid, std::vector<int>& out) const;
    // Every node that is one of tids or an ancestor of one.
    void GetParentage(const std::vector<int>& tids, std::set<int>& out) const;
    std::vector<int> GetChildIds(int tid) const;
    // Descendants in tree order, without the node itself.
    void GetDescendantsIds(int tid, std::vector<int>& out) const;
    void GetDescendantsIds(const std::vector<int>& tids, std::vector<int>& out) const;
    void GetAllDescendants(int tid, std::vector<TrackTreeElemShort>& out) const;
    // The segments among and under the given nodes, in tree order, each once.
    void GetSubsegmentIds(int tid, std::vector<int>& out) const;
    void GetSubsegmentIds(const std::vector<int>& tids, std::vector<int>& out) const;
    // The folders among and under the given nodes, in tree order, each once.
    void GetFolderIds(const std::vector<int>& tids, std::vector<int>& out) const;
    // The file holding the node (the node itself for a file); -1 when unknown.
    int GetFileId(int tid) const;
    std::vector<int> GetParentFileIds(const std::vector<int>& tids) const;
    // The given nodes without those that lie under another given node.
    std::vector<int> GetAdults(const std::vector<int>& tids) const;
    // The segment before (direction < 0) or after (> 0) this one in its
    // file's segment order; -1 when there is none.
    int GetAdjacentSegment(int tid, int direction) const;
    // The sibling before or after the node; -1 when there is none.
    int GetAdjacentSibling(int tid, int direction) const;
    RELATION GetRelation(int a, int b) const;
    void GetParts(const std::vector<int>& tids, TrackParts& out) const;

private:
    bool Exists(int tid) const { return m_reader->GetNode(tid) != nullptr; }
    TrackInfo::Kind KindOf(int tid) const { return m_reader->GetNode(tid)->GetKind(); }
    bool IsInSubtree(int tid, int root) const;
    // Visits the subtree of tid (tid first) in tree order.
    template <class Visit>
    void Walk(int tid, Visit&& visit) const;
    std::vector<int> InTreeOrder(const std::set<int>& tids) const;

    const TrackTreeReaderI* m_reader;
};
