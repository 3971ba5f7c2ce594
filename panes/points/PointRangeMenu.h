#pragma once

#include "CommandMenu.h"

// The commands on the point range as the map's and the point list's context
// menus offer them: enabled while there is a range. The frame carries them
// out, since saving needs the file commands.
namespace PointRangeMenu {

void Append(CommandMenu::Commands& commands);
bool IsRangeCommand(int id);

} // namespace PointRangeMenu
