#pragma once

class MainFrame;
class QWidget;

// The Tracks pane's content for the main window, with its commands wired to
// the map and the window's command routing.
QWidget* CreateTrackListPane(MainFrame& frame);
