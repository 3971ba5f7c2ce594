#pragma once

#include "MainFrameImpl.h"

#include <QObject>

class CommandUI;
class MainFrame;
class TracksFileUI;

// The commands on the point range, in the Track menu and the context menus
// of the map and the point list: a new segment of it, crop to it, remove
// its points, save it as a file of its own. Enabled while there is a range.
// A child of the frame, which deletes it.
class PointRangeUI : public QObject
{
public:
    PointRangeUI(MainFrame& frame, TracksFileUI& files);

private:
    void OnCommand(int id);
    void OnCommandUI(CommandUI& ui);
    void SaveRange();

    TracksFileUI& m_files;
    MainFrameImpl::Connection m_commands;
    MainFrameImpl::Connection m_commandUIs;
};
