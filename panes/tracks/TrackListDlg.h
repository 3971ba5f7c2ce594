#pragma once

#include "CommandMenu.h"
#include "PaneDlgBase.h"

#include <QStringList>

#include <boost/signals2/connection.hpp>

#include <functional>
#include <utility>
#include <vector>

class TrkList;
class TrkPropCtrl;

// The Tracks pane: the list of open files, folders and segments above the
// sheet of the selection's properties, kept in step with the open tracks
// through the change events. The list's context menu and keys carry the
// item commands; those that belong to other parts of the program go out
// through the handlers given at construction.
class TrackListDlg : public PaneDlgBase
{
public:
    static constexpr int kTemplateId = 130;

    // Commands of the context menu.
    enum Command {
        CmdLocate = 1131,
        CmdDelete = 1132,
        CmdRename = 1134,
        CmdSaveAs = 1135,
        CmdMerge = 1136,
        CmdJoin = 1137,
        CmdReverse = 1138,
    };

    // Shows the segments on the map.
    using Locate = std::function<void(const std::vector<int>& segmentTids)>;
    // Runs a command of the main window (merge, reverse, save as).
    using SendCommand = std::function<void(int commandId)>;
    // Asks about unsaved changes of files about to close; false keeps them
    // open. None closes without asking.
    using MayClose = std::function<bool(const std::vector<int>& fileTids)>;
    // Runs the menu: the commands with whether each is enabled; gives the
    // chosen command or 0. Tests put a script in its place.
    using MenuRunner = CommandMenu::Runner;

    // Opens files dropped on the list from outside, as a drop on the main
    // window does.
    using OpenFiles = std::function<void(const QStringList& paths)>;

    TrackListDlg(Locate locate, SendCommand sendCommand, MayClose mayClose, QWidget* parent = nullptr);
    ~TrackListDlg() override;

    TrkList& GetList() { return *m_list; }
    TrkPropCtrl& GetProperties() { return *m_properties; }
    void SetMenuRunner(MenuRunner runner) { m_menuRunner = std::move(runner); }
    void SetOpenFiles(OpenFiles openFiles);

    // The context menu over the selection, as a right click shows it.
    void ShowMenu(const QPoint& globalPos);
    void RunCommand(int id);

private:
    void OnEvent();
    std::vector<int> SelectedItems() const;
    void LocateItems(const std::vector<int>& tids);
    void CloseSelected();
    void JoinSelected();

    TrkList* m_list;
    TrkPropCtrl* m_properties;
    Locate m_locate;
    SendCommand m_sendCommand;
    MayClose m_mayClose;
    MenuRunner m_menuRunner;
    boost::signals2::scoped_connection m_events;
};
