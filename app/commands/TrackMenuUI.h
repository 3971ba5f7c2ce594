#pragma once

#include "MainFrameImpl.h"

#include <QObject>

#include <vector>

class CommandUI;
class MainFrame;

// The Track menu: restructure, merge, reverse, increase frequency, and the
// break commands behind Ctrl+B and Ctrl+J. Each acts on the selection and
// the current point of the tracks state; dialogs and questions go through
// the scriptable presenters. A child of the frame, which deletes it.
class TrackMenuUI : public QObject
{
public:
    explicit TrackMenuUI(MainFrame& frame);

    // The operations the context menus share with the Track menu.
    void Restructure();
    void Merge();
    void Reverse();
    void AddBreak();
    void RemoveBreak();

private:
    void OnCommand(int id);
    void OnCommandUI(CommandUI& ui);
    // The files to restructure: the selected items when all are files,
    // otherwise, once the user agrees, the files holding them. Empty when
    // the user declined.
    std::vector<int> FilesToRestructure();

    MainFrame& m_frame;
    MainFrameImpl::Connection m_commands;
    MainFrameImpl::Connection m_commandUIs;
};
