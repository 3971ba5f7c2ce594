#pragma once

#include "OblFileDialog.h"

// The dialog that asks for existing files to open.
class OblFileOpenDlg : public OblFileDialog
{
public:
    explicit OblFileOpenDlg(unsigned flags = OFN_FILEMUSTEXIST, QWidget* parent = nullptr)
        : OblFileDialog(false, flags, parent)
    {
    }
};
