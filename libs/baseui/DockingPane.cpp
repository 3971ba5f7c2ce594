#include "DockingPane.h"

#include "PaneWndIface.h"

#include <QTabBar>

DockingPane::DockingPane(int id, const QString& title, QWidget* content, QWidget* parent)
    : QDockWidget(title, parent)
    , m_id(id)
{
    // saveState/restoreState of the main window find panes by name.
    setObjectName(QStringLiteral("Pane%1").arg(id));
    setWidget(content);
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (PaneWndIface* wnd = GetPaneWnd())
            wnd->OnPaneShown(visible);
    });
    connect(this, &QDockWidget::topLevelChanged, this, [this](bool floating) {
        if (PaneWndIface* wnd = GetPaneWnd())
            wnd->OnPaneFloating(floating);
    });
    connect(&m_blinkTimer, &QTimer::timeout, this, [this] {
        // Even counts are the highlighted phases, odd ones the plain phases.
        if (--m_blinksLeft <= 0)
            m_blinkTimer.stop();
        SetHighlighted(m_blinksLeft > 0 && m_blinksLeft % 2 == 0);
    });
}

PaneWndIface* DockingPane::GetPaneWnd() const
{
    return dynamic_cast<PaneWndIface*>(widget());
}

void DockingPane::Blink(int times, int intervalMs)
{
    m_blinksLeft = 2 * std::max(times, 1);
    m_blinkTimer.start(intervalMs);
    SetHighlighted(true);
}

void DockingPane::SetHighlighted(bool on)
{
    setStyleSheet(on ? QStringLiteral("QDockWidget::title { background: palette(highlight); }") : QString());
}

// The main window keeps a tab bar per tab group, each tab carrying its dock
// widget's address; a pane behind another stays "visible" to Qt.
bool DockingPane::IsCollapsed() const
{
    if (isHidden() || isFloating() || !parentWidget())
        return false;
    const auto self = reinterpret_cast<quintptr>(this);
    for (const QTabBar* tabs : parentWidget()->findChildren<QTabBar*>(Qt::FindDirectChildrenOnly)) {
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->tabData(i).value<quintptr>() == self)
                return i != tabs->currentIndex();
    }
    return false;
}

void DockingPane::NotifyActivated()
{
    if (PaneWndIface* wnd = GetPaneWnd())
        wnd->OnPaneActivated();
}
