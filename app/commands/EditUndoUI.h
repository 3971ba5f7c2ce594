#pragma once

#include "MainFrameImpl.h"

#include <QObject>

class CommandUI;
class MainFrame;

// The Edit menu: undo and redo over the open tracks, each item naming the
// step it would take. It also records every editing command of the menus as
// one step of the history. A child of the frame, which deletes it.
class EditUndoUI : public QObject
{
public:
    explicit EditUndoUI(MainFrame& frame);
    ~EditUndoUI() override;

private:
    void OnCommand(int id);
    void OnCommandUI(CommandUI& ui);

    MainFrame& m_frame;
    MainFrameImpl::Connection m_commands;
    MainFrameImpl::Connection m_commandUIs;
    boost::signals2::scoped_connection m_limit;
};
