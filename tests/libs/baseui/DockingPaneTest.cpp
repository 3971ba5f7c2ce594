#include "CommandIds.h"
#include "DockingPane.h"
#include "DockingPaneManager.h"
#include "PaneWndIface.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

class RecordingPaneWnd : public QWidget, public PaneWndIface
{
public:
    void OnPaneShown(bool shown) override { this->shown.push_back(shown); }
    void OnPaneActivated() override { ++activated; }
    void OnPaneFloating(bool floating) override { this->floating.push_back(floating); }

    std::vector<bool> shown;
    std::vector<bool> floating;
    int activated = 0;
};

struct Frame
{
    Frame()
        : panes(window)
    {
        tracks = new RecordingPaneWnd;
        points = new RecordingPaneWnd;
        panes.CreatePane(PANE_TRACKS, QStringLiteral("Tracks"), tracks, Qt::LeftDockWidgetArea);
        panes.CreatePane(PANE_POINTS, QStringLiteral("Points"), points, Qt::LeftDockWidgetArea);
        window.resize(800, 600);
        window.show();
        QApplication::processEvents();
    }

    QMainWindow window;
    DockingPaneManager panes;
    RecordingPaneWnd* tracks;
    RecordingPaneWnd* points;
};

TEST(DockingPaneManager, TogglesSelectsAndReportsPanesById)
{
    Frame f;
    EXPECT_EQ(f.panes.FindPane(PANE_TRACKS)->objectName(), QStringLiteral("Pane%1").arg(PANE_TRACKS));
    EXPECT_EQ(f.panes.FindPane(1), nullptr);
    EXPECT_FALSE(f.panes.SelectPane(1));
    EXPECT_TRUE(f.panes.IsPaneOpen(PANE_POINTS));
    EXPECT_TRUE(f.panes.TogglePane(PANE_POINTS));
    EXPECT_FALSE(f.panes.IsPaneOpen(PANE_POINTS));
    EXPECT_FALSE(f.points->shown.empty());
    EXPECT_FALSE(f.points->shown.back());
    EXPECT_TRUE(f.panes.TogglePane(PANE_POINTS));
    EXPECT_TRUE(f.panes.IsPaneOpen(PANE_POINTS));
    EXPECT_EQ(f.points->activated, 1);
    EXPECT_TRUE(f.points->shown.back());
}

TEST(DockingPaneManager, FloatsAndDocksPanes)
{
    Frame f;
    EXPECT_FALSE(f.panes.IsPaneFloating(PANE_TRACKS));
    EXPECT_TRUE(f.panes.FloatPane(PANE_TRACKS));
    EXPECT_TRUE(f.panes.IsPaneFloating(PANE_TRACKS));
    EXPECT_EQ(f.tracks->floating, std::vector<bool>{true});
    EXPECT_TRUE(f.panes.DockPane(PANE_TRACKS));
    EXPECT_FALSE(f.panes.IsPaneFloating(PANE_TRACKS));
    EXPECT_EQ(f.tracks->floating, (std::vector<bool>{true, false}));
    EXPECT_FALSE(f.panes.IsPaneFloating(12345));
}

TEST(DockingPane, ATabBehindAnotherIsCollapsedUntilSelected)
{
    Frame f;
    DockingPane* tracks = f.panes.FindPane(PANE_TRACKS);
    DockingPane* points = f.panes.FindPane(PANE_POINTS);
    EXPECT_FALSE(tracks->IsCollapsed());
    f.window.tabifyDockWidget(tracks, points);
    points->raise();
    QApplication::processEvents();
    EXPECT_TRUE(tracks->IsCollapsed());
    EXPECT_FALSE(points->IsCollapsed());
    ASSERT_FALSE(f.tracks->shown.empty());
    EXPECT_FALSE(f.tracks->shown.back()); // its window learnt that it is out of sight
    f.panes.SelectPane(PANE_TRACKS);
    QApplication::processEvents();
    EXPECT_FALSE(tracks->IsCollapsed());
    EXPECT_TRUE(points->IsCollapsed());
    // A closed pane is not collapsed: it is closed.
    f.panes.ShowPane(PANE_POINTS, false);
    EXPECT_FALSE(points->IsCollapsed());
}

TEST(DockingPane, BlinkEndsAfterItsFlashes)
{
    Frame f;
    DockingPane* pane = f.panes.FindPane(PANE_TRACKS);
    pane->Blink(2, 10);
    EXPECT_TRUE(pane->IsBlinking());
    EXPECT_FALSE(pane->styleSheet().isEmpty());
    QElapsedTimer timer;
    timer.start();
    while (pane->IsBlinking() && timer.elapsed() < 2000)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    EXPECT_FALSE(pane->IsBlinking());
    EXPECT_TRUE(pane->styleSheet().isEmpty());
    EXPECT_GE(timer.elapsed(), 30); // four phases of 10 ms
}

} // namespace
