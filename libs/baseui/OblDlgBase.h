#pragma once

#include "DlgBase.h"

#include <QString>

// A dialog whose size and position persist between runs under
// "Layout\Dialogs\" + GetLayoutKey(). A dialog that changes its controls
// raises GetDlgVersion, which drops the layout stored by the older version.
class OblDlgBase : public DlgBase
{
public:
    explicit OblDlgBase(int templateId, QWidget* parent = nullptr);

    int GetTemplateId() const { return m_templateId; }

    // Creates the dialog modeless: restores its layout, fills it and shows it.
    bool DoCreate();

    // Applies the stored size and position; false when there is none (or it
    // belonged to another version of the dialog).
    bool LoadLayout();
    void SaveLayout() const;

    static QString GetLayoutSection(const QString& key);

protected:
    // Empty: the dialog keeps no layout.
    virtual QString GetLayoutKey() const { return {}; }
    virtual int GetDlgVersion() const { return 1; }
    // The dialog is going away: the layout is saved here.
    virtual void OnDestroy();

    void BeforeModal() override;
    void hideEvent(QHideEvent* event) override;

private:
    int m_templateId;
};
