#include "MessageBoxScript.h"

#include "Translator.h"

MessageBoxScript::MessageBoxScript(std::initializer_list<int> answers)
    : m_answers(answers)
{
    m_previous = Translator::GetInstance().SetMessageBoxPresenter(
        [this](const QString& text, unsigned flags) { return Present(text, flags); });
}

MessageBoxScript::~MessageBoxScript()
{
    Translator::GetInstance().SetMessageBoxPresenter(std::move(m_previous));
}

void MessageBoxScript::AddAnswer(int answer)
{
    m_answers.push_back(answer);
}

int MessageBoxScript::Present(const QString& text, unsigned flags)
{
    int answer = GetDefaultMessageBoxAnswer(flags);
    if (!m_answers.empty()) {
        answer = m_answers.front();
        m_answers.pop_front();
    }
    m_shown.push_back({text, flags, answer});
    return answer;
}
