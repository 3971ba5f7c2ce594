#pragma once

#include "MessageBoxStyle.h"

#include <QString>

template <class T>
class ProcessSingleton;

// The program's texts and its message boxes. Texts come from the compiled-in
// string table by id; "%1" and "%2" in a text are filled by Format.
//
// Message boxes go through a replaceable presenter: the application installs
// one that shows a real dialog, tests install a scripted one. Without a
// presenter (command-line tools, tests that script nothing) the text goes to
// stderr and the answer is the default button of the flags: IDOK for OK
// boxes, IDYES for Yes/No boxes, or the button MB_DEFBUTTON2/3 names.
class Translator
{
public:
    static Translator& GetInstance();

    // The text of id; an empty string for an id that the table lacks.
    QString LoadStr(int id) const;
    bool HasStr(int id) const;

    // The text of id, or the given text, with a1 for every "%1" and a2 for
    // every "%2". Replacements are not searched again, so an argument that
    // contains "%2" stays as it is.
    QString Format(int id, const QString& a1) const;
    QString Format(int id, const QString& a1, const QString& a2) const;
    QString Format(const QString& text, const QString& a1) const;
    QString Format(const QString& text, const QString& a1, const QString& a2) const;

    // Shows the text of id, or the given text, and returns the result of the
    // pressed button (IDOK, IDCANCEL, IDYES, IDNO). The last argument has no
    // effect; callers pass false. User-interface thread only.
    int MessageBoxW(int id, unsigned flags = MB_OK, bool = false);
    int MessageBoxW(const QString& text, unsigned flags = MB_OK, bool = false);

    // Installs the presenter of message boxes (an empty one removes it) and
    // returns the one it replaces.
    MessageBoxPresenter SetMessageBoxPresenter(MessageBoxPresenter presenter);

private:
    friend class ProcessSingleton<Translator>;
    Translator() = default;

    MessageBoxPresenter m_presenter;
};
