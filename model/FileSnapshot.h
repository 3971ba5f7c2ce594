#pragma once

#include "TrackDataSet.h"
#include "TrackFileAttr.h"
#include "TrackTree.h"

#include <cstddef>
#include <vector>

class OpenTracksModel;

// One open file as it stood at a moment: a copy of its tree and, for each
// segment in tree order, its points, or only their statuses when nothing
// else may change. Enough to tell later what an edit changed, or to put the
// whole file back.
class FileSnapshot
{
public:
    enum class Depth { Statuses, Points };

    // Copies what depth asks for; the file must be open.
    static FileSnapshot Take(const OpenTracksModel& model, int fileTid, Depth depth);
    // Keeps the live point arrays themselves, without copying them: for a
    // file whose tree is about to be replaced or which is about to close,
    // so that nothing else writes to them any more.
    static FileSnapshot Adopt(const OpenTracksModel& model, int fileTid);

    Depth GetDepth() const { return m_depth; }
    const TrackTreeReaderI& GetTree() const { return *m_tree.GetReader(); }
    TrackTreeEditorPtr GetEditor() const { return m_tree.GetEditor(); }
    int GetFileNode() const { return m_file; }
    // The nodes of the copied tree in tree order, the file first.
    const std::vector<int>& GetNodes() const { return m_nodes; }
    // The segments of the copied tree in tree order.
    const std::vector<int>& GetSegments() const { return m_segments; }
    // Points by segment of the copied tree (Points depth).
    TrackDataSetImpl& GetData() { return m_data; }
    const TrackDataSetImpl& GetData() const { return m_data; }
    // Statuses by segment, in the order of GetSegments (Statuses depth).
    const std::vector<std::vector<TrackPointStatus>>& GetStatuses() const { return m_statuses; }
    const TrackFileAttr& GetAttr() const { return m_attr; }
    size_t GetBytes() const;

private:
    FileSnapshot(const OpenTracksModel& model, int fileTid, Depth depth);
    int CopyNode(const TrackTreeReaderI& from, int tid, int parent);

    Depth m_depth;
    TrackTree m_tree;
    int m_file = -1;
    std::vector<int> m_nodes;
    std::vector<int> m_segments;
    // The live tid of each segment, in the order of m_segments.
    std::vector<int> m_liveSegments;
    TrackDataSetImpl m_data;
    std::vector<std::vector<TrackPointStatus>> m_statuses;
    TrackFileAttr m_attr;
};
