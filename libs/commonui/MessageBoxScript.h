#pragma once

#include "MessageBoxStyle.h"

#include <QString>

#include <deque>
#include <initializer_list>
#include <vector>

// Scripts the program's message boxes for tests and automation: while it
// lives, every message box is answered from a queue instead of being shown,
// and what would have been shown is recorded. When the queue runs dry the
// default button of the flags answers. The previous presenter comes back when
// the script ends.
class MessageBoxScript
{
public:
    struct Shown
    {
        QString text;
        unsigned flags;
        int answer;
    };

    explicit MessageBoxScript(std::initializer_list<int> answers = {});
    ~MessageBoxScript();
    MessageBoxScript(const MessageBoxScript&) = delete;
    MessageBoxScript& operator=(const MessageBoxScript&) = delete;

    void AddAnswer(int answer);
    // Answers not used yet.
    size_t GetPendingCount() const { return m_answers.size(); }
    const std::vector<Shown>& GetShown() const { return m_shown; }

private:
    int Present(const QString& text, unsigned flags);

    std::deque<int> m_answers;
    std::vector<Shown> m_shown;
    MessageBoxPresenter m_previous;
};
