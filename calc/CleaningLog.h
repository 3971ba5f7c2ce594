#pragma once

#include "CleaningReport.h"
#include "Recipe.h"

#include <boost/signals2/connection.hpp>
#include <boost/signals2/signal.hpp>

#include <cstdint>
#include <functional>
#include <vector>

class UndoHistory;

// What the last cleaning of open files changed, for the report pane and the
// map, and, while the user records, the cleaning steps applied so far as a
// recipe. The main window owns one.
class CleaningLog
{
public:
    struct FileReport
    {
        QString fileName;
        CleaningReport report;
    };

    // A cleaning ran: what it is called (a string id) and a report for each
    // file it touched. Replaces the one before.
    void Publish(int nameId, std::vector<FileReport> files);
    int GetNameId() const { return m_nameId; }
    const std::vector<FileReport>& GetFiles() const { return m_files; }

    // After each command: the step of the history (its serial) that the
    // command made, or the state it left when it changed nothing, belongs
    // to a report published during the command.
    void SettleStep(uint64_t serial);
    // Whether the present state of the files still holds the reported
    // cleaning: false once its step is undone or gone.
    bool Describes(const UndoHistory& history) const;
    // The history moved (an undo or redo): the report may no longer apply.
    void NoteHistoryMoved() { m_changed(); }

    // Starting begins an empty recipe; stopping keeps it for saving.
    void SetRecording(bool on);
    bool IsRecording() const { return m_recording; }
    // Appended to the recipe while recording, ignored otherwise.
    void Record(const RecipeStep& step);
    const Recipe& GetRecipe() const { return m_recipe; }

    // Called after every change of the report or of the recording.
    [[nodiscard]] boost::signals2::scoped_connection Subscribe(std::function<void()> changed);

private:
    int m_nameId = 0;
    std::vector<FileReport> m_files;
    bool m_unsettled = false;
    uint64_t m_step = 0;
    bool m_recording = false;
    Recipe m_recipe;
    boost::signals2::signal<void()> m_changed;
};
