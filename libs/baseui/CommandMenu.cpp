#include "CommandMenu.h"

#include "StringIds.h"
#include "Translator.h"

#include <QAction>
#include <QMenu>

namespace CommandMenu {

void Fill(QMenu& menu, const Commands& commands, const std::function<bool(int id)>& inRestructuring)
{
    const Translator& tr = Translator::GetInstance();
    QMenu* restructuring = nullptr;
    for (const auto& [id, enabled] : commands) {
        QMenu* into = &menu;
        if (inRestructuring(id)) {
            if (!restructuring)
                restructuring = menu.addMenu(tr.LoadStr(IDS_MENU_RESTRUCTURING));
            into = restructuring;
        }
        QAction* action = into->addAction(tr.LoadStr(MenuTextId(id)));
        action->setData(id);
        action->setEnabled(enabled);
    }
}

int Exec(QMenu& menu, const QPoint& at)
{
    const QAction* chosen = menu.exec(at);
    return chosen ? chosen->data().toInt() : 0;
}

} // namespace CommandMenu
