#pragma once

#include "FileChange.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <set>

class GEventNotifyI;
class OpenTracksModel;

// The steps that can be undone and redone over the open files, oldest
// first. A step keeps, per file it changed, the other side of the change;
// undoing swaps it in, redoing swaps it back. The steps together stay
// within a memory bound, the oldest going first. Closing a file drops what
// the steps keep of it. Each file's modified flag follows the history: a
// file is modified unless the steps applied to it bring it to the state it
// was last saved in.
class UndoHistory
{
public:
    using FileChanges = std::map<int, std::unique_ptr<FileChange>>;

    static constexpr size_t DefaultLimit = size_t{256} << 20;

    UndoHistory(OpenTracksModel& model, GEventNotifyI& events);
    ~UndoHistory();
    UndoHistory(const UndoHistory&) = delete;
    UndoHistory& operator=(const UndoHistory&) = delete;

    // A new step named nameId (a string id) after the present one; the
    // steps that could be redone go. wasModified holds the modified flag
    // each file had before the edit. A step that changes only how tracks
    // look (colours, which no file keeps) leaves the modified flags alone.
    void Push(int nameId, FileChanges changes, const std::map<int, bool>& wasModified, bool displayOnly = false);
    bool CanUndo() const { return m_applied > 0; }
    bool CanRedo() const { return m_applied < m_steps.size(); }
    // The name of the step that Undo or Redo would swap; 0 when none.
    int GetUndoName() const;
    int GetRedoName() const;
    void Undo();
    void Redo();

    // The file was saved: its present state is the one on disk.
    void MarkSaved(int fileTid);
    // The file closed: the steps forget it, and a step left with nothing goes.
    void DropFile(int fileTid);
    void SetLimit(size_t bytes);
    size_t GetLimit() const { return m_limit; }
    size_t GetBytes() const { return m_bytes; }
    size_t GetStepCount() const { return m_steps.size(); }
    // Each step has a serial, ascending; 0 stands for the state before any.
    // The serial of the last applied step, or of the newest step that went
    // over the bound, or 0.
    uint64_t GetAppliedSerial() const;
    // Whether the state now includes that step: it is applied, or went
    // over the bound while applied, which makes it permanent.
    bool IsApplied(uint64_t serial) const;

    // While positive, edits are not recorded: an edit inside another one
    // belongs to the outer step, and swapping a step is no new edit.
    int& RecordingDepth() { return m_depth; }

private:
    struct Step;

    // Drops the files of step index that changed outside the history;
    // false when that leaves the step nothing to swap, and so removed.
    bool KeepsIntact(size_t index);
    void Swap(Step& step);
    // The segments and their point counts, to notice a file changed outside
    // the history: its steps could no longer be swapped in.
    uint64_t Shape(int fileTid) const;
    void NoteShapes(const Step& step);
    // The step that last changed the file among those applied, 0 when none.
    uint64_t Version(int fileTid) const;
    void UpdateModified(int fileTid);
    void EvictOverLimit();
    void DropRedoSteps();

    OpenTracksModel& m_model;
    GEventNotifyI& m_events;
    std::deque<std::unique_ptr<Step>> m_steps;
    // The steps before this index are applied.
    size_t m_applied = 0;
    size_t m_bytes = 0;
    size_t m_limit = DefaultLimit;
    uint64_t m_nextSerial = 1;
    uint64_t m_evictedSerial = 0;
    // Steps that were undone and then dropped by a new edit: older than a
    // step that went over the bound, yet never part of the state.
    std::set<uint64_t> m_dropped;
    // Per file, the version its oldest kept step started from, once older
    // steps went over the bound.
    std::map<int, uint64_t> m_base;
    // Per file, the version last saved; a file saved in no kept version
    // has a serial that no step has.
    std::map<int, uint64_t> m_saved;
    std::map<int, uint64_t> m_shapes;
    int m_depth = 0;
};
