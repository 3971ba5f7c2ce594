#include "UndoScope.h"

#include "OpenTracksModel.h"
#include "UndoHistory.h"

UndoScope::UndoScope(OpenTracksModel& model, int nameId, FileSnapshot::Depth depth)
    : m_model(model)
    , m_history(model.GetUndoHistory())
    , m_nameId(nameId)
{
    if (m_history && m_history->RecordingDepth()++ > 0)
        m_history = nullptr;
    if (!m_history)
        return;
    for (const int file : model.GetFileTids()) {
        m_before.emplace(file, FileSnapshot::Take(model, file, depth));
        m_wasModified[file] = model.GetFileAttr(file)->modified;
    }
}

UndoScope::~UndoScope()
{
    UndoHistory* const history = m_model.GetUndoHistory();
    if (history)
        --history->RecordingDepth();
    if (!m_history)
        return;
    UndoHistory::FileChanges changes;
    std::vector<int> unrecordable;
    for (const int file : m_model.GetFileTids()) {
        auto before = m_before.find(file);
        if (before == m_before.end()) {
            changes[file] = FileChange::Added();
            continue;
        }
        auto [outcome, change] = FileChange::Between(std::move(before->second), m_model, file);
        if (outcome == FileChange::Outcome::Changed)
            changes[file] = std::move(change);
        else if (outcome == FileChange::Outcome::Unrecordable)
            unrecordable.push_back(file);
    }
    // Steps before an edit that could not be recorded cannot be swapped in.
    for (const int file : unrecordable)
        m_history->DropFile(file);
    m_history->Push(m_nameId, std::move(changes), m_wasModified, m_displayOnly);
}
