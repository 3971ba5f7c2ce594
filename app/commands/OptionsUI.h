#pragma once

#include "MainFrameImpl.h"

#include <QObject>

class MainFrame;

// Tools > Options: opens the options dialog through the scriptable dialog
// presenter. A child of the frame, which deletes it.
class OptionsUI : public QObject
{
public:
    explicit OptionsUI(MainFrame& frame);

    // Opens the dialog; what it changes is in force when it closes with OK.
    void ShowOptions();

private:
    MainFrame& m_frame;
    MainFrameImpl::Connection m_command;
};
