#pragma once

#include "MessageBoxStyle.h"

#include <QMessageBox>
#include <QString>

#include <memory>

class QWidget;

// The presenter of the program's message boxes in the GUI: a modal
// QMessageBox over the active window, titled with the application's name.
// Install it with Translator::SetMessageBoxPresenter.
class QtMessageBoxPresenter
{
public:
    int operator()(const QString& text, unsigned flags) const;

    // The box for the flags' buttons, icon and default button, not yet shown.
    static std::unique_ptr<QMessageBox> BuildMessageBox(const QString& text, unsigned flags,
                                                        QWidget* parent = nullptr);
    // The Win32 result of a button; a box closed without a known button gives
    // the default answer of the flags.
    static int ToResult(QMessageBox::StandardButton button, unsigned flags);
};
