#pragma once

// What a window living in a docking pane learns from the pane manager.
class PaneWndIface
{
public:
    virtual ~PaneWndIface() = default;
    // The pane became visible to the user or stopped being visible (closed,
    // or hidden behind another tab).
    virtual void OnPaneShown(bool shown) = 0;
    // The pane was brought to front and given the focus.
    virtual void OnPaneActivated() = 0;
    // The pane was torn off into its own frame, or docked again.
    virtual void OnPaneFloating(bool floating) = 0;
};
