#pragma once

#include <QDialog>

#include <functional>

class DlgBase;

// Answers a modal dialog in place of the user: it may fill the dialog's
// controls, then returns the button the user would have pressed (IDOK,
// IDCANCEL or a dialog's own code).
using DlgPresenter = std::function<int(DlgBase& dlg)>;

// Base of the program's modal dialogs. DoModal runs OnInitDialog and then
// either the real modal loop or, when one is installed, the presenter, so
// commands that open dialogs run in tests and unattended runs.
// Results keep the Win32 values: IDOK, IDCANCEL or a code given to done().
class DlgBase : public QDialog
{
public:
    explicit DlgBase(QWidget* parent = nullptr);

    int DoModal();

    // Installs the presenter that answers every DoModal (an empty one shows
    // the real dialog again) and returns the one it replaces.
    static DlgPresenter SetPresenter(DlgPresenter presenter);

    void accept() override;
    void reject() override;

protected:
    // Fills the controls before the dialog appears; false ends the dialog
    // with IDCANCEL without showing it.
    virtual bool OnInitDialog() { return true; }
    // Called just before the modal loop or the presenter runs.
    virtual void BeforeModal() {}
};
