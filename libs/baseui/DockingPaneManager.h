#pragma once

#include <Qt>

#include <vector>

class DockingPane;
class QMainWindow;
class QString;
class QWidget;

// The docking panes of the main window, reached by pane id. The frame owns
// the panes; the manager only finds and moves them.
class DockingPaneManager
{
public:
    explicit DockingPaneManager(QMainWindow& frame);

    DockingPane* CreatePane(int id, const QString& title, QWidget* content, Qt::DockWidgetArea area);
    DockingPane* FindPane(int id) const;
    const std::vector<DockingPane*>& GetPanes() const { return m_panes; }

    // Shows the pane, brings it in front of its tab group and gives it the focus.
    bool SelectPane(int id);
    bool ShowPane(int id, bool show);
    // Closes an open pane, selects a closed one.
    bool TogglePane(int id);
    // Puts a floating pane back into the frame, or tears it off.
    bool DockPane(int id);
    bool FloatPane(int id);
    bool IsPaneFloating(int id) const;
    bool IsPaneOpen(int id) const;

private:
    QMainWindow& m_frame;
    std::vector<DockingPane*> m_panes;
};
