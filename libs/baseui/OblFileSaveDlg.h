#pragma once

#include "OblFileDialog.h"

// The dialog that asks for the name to save under. A name typed without an
// extension gets the one of the chosen filter.
class OblFileSaveDlg : public OblFileDialog
{
public:
    explicit OblFileSaveDlg(unsigned flags = OFN_OVERWRITEPROMPT, QWidget* parent = nullptr)
        : OblFileDialog(true, flags, parent)
    {
    }
};
