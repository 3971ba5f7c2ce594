#pragma once

#include "OblDlgBase.h"
#include "UpdaterParams.h"

class QLabel;
class QPushButton;

// Tells the user that an update is available and asks whether to download
// and install it now (IDOK) or to be reminded later (RemindLater).
class UpdateNotifyDlg : public OblDlgBase
{
public:
    static constexpr int TemplateId = 1900;
    static constexpr int RemindLater = 1901;
    static constexpr int NamePointSize = 11;

    explicit UpdateNotifyDlg(const UpdateDesc& update, QWidget* parent = nullptr);

    QLabel& GetNameLabel() const { return *m_name; }
    QLabel& GetInfoLink() const { return *m_link; }
    QPushButton& GetRemindButton() const { return *m_remind; }
    QPushButton& GetInstallButton() const { return *m_install; }

private:
    QLabel* m_name;
    QLabel* m_link;
    QPushButton* m_remind;
    QPushButton* m_install;
};
