#pragma once

class QMainWindow;
class QWidget;

// The Tracks pane's content for the main window, with its commands wired to
// the map, the window's command routing and the Track menu.
QWidget* CreateTrackListPane(QMainWindow& frame);
