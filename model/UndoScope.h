#pragma once

#include "FileSnapshot.h"

#include <map>

class OpenTracksModel;
class UndoHistory;

// Records one edit of the open tracks as one step of the model's history:
// while it lives it keeps each open file as it was, and when it ends it
// pushes what changed. A scope inside another one records nothing, so a
// command that runs several edits makes one step. Statuses depth is for
// edits that change nothing but statuses (filters): cheaper to keep.
class UndoScope
{
public:
    UndoScope(OpenTracksModel& model, int nameId, FileSnapshot::Depth depth = FileSnapshot::Depth::Points);
    ~UndoScope();
    UndoScope(const UndoScope&) = delete;
    UndoScope& operator=(const UndoScope&) = delete;

    // The edit changes only how tracks look (colours), which no file keeps:
    // the files' modified flags stay as they are.
    void MarkDisplayOnly() { m_displayOnly = true; }

private:
    OpenTracksModel& m_model;
    // Null when another scope records, or the model keeps no history.
    UndoHistory* m_history;
    int m_nameId;
    bool m_displayOnly = false;
    std::map<int, FileSnapshot> m_before;
    std::map<int, bool> m_wasModified;
};
