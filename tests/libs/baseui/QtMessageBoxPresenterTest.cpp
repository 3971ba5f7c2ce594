#include "QtMessageBoxPresenter.h"
#include "StringIds.h"
#include "Translator.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

using Buttons = QMessageBox::StandardButtons;

struct StyleCase
{
    unsigned flags;
    Buttons buttons;
    QMessageBox::StandardButton defaultButton;
};

struct IconCase
{
    unsigned flags;
    QMessageBox::Icon icon;
};

TEST(QtMessageBoxPresenter, ButtonsAndDefaultButtonFollowTheStyle)
{
    const StyleCase cases[] = {
        {MB_OK, QMessageBox::Ok, QMessageBox::Ok},
        {MB_OK | MB_DEFBUTTON2, QMessageBox::Ok, QMessageBox::Ok},
        {MB_OKCANCEL, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok},
        {MB_OKCANCEL | MB_DEFBUTTON2, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel},
        {MB_YESNO | MB_ICONQUESTION, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes},
        {MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2, QMessageBox::Yes | QMessageBox::No, QMessageBox::No},
        {MB_YESNOCANCEL, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes},
        {MB_YESNOCANCEL | MB_DEFBUTTON3, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
         QMessageBox::Cancel},
    };
    for (const StyleCase& c : cases) {
        const auto box = QtMessageBoxPresenter::BuildMessageBox(QStringLiteral("text"), c.flags);
        EXPECT_EQ(box->standardButtons(), c.buttons) << std::hex << c.flags;
        ASSERT_NE(box->defaultButton(), nullptr) << std::hex << c.flags;
        EXPECT_EQ(box->standardButton(box->defaultButton()), c.defaultButton) << std::hex << c.flags;
    }
}

TEST(QtMessageBoxPresenter, IconFollowsTheFlags)
{
    const IconCase cases[] = {
        {MB_OK, QMessageBox::NoIcon},
        {MB_ICONERROR, QMessageBox::Critical},
        {MB_YESNO | MB_ICONQUESTION, QMessageBox::Question},
        {MB_ICONWARNING | MB_DEFBUTTON2, QMessageBox::Warning},
        {MB_OKCANCEL | MB_ICONINFORMATION, QMessageBox::Information},
    };
    for (const IconCase& c : cases)
        EXPECT_EQ(QtMessageBoxPresenter::BuildMessageBox(QStringLiteral("text"), c.flags)->icon(), c.icon)
            << std::hex << c.flags;
}

TEST(QtMessageBoxPresenter, ShowsTheTextAsPlainTextUnderTheApplicationTitle)
{
    const QString text = QStringLiteral("<No items>\nsecond line");
    const auto box = QtMessageBoxPresenter::BuildMessageBox(text, MB_OK);
    EXPECT_EQ(box->text(), text);
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Quorvel"));
}

TEST(QtMessageBoxPresenter, ButtonsMapBackToWin32Results)
{
    EXPECT_EQ(QtMessageBoxPresenter::ToResult(QMessageBox::Ok, MB_OK), IDOK);
    EXPECT_EQ(QtMessageBoxPresenter::ToResult(QMessageBox::Cancel, MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(QtMessageBoxPresenter::ToResult(QMessageBox::Yes, MB_YESNO), IDYES);
    EXPECT_EQ(QtMessageBoxPresenter::ToResult(QMessageBox::No, MB_YESNO), IDNO);
    EXPECT_EQ(QtMessageBoxPresenter::ToResult(QMessageBox::NoButton, MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(QtMessageBoxPresenter::ToResult(QMessageBox::NoButton, MB_OKCANCEL), IDOK);
}

// Runs `show`, which opens a modal box, and lets `act` answer the box once it is up.
// A box that the answer leaves open would hold the test in its event loop
// for ever: after ten seconds it is closed and the test fails.
int AnswerWhenShown(const std::function<int()>& show, const std::function<void(QMessageBox&)>& act,
                    QString* shownText = nullptr)
{
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        poll.stop();
        if (shownText)
            *shownText = box->text();
        act(*box);
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    watchdog.setInterval(10000);
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            ADD_FAILURE() << "a modal window was still open after ten seconds";
            dialog->done(QDialog::Rejected);
        } else {
            ADD_FAILURE() << "no answerable window was shown within ten seconds";
            // Ends whatever event loop `show` runs; later loops of this
            // program then end at once too, so its other box tests fail.
            QCoreApplication::exit(1);
        }
    });
    poll.start();
    watchdog.start();
    return show();
}

int PresentAndAnswer(const QString& text, unsigned flags, const std::function<void(QMessageBox&)>& act)
{
    return AnswerWhenShown([&] { return QtMessageBoxPresenter()(text, flags); }, act);
}

std::function<void(QMessageBox&)> Press(QMessageBox::StandardButton which)
{
    return [which](QMessageBox& box) { box.button(which)->click(); };
}

TEST(QtMessageBoxPresenter, ReturnsThePressedButton)
{
    EXPECT_EQ(PresentAndAnswer(QStringLiteral("a"), MB_YESNO, Press(QMessageBox::No)), IDNO);
    EXPECT_EQ(PresentAndAnswer(QStringLiteral("b"), MB_YESNO | MB_DEFBUTTON2, Press(QMessageBox::Yes)), IDYES);
    EXPECT_EQ(PresentAndAnswer(QStringLiteral("c"), MB_YESNOCANCEL, Press(QMessageBox::Cancel)), IDCANCEL);
    EXPECT_EQ(PresentAndAnswer(QStringLiteral("d"), MB_OKCANCEL | MB_ICONWARNING, Press(QMessageBox::Ok)), IDOK);
}

TEST(QtMessageBoxPresenter, EscapeAnswersCancelOrNo)
{
    const auto escape = [](QMessageBox& box) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&box, &key);
    };
    EXPECT_EQ(PresentAndAnswer(QStringLiteral("a"), MB_YESNOCANCEL, escape), IDCANCEL);
    EXPECT_EQ(PresentAndAnswer(QStringLiteral("b"), MB_YESNO, escape), IDNO);
    EXPECT_EQ(PresentAndAnswer(QStringLiteral("c"), MB_OK, escape), IDOK);
}

TEST(QtMessageBoxPresenter, ServesTheTranslatorsMessageBoxes)
{
    Translator& tr = Translator::GetInstance();
    MessageBoxPresenter previous = tr.SetMessageBoxPresenter(QtMessageBoxPresenter());
    QString shown;
    const int answer =
        AnswerWhenShown([&] { return tr.MessageBoxW(IDS_RESET_TIME_CONFIRM, MB_YESNO | MB_ICONWARNING, false); },
                        Press(QMessageBox::No), &shown);
    tr.SetMessageBoxPresenter(std::move(previous));
    EXPECT_EQ(answer, IDNO);
    EXPECT_EQ(shown, tr.LoadStr(IDS_RESET_TIME_CONFIRM));
}

} // namespace
