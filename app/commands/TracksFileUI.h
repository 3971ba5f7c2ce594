#pragma once

#include "MainFrameImpl.h"
#include "MruHelper.h"
#include "TrackFileType.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <boost/signals2/connection.hpp>

#include <functional>
#include <vector>

class CommandUI;
class MainFrame;

// The File menu's track commands: open, save, save as, save all, close all,
// the recent-tracks list and the start page's copy of it, files dropped on
// the window. Every dialog goes through the scriptable presenters.
class TracksFileUI : public QObject
{
public:
    explicit TracksFileUI(MainFrame& frame);
    ~TracksFileUI() override;

    // Hands a file to the opening queue (the recent-tracks callback).
    void OpenFile(const QString& fileName);
    // Saves an open file: to its own path as GPX when allowDirect and it was
    // read from or saved as GPX, otherwise to a path asked for, in the
    // format its extension names. False when the user cancelled or the file
    // could not be written.
    bool SaveFile(int fileTid, bool allowDirect);
    // Saves the modified files among fileTids, after asking when prompt.
    // False when the user cancelled or a save failed.
    bool SaveUnsaved(const std::vector<int>& fileTids, bool prompt);
    // Whether an open file may be renamed to newName; tells the user why not.
    // An accepted name becomes the file's path (its extension kept) and
    // replaces the old path in the recent list.
    bool CheckNewName(int fileTid, const QString& newName);

    // Asks for a path, offering defaultName, then saves the new file that
    // build adds to the open tracks for the chosen name (without folder or
    // extension; build returns its tid, -1 for none); the file becomes the
    // selection. False when the user cancelled or nothing was built.
    bool SaveNewFile(const QString& defaultName, const std::function<int(const QString& name)>& build);

    const MruHelper& GetRecentTracks() const { return m_recent; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnCommand(int id);
    void OnCommandUI(CommandUI& ui);
    void Open();
    void SaveSelection();
    void SaveAs();
    void SaveParts(const std::vector<int>& items);
    void CloseAll();
    // Asks for the path to save to; false when cancelled.
    bool AskSavePath(QString& path) const;
    // Writes the file as type, after asking when the format cannot hold all
    // the file has, and records the path and type; on failure tells the user
    // why and leaves the attributes as they were.
    bool WriteFile(int fileTid, const QString& path, TrackFileType type);
    // Asks before saving over the file's own path when another program
    // changed it since it was read or last saved; true to go on.
    bool ConfirmOverDiskChanges(int fileTid, const QString& path) const;
    void AddRecent(const QString& path);
    void ShowRecent();
    void FillRecentMenu();

    MainFrame& m_frame;
    MruHelper m_recent;
    MainFrameImpl::Connection m_commands;
    MainFrameImpl::Connection m_commandUIs;
    boost::signals2::scoped_connection m_opened;
};
