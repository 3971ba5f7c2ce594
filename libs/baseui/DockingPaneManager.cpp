#include "DockingPaneManager.h"

#include "DockingPane.h"

#include <QMainWindow>

DockingPaneManager::DockingPaneManager(QMainWindow& frame)
    : m_frame(frame)
{
}

DockingPane* DockingPaneManager::CreatePane(int id, const QString& title, QWidget* content,
                                            Qt::DockWidgetArea area)
{
    auto* pane = new DockingPane(id, title, content, &m_frame);
    m_frame.addDockWidget(area, pane);
    m_panes.push_back(pane);
    return pane;
}

DockingPane* DockingPaneManager::FindPane(int id) const
{
    for (DockingPane* pane : m_panes)
        if (pane->GetId() == id)
            return pane;
    return nullptr;
}

bool DockingPaneManager::SelectPane(int id)
{
    DockingPane* pane = FindPane(id);
    if (!pane)
        return false;
    pane->show();
    pane->raise(); // the front tab of a tab group
    if (pane->widget())
        pane->widget()->setFocus(Qt::OtherFocusReason);
    pane->NotifyActivated();
    return true;
}

bool DockingPaneManager::ShowPane(int id, bool show)
{
    if (show)
        return SelectPane(id);
    DockingPane* pane = FindPane(id);
    if (!pane)
        return false;
    pane->hide();
    return true;
}

bool DockingPaneManager::TogglePane(int id)
{
    return ShowPane(id, !IsPaneOpen(id));
}

bool DockingPaneManager::DockPane(int id)
{
    DockingPane* pane = FindPane(id);
    if (!pane)
        return false;
    pane->setFloating(false);
    return true;
}

bool DockingPaneManager::FloatPane(int id)
{
    DockingPane* pane = FindPane(id);
    if (!pane)
        return false;
    pane->show();
    pane->setFloating(true);
    return true;
}

bool DockingPaneManager::IsPaneFloating(int id) const
{
    const DockingPane* pane = FindPane(id);
    return pane && pane->isFloating();
}

bool DockingPaneManager::IsPaneOpen(int id) const
{
    const DockingPane* pane = FindPane(id);
    return pane && !pane->isHidden();
}
