#pragma once

#include "ReportColSettingsI.h"

// The column-layout settings of a list: kept under
// "Layout\Dialogs\" + list name, value "ReportControl", with the list's
// layout version.
class ReportColSettings : public ReportColSettingsI
{
public:
    ReportColSettings(QString listName, int layoutVersion);

    int GetLayoutVersion() const override { return m_version; }
    QString GetSection() const override;
    QString GetValueName() const override;
    int GetFieldChooserDlgId() const override { return 1800; }
    int GetFieldChooserListId() const override { return 1801; }
    QString GetColumnsMenuText() const override;
    QString GetFieldChooserMenuText() const override;
    QString GetRestoreLayoutMenuText() const override;

private:
    QString m_listName;
    int m_version;
};
