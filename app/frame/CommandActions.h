#pragma once

#include <QList>
#include <QString>

#include <functional>
#include <map>

class CommandUI;
class QAction;
class QMenu;
class QMenuBar;
class QObject;

// The frame's QActions, one per command id, shared by menus and toolbars.
// Triggering an action runs its command; before a menu opens, and on idle,
// every action takes the state that the command-state query gives it.
class CommandActions
{
public:
    using RunFn = std::function<void(int id)>;
    // Fills the state of a command; a command left without a handler is
    // expected to come back disabled.
    using QueryFn = std::function<void(CommandUI& ui)>;

    CommandActions(QObject& owner, RunFn run, QueryFn query);

    // The action of id, made on first use with its menu text.
    QAction* Get(int id);
    QAction* Find(int id) const;
    static int GetId(const QAction& action);

    // Builds the menus of the main menu table into the bar.
    void BuildMenuBar(QMenuBar& menuBar);
    void Update(const QList<QAction*>& actions);
    void UpdateAll();

private:
    void Update(QAction& action);

    QObject& m_owner;
    RunFn m_run;
    QueryFn m_query;
    std::map<int, QAction*> m_actions;
    // The text each action had before a state handler replaced it.
    std::map<int, QString> m_defaultTexts;
};
