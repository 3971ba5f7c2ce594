#pragma once

#include <QIcon>

// The pictures of the toolbar commands: the desktop theme's icon of the
// usual name where the theme has one, otherwise our own drawing, so that
// the toolbars are rows of pictures on every desktop.
class ToolbarIcons
{
public:
    // Null for a command that has no picture of its own.
    static QIcon ForCommand(int commandId);
    // Our drawing alone, whatever the theme offers; null as above.
    static QIcon OwnForCommand(int commandId);
};
