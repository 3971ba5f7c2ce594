#pragma once

#include "TrackDataSet.h"
#include "TrackFileAttr.h"
#include "TrackI.h"
#include "TrackTree.h"

#include <map>
#include <set>
#include <vector>

class GEventNotifyI;
class PreparedSegments;
class TrackTreeEventDataImpl;
class UndoHistory;

// All open files: one tree holding every file side by side, a track object
// per node (a Track per segment, a TrackX per file and folder) and the
// attributes of each file. The model owns all tree surgery: every operation
// below keeps each segment backed by a track object and each composite made
// of the segments beneath it, and announces one tree change naming the
// nodes it added, removed and changed. User-interface thread only.
class OpenTracksModel
{
public:
    // The process-wide model, made with the tracks state and the namer.
    static OpenTracksModel& GetInstance();

    explicit OpenTracksModel(GEventNotifyI& events);
    OpenTracksModel(const OpenTracksModel&) = delete;
    OpenTracksModel& operator=(const OpenTracksModel&) = delete;

    // Null when the tid has no track object.
    TrackPtr GetTrack(int tid) const;
    TrackTreeReaderPtr GetReader() const { return m_reader; }
    TrackTreeEditorPtr GetEditor() const { return m_editor; }
    // Null for a tid that is not an open file.
    TrackFileAttrPtr GetFileAttr(int fileTid) const;
    // The open files in tree order.
    const std::vector<int>& GetFileTids() const { return m_reader->GetChildren(-1); }
    // The point arrays of all segments by tid, shared with their track
    // objects: what the savers read.
    std::shared_ptr<TrackDataSetI> GetDataSet() const;
    void SetModified(int fileTid, bool modified);
    // The history that records edits of these files and forgets the files
    // that close; null (the default) records nothing.
    void SetUndoHistory(UndoHistory* history) { m_history = history; }
    UndoHistory* GetUndoHistory() const { return m_history; }

    // Copies the file fileTid of a loaded tree in with new tids, taking its
    // point arrays over from data (they leave data); each segment's times
    // are checked, so points without time or out of order come in filtered.
    // Segments found in prepared were checked and calculated already and are
    // taken as they are. Returns the new file's tid.
    int AddOpenedFile(const TrackTreeReaderI& tree, int fileTid, TrackDataSetI& data, const QString& path,
                      TrackFileType type, PreparedSegments* prepared = nullptr);
    // A file built in memory (a merge) added the same way, its points kept
    // with their statuses; it has no path and counts as modified.
    int AddNewFile(const TrackTreeReaderI& tree, int fileTid, TrackDataSetI& data);
    // Closes the files among tids and removes the other nodes from their
    // files, which become modified.
    void Remove(const std::vector<int>& tids);
    // Puts the folders and segments beneath newFileTid of a new tree in
    // place of those of an open file, taking their arrays over from data.
    // The file keeps its tid, record and attributes and becomes modified.
    // False, and nothing changes, when fileTid is not an open file.
    bool ReplaceFileTree(int fileTid, const TrackTreeReaderI& tree, int newFileTid, TrackDataSetI& data);
    // Appends the points of second to first and removes second, and any
    // folder that this leaves empty. Only when second is the segment right
    // after first in their file; false otherwise.
    bool JoinSegments(int first, int second);
    // Moves the points after index into a new segment right after the
    // segment, under the same parent; returns its tid. -1, and nothing
    // changes, unless the segment has points on both sides of the cut.
    int SplitSegment(int tid, int index);
    // A new segment named name holding points, right after the segment
    // after under the same parent; returns its tid, -1 (nothing changes)
    // when after is no segment.
    int InsertSegment(int after, std::vector<TrackPoint> points, const QString& name);
    // Reverses the order of the children at every level beneath each of
    // items (a reversed track runs its folders and segments backwards).
    void ReverseOrder(const std::vector<int>& items);
    // Whether items may go before the node before (-1: after the last):
    // they must be distinct siblings, and before one of their siblings, so
    // that only the order beneath one parent changes.
    bool CanMoveSiblings(const std::vector<int>& items, int before) const;
    // Moves items, in their present order, to just before before (-1: to
    // the end) beneath their parent. Points, statuses, colours and tids stay;
    // the file whose folders or segments moved becomes modified, while files
    // moved among files change nothing on disk. False, and nothing changes
    // or is announced, when refused or when the order stays as it was.
    bool MoveSiblings(const std::vector<int>& items, int before);

private:
    using Record = TrackTreeEventDataImpl;

    // How copied segments come in: as loaded (times checked, prepared
    // tracks taken) or as built in memory.
    struct CopyMode
    {
        bool checkTimes = false;
        PreparedSegments* prepared = nullptr;
    };

    int AddFile(const TrackTreeReaderI& tree, int fileTid, TrackDataSetI& data, CopyMode mode,
                const TrackFileAttr& attr);
    // Copies the subtree of from under parent, at position among its
    // children (-1 appends); returns the copy's tid.
    int CopySubtree(const TrackTreeReaderI& tree, int from, int parent, int position, TrackDataSetI& data,
                    CopyMode mode, Record& record);
    // Removes the node with its subtree and their track objects.
    void RemoveSubtree(int tid, Record& record);
    void ReverseChildren(int tid);
    // Refills the composite of tid from the nodes beneath it, inner
    // composites first.
    void RebuildComposite(int tid);
    // The composites above tid, as changed nodes.
    void CollectAncestors(int tid, std::set<int>& changed) const;
    // Records the changed nodes that still exist, in tree order, marks
    // their files modified and announces the record.
    void Finish(const std::shared_ptr<Record>& record, const std::set<int>& changed);

    GEventNotifyI& m_events;
    std::map<int, TrackPtr> m_tracks;
    TrackTree m_tree;
    TrackTreeReaderPtr m_reader;
    TrackTreeEditorPtr m_editor;
    std::map<int, TrackFileAttrPtr> m_fileAttrs;
    UndoHistory* m_history = nullptr;
};
