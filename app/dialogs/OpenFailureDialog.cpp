#include "OpenFailureDialog.h"

#include "StringIds.h"
#include "Translator.h"

#include <QMessageBox>
#include <QPushButton>

OpenFailureChoice AskAboutOpenFailure(const OpenFailureReport& report, QWidget* parent)
{
    const OpenFailureDialogText text = OpenFailureDialogText::For(report);
    const Translator& tr = Translator::GetInstance();
    QMessageBox box(text.isError ? QMessageBox::Critical : QMessageBox::Warning, text.title, text.instruction,
                    QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    box.setInformativeText(text.content);
    if (report.opened) {
        box.addButton(QMessageBox::Ok);
        box.exec();
        return OpenFailureChoice::Skip;
    }
    QPushButton* skip = box.addButton(tr.LoadStr(IDS_BUTTON_SKIP), QMessageBox::AcceptRole);
    QPushButton* skipAll =
        report.offerSkipAll ? box.addButton(tr.LoadStr(IDS_BUTTON_SKIP_ALL), QMessageBox::AcceptRole) : nullptr;
    QPushButton* retry = box.addButton(tr.LoadStr(IDS_BUTTON_RETRY), QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(tr.LoadStr(IDS_BUTTON_CANCEL), QMessageBox::RejectRole);
    box.setDefaultButton(skip);
    box.setEscapeButton(cancel);
    box.exec();
    const QAbstractButton* pressed = box.clickedButton();
    if (pressed == retry)
        return OpenFailureChoice::Retry;
    if (pressed == skipAll && skipAll)
        return OpenFailureChoice::SkipAll;
    if (pressed == skip)
        return OpenFailureChoice::Skip;
    return OpenFailureChoice::Cancel;
}
