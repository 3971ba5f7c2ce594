#pragma once

#include "DockingPaneManager.h"
#include "MainFrameImpl.h"
#include "PaneFuncI.h"

#include <vector>

class DockingPane;
class MainFrame;
class TrackView;

// The eight docking panes of the main window: made empty with their titles
// (the parts that own them put their widgets in), arranged as at the first
// start, and saved and restored under "Layout" with the toolbars.
class PaneLayoutManager : public PaneFuncI
{
public:
    explicit PaneLayoutManager(MainFrame& frame);

    DockingPane* GetPane(int paneId) const { return m_manager.FindPane(paneId); }
    DockingPaneManager& GetManager() { return m_manager; }
    TrackView& GetTrackView() const { return *m_trackView; }
    // The pane id of a View menu pane command, or 0.
    static int PaneOfCommand(int commandId);

    void BuildInitialLayout();
    // The frame calls this whenever it is shown: sizes of a freshly built
    // layout can only be applied to a window that has its final size.
    void OnFrameShown();
    void SaveLayout() const;
    // False when nothing was saved or the saved state does not fit.
    bool LoadLayout();

    // The View menu's pane commands and "Restore initial layout".
    [[nodiscard]] std::vector<MainFrameImpl::Connection> SubscribeCommands(MainFrameImpl& hub);

    void ShowPane(int paneId, bool show) override;
    void TogglePane(int paneId) override;
    void ActivatePane(int paneId) override;
    bool IsPaneVisible(int paneId) const override;

private:
    void ApplyInitialSizes();
    // The Points pane, its point-range commands sent to the frame.
    QWidget* CreateProfile();
    QWidget* CreatePointList();
    QWidget* CreateHistogram();

    MainFrame& m_frame;
    DockingPaneManager m_manager;
    TrackView* m_trackView;
    bool m_sizesPending = false;
};
