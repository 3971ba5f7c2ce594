#include "MessageBoxStyle.h"

std::vector<int> GetMessageBoxButtons(unsigned flags)
{
    switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {IDOK, IDCANCEL};
    case MB_YESNOCANCEL:
        return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO:
        return {IDYES, IDNO};
    default:
        return {IDOK};
    }
}

int GetDefaultMessageBoxAnswer(unsigned flags)
{
    const std::vector<int> buttons = GetMessageBoxButtons(flags);
    const size_t index = (flags & MB_DEFMASK) >> 8;
    return index < buttons.size() ? buttons[index] : buttons.front();
}
