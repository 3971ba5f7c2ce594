#include "DlgBase.h"

#include "MessageBoxStyle.h"

namespace {

DlgPresenter& Presenter()
{
    static DlgPresenter presenter;
    return presenter;
}

} // namespace

DlgBase::DlgBase(QWidget* parent)
    : QDialog(parent)
{
}

DlgPresenter DlgBase::SetPresenter(DlgPresenter presenter)
{
    DlgPresenter previous = std::move(Presenter());
    Presenter() = std::move(presenter);
    return previous;
}

int DlgBase::DoModal()
{
    setResult(0);
    if (!OnInitDialog())
        return IDCANCEL;
    BeforeModal();
    if (!Presenter())
        return exec();
    // Copied: a presenter may replace itself while it answers.
    const DlgPresenter presenter = Presenter();
    const int answer = presenter(*this);
    if (answer == IDOK)
        accept(); // lets the dialog validate and read its controls
    else if (answer == IDCANCEL)
        reject();
    else
        done(answer);
    return result();
}

// QDialog's Accepted is 1 like IDOK; rejecting must give IDCANCEL (2), not 0.
void DlgBase::accept()
{
    done(IDOK);
}

void DlgBase::reject()
{
    done(IDCANCEL);
}
