#pragma once

#include <QList>
#include <QString>

#include <functional>

class QWidget;

// A run without a person: when QUORVEL_SCREENSHOT names a PNG file, every
// message box and link takes its default answer and writes its text to
// stderr, and the program saves a picture of its main window there once it
// has painted, then ends. When QUORVEL_SCREENSHOT_COMMAND names a command
// id as well, that command runs once the window is ready and the picture is
// of the first dialog it opens (within 15 seconds: some commands ask a
// server first), which is then cancelled.
class ScreenshotMode
{
public:
    static QString GetTargetPath();
    static bool IsOn() { return !GetTargetPath().isEmpty(); }
    // The command whose dialog is pictured; 0 pictures the main window.
    static int GetCommand();
    // With QUORVEL_SCREENSHOT_RUN=ID,ID,... the window is pictured after
    // those commands ran, in order, with the default answers (a filter
    // then its report, say).
    static QList<int> GetCommandsToRun();
    // With QUORVEL_SCREENSHOT_SEGMENT=N, the N-th open segment (from 1) is
    // selected before the picture, so the panes that follow the current
    // segment (points, profile, histogram) have something to show. With
    // QUORVEL_SCREENSHOT_RANGE=FIRST-LAST as well, those points of it are
    // marked as the point range. With QUORVEL_SCREENSHOT_LIMITS=MaxSpeed=40
    // (row names of the filter by value, comma-separated pairs), those
    // limits are set as a cut-off line of the Histogram pane sets them.
    static void SelectSegment();
    // QUORVEL_SCREENSHOT_ZOOM=F: how many times the map is zoomed in about
    // its centre once the files are open (and fitted into it); 0 when not set.
    static double GetZoom();

    // Message boxes answer by default, links are only reported.
    static void InstallDefaultAnswers();
    // Once ready() holds (the files of the command line are open) and the
    // window has painted, saves the picture and quits the event loop with
    // failures() (files that could not be opened: non-zero fails the run),
    // or 1 when the picture cannot be written.
    // With a command, runCommand runs it instead and the dialog is pictured.
    static void TakeWhenReady(QWidget& window, std::function<bool()> ready, std::function<int()> failures,
                              std::function<void(int)> runCommand);
};
