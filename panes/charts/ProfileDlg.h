#pragma once

#include "PaneDlgBase.h"

// The Profile pane. It charts nothing yet; it exists so that the pane
// layout, the pane menu and saved arrangements are complete.
class ProfileDlg : public PaneDlgBase
{
public:
    static constexpr int kTemplateId = 131;

    explicit ProfileDlg(QWidget* parent = nullptr);
};
