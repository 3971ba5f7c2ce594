#pragma once

#include <QString>

#include <functional>
#include <vector>

// Message-box flags and results keep their Win32 values, so that callers and
// tests read the same numbers on every platform.
inline constexpr unsigned MB_OK = 0x0;
inline constexpr unsigned MB_OKCANCEL = 0x1;
inline constexpr unsigned MB_YESNOCANCEL = 0x3;
inline constexpr unsigned MB_YESNO = 0x4;
inline constexpr unsigned MB_ICONERROR = 0x10;
inline constexpr unsigned MB_ICONQUESTION = 0x20;
inline constexpr unsigned MB_ICONWARNING = 0x30;
inline constexpr unsigned MB_ICONINFORMATION = 0x40;
inline constexpr unsigned MB_DEFBUTTON2 = 0x100;
inline constexpr unsigned MB_DEFBUTTON3 = 0x200;

inline constexpr unsigned MB_TYPEMASK = 0xF;
inline constexpr unsigned MB_ICONMASK = 0xF0;
inline constexpr unsigned MB_DEFMASK = 0xF00;

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// Shows a message box: text and flags in, the result of the pressed button out.
using MessageBoxPresenter = std::function<int(const QString& text, unsigned flags)>;

// The results of the buttons of the flags' style, in the order they are shown.
// A style that this program does not use is shown as a plain OK box.
std::vector<int> GetMessageBoxButtons(unsigned flags);

// The result of the default button: the first button, or the second or third
// with MB_DEFBUTTON2 or MB_DEFBUTTON3 when the style has that many.
int GetDefaultMessageBoxAnswer(unsigned flags);
