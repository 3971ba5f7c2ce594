#pragma once

#include <QString>

#include <functional>

class QWidget;

// A run without a person: when QUORVEL_SCREENSHOT names a PNG file, every
// message box and link takes its default answer and writes its text to
// stderr, and the program saves a picture of its main window there once it
// has painted, then ends.
class ScreenshotMode
{
public:
    static QString GetTargetPath();
    static bool IsOn() { return !GetTargetPath().isEmpty(); }

    // Message boxes answer by default, links are only reported.
    static void InstallDefaultAnswers();
    // Once ready() holds (the files of the command line are open) and the
    // window has painted, saves the picture and quits the event loop with
    // failures() (files that could not be opened: non-zero fails the run),
    // or 1 when the picture cannot be written.
    static void TakeWhenReady(QWidget& window, std::function<bool()> ready, std::function<int()> failures);
};
