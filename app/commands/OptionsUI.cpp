#include "OptionsUI.h"

#include "CommandIds.h"
#include "MainFrame.h"
#include "OptionsGeneralDlg.h"

OptionsUI::OptionsUI(MainFrame& frame)
    : QObject(&frame)
    , m_frame(frame)
{
    m_command = frame.GetHub().SubscribeCommand(ID_TOOLS_OPTIONS, ID_TOOLS_OPTIONS, [this](int) { ShowOptions(); });
}

void OptionsUI::ShowOptions()
{
    // The dialog applies every change as it is made and undoes them itself
    // on Cancel, so the answer needs no handling here.
    OptionsGeneralDlg dlg(&m_frame);
    dlg.DoModal();
}
