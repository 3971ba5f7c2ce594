#include "CommandActions.h"

#include "CommandTable.h"
#include "CommandUI.h"
#include "Translator.h"
#include "StringIds.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include <vector>

namespace {

constexpr const char* kIdProperty = "commandId";

QString MenuText(int id)
{
    const Translator& tr = Translator::GetInstance();
    return tr.HasStr(MenuTextId(id)) ? tr.LoadStr(MenuTextId(id)) : tr.LoadStr(IDS_NO_ITEMS);
}

} // namespace

CommandActions::CommandActions(QObject& owner, RunFn run, QueryFn query)
    : m_owner(owner)
    , m_run(std::move(run))
    , m_query(std::move(query))
{
}

QAction* CommandActions::Get(int id)
{
    if (QAction* existing = Find(id))
        return existing;
    auto* action = new QAction(&m_owner);
    action->setProperty(kIdProperty, id);
    // "&Save\tCtrl+S": the part after the tab is the shortcut.
    const QString text = MenuText(id);
    const qsizetype tab = text.indexOf(QLatin1Char('\t'));
    action->setText(text.left(tab));
    if (tab >= 0)
        action->setShortcut(QKeySequence(text.mid(tab + 1)));
    m_defaultTexts[id] = action->text();
    QObject::connect(action, &QAction::triggered, action, [this, id] { m_run(id); });
    m_actions[id] = action;
    return action;
}

QAction* CommandActions::Find(int id) const
{
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

int CommandActions::GetId(const QAction& action)
{
    return action.property(kIdProperty).toInt();
}

void CommandActions::BuildMenuBar(QMenuBar& menuBar)
{
    const Translator& tr = Translator::GetInstance();
    std::vector<QMenu*> open;
    for (const MenuEntry& entry : GetMainMenuTable()) {
        switch (entry.kind) {
        case MenuEntry::Submenu: {
            QMenu* menu = open.empty() ? menuBar.addMenu(tr.LoadStr(entry.id))
                                       : open.back()->addMenu(tr.LoadStr(entry.id));
            menu->setObjectName(QStringLiteral("Menu%1").arg(entry.id));
            QObject::connect(menu, &QMenu::aboutToShow, menu, [this, menu] { Update(menu->actions()); });
            open.push_back(menu);
            break;
        }
        case MenuEntry::End:
            open.pop_back();
            break;
        case MenuEntry::Separator:
            open.back()->addSeparator();
            break;
        case MenuEntry::Command:
            open.back()->addAction(Get(entry.id));
            break;
        }
    }
}

void CommandActions::Update(const QList<QAction*>& actions)
{
    for (QAction* action : actions) {
        if (!action->isSeparator() && !action->menu())
            Update(*action);
    }
}

void CommandActions::UpdateAll()
{
    for (const auto& [id, action] : m_actions)
        Update(*action);
}

void CommandActions::Update(QAction& action)
{
    const int id = GetId(action);
    CommandUI ui(id);
    m_query(ui);
    action.setEnabled(ui.IsEnabled());
    action.setCheckable(ui.IsChecked() || action.isCheckable());
    action.setChecked(ui.IsChecked());
    const QString text = ui.GetText().value_or(m_defaultTexts[id]);
    if (action.text() != text)
        action.setText(text);
}
