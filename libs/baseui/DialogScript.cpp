#include "DialogScript.h"

#include "MessageBoxStyle.h"

DialogScript::DialogScript()
    : m_previous(DlgBase::SetPresenter([this](DlgBase& dlg) { return Present(dlg); }))
{
}

DialogScript::~DialogScript()
{
    DlgBase::SetPresenter(std::move(m_previous));
}

void DialogScript::AddAnswer(int answer)
{
    m_actions.push_back([answer](DlgBase&) { return answer; });
}

void DialogScript::AddAction(DlgPresenter fn)
{
    m_actions.push_back(std::move(fn));
}

int DialogScript::Present(DlgBase& dlg)
{
    m_shown.push_back(dlg.windowTitle());
    if (m_actions.empty())
        return IDCANCEL;
    const DlgPresenter action = std::move(m_actions.front());
    m_actions.pop_front();
    return action(dlg);
}
