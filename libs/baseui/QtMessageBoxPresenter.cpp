#include "QtMessageBoxPresenter.h"

#include "StringIds.h"
#include "Translator.h"

#include <QApplication>

namespace {

QMessageBox::StandardButton ToStandardButton(int result)
{
    switch (result) {
    case IDCANCEL:
        return QMessageBox::Cancel;
    case IDYES:
        return QMessageBox::Yes;
    case IDNO:
        return QMessageBox::No;
    default:
        return QMessageBox::Ok;
    }
}

QMessageBox::Icon ToIcon(unsigned flags)
{
    switch (flags & MB_ICONMASK) {
    case MB_ICONERROR:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONWARNING:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

int QtMessageBoxPresenter::operator()(const QString& text, unsigned flags) const
{
    const std::unique_ptr<QMessageBox> box = BuildMessageBox(text, flags, QApplication::activeWindow());
    box->exec();
    return ToResult(box->standardButton(box->clickedButton()), flags);
}

std::unique_ptr<QMessageBox> QtMessageBoxPresenter::BuildMessageBox(const QString& text, unsigned flags,
                                                                   QWidget* parent)
{
    auto box = std::make_unique<QMessageBox>(parent);
    box->setWindowTitle(Translator::GetInstance().LoadStr(IDS_APP_TITLE));
    // Texts such as "<No items>" must not be taken for markup.
    box->setTextFormat(Qt::PlainText);
    box->setText(text);
    box->setIcon(ToIcon(flags));
    QMessageBox::StandardButtons buttons;
    for (int result : GetMessageBoxButtons(flags))
        buttons |= ToStandardButton(result);
    box->setStandardButtons(buttons);
    box->setDefaultButton(ToStandardButton(GetDefaultMessageBoxAnswer(flags)));
    return box;
}

int QtMessageBoxPresenter::ToResult(QMessageBox::StandardButton button, unsigned flags)
{
    switch (button) {
    case QMessageBox::Ok:
        return IDOK;
    case QMessageBox::Cancel:
        return IDCANCEL;
    case QMessageBox::Yes:
        return IDYES;
    case QMessageBox::No:
        return IDNO;
    default:
        return GetDefaultMessageBoxAnswer(flags);
    }
}
