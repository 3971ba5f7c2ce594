#pragma once

// Showing and hiding the docking panes by pane id (the string id of the
// pane's title).
class PaneFuncI
{
public:
    virtual ~PaneFuncI() = default;
    virtual void ShowPane(int paneId, bool show) = 0;
    virtual void TogglePane(int paneId) = 0;
    // Shows the pane and gives it the focus.
    virtual void ActivatePane(int paneId) = 0;
    virtual bool IsPaneVisible(int paneId) const = 0;
};
