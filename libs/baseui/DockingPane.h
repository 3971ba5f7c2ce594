#pragma once

#include <QDockWidget>
#include <QTimer>

class PaneWndIface;

// A docking pane of the main window, known by its id. Its window learns of
// being shown, activated and floated when it implements PaneWndIface.
class DockingPane : public QDockWidget
{
public:
    DockingPane(int id, const QString& title, QWidget* content, QWidget* parent = nullptr);

    int GetId() const { return m_id; }

    // Flashes the pane's title a few times to draw the eye to it.
    void Blink(int times = 3, int intervalMs = 250);
    bool IsBlinking() const { return m_blinkTimer.isActive(); }
    // Open, but out of sight: another pane of its tab group is in front.
    bool IsCollapsed() const;

    // Tells the pane window that it was brought to front.
    void NotifyActivated();

private:
    PaneWndIface* GetPaneWnd() const;
    void SetHighlighted(bool on);

    int m_id;
    QTimer m_blinkTimer;
    int m_blinksLeft = 0;
};
