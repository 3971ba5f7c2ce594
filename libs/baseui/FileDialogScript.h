#pragma once

#include "OblFileDialog.h"

#include <deque>
#include <optional>
#include <vector>

// Scripts the file dialogs for tests and automation: while it lives, every
// file dialog is answered from a queue and what it asked is recorded. An
// empty queue, or a queued cancel, cancels the dialog. The previous presenter
// comes back when the script ends.
class FileDialogScript
{
public:
    FileDialogScript();
    ~FileDialogScript();
    FileDialogScript(const FileDialogScript&) = delete;
    FileDialogScript& operator=(const FileDialogScript&) = delete;

    void AddAnswer(QStringList names, int filterIndex = 0);
    void AddCancel();

    size_t GetPendingCount() const { return m_answers.size(); }
    const std::vector<FileDialogRequest>& GetRequests() const { return m_requests; }

private:
    std::deque<std::optional<FileDialogAnswer>> m_answers;
    std::vector<FileDialogRequest> m_requests;
    FileDialogPresenter m_previous;
};
