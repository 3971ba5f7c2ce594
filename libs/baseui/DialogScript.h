#pragma once

#include "DlgBase.h"

#include <QString>

#include <deque>
#include <vector>

// Scripts the program's modal dialogs for tests and automation: while it
// lives, every DoModal is answered from a queue instead of being shown, and
// the window titles of the dialogs are recorded. When the queue runs dry the
// dialog is cancelled. The previous presenter comes back when the script ends.
class DialogScript
{
public:
    DialogScript();
    ~DialogScript();
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

    // The next dialog gets this answer.
    void AddAnswer(int answer);
    // The next dialog is handed to fn, which fills it and returns the answer.
    void AddAction(DlgPresenter fn);

    size_t GetPendingCount() const { return m_actions.size(); }
    const std::vector<QString>& GetShownTitles() const { return m_shown; }

private:
    int Present(DlgBase& dlg);

    std::deque<DlgPresenter> m_actions;
    std::vector<QString> m_shown;
    DlgPresenter m_previous;
};
