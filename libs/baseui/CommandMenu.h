#pragma once

#include <QPoint>

#include <functional>
#include <utility>
#include <vector>

class QMenu;

// The context menus of the panes and the map: commands by id, each with its
// string-table text and whether it is enabled.
namespace CommandMenu {

using Commands = std::vector<std::pair<int, bool>>;
// Shows a menu of commands at a place and gives the chosen one or 0; the
// panes run Exec through one, so that tests can put a script in its place.
using Runner = std::function<int(const Commands&, const QPoint&)>;

// Adds the commands in order; those that inRestructuring picks go into a
// "Restructuring" submenu, made where the first of them would stand.
void Fill(QMenu& menu, const Commands& commands, const std::function<bool(int id)>& inRestructuring);
// Shows the menu and gives the chosen command, 0 for none.
int Exec(QMenu& menu, const QPoint& at);

} // namespace CommandMenu
