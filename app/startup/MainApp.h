#pragma once

#include "CommandLine.h"

#include <memory>

class AppTickDriver;
class HelpCommands;
class TrackOpening;
class TracksFileUI;
class MainFrame;
class SingleInstance;

// The application: settings, single instance, command line, main window,
// and the event loop with the application tick.
class MainApp
{
public:
    MainApp();
    ~MainApp();
    MainApp(const MainApp&) = delete;
    MainApp& operator=(const MainApp&) = delete;

    // False ends the process before any window shows: when another
    // instance took the command line, or an update installer took over.
    bool InitInstance(const QStringList& args);
    int Run();

    MainFrame* GetMainFrame() const { return m_frame.get(); }

private:
    // True when a running instance took the files. Otherwise this one
    // listens for later starts, or runs on its own when the socket cannot
    // be had safely (said on stderr).
    bool HandOverToRunningInstance();
    void ShowMainWindow();

    CommandLine m_commandLine;
    std::unique_ptr<SingleInstance> m_instance;
    std::unique_ptr<MainFrame> m_frame;
    std::unique_ptr<HelpCommands> m_help;
    std::unique_ptr<TrackOpening> m_opening;
    std::unique_ptr<TracksFileUI> m_files;
    std::unique_ptr<AppTickDriver> m_tick;
};
