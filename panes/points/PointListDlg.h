#pragma once

#include "CommandMenu.h"
#include "PaneDlgBase.h"
#include "PointEdits.h"
#include "TrackPositionConverter.h"

#include <boost/signals2/connection.hpp>

#include <functional>
#include <utility>
#include <vector>

class PointList;

// The Points pane: the list of the current segment's points, kept in step
// with the open tracks and the current point through the change events,
// with the point commands in its context menu and on the Delete keys.
class PointListDlg : public PaneDlgBase
{
public:
    static constexpr int kTemplateId = 132;

    // Commands of the context menu.
    enum Command {
        CmdDelete = 1351,
        CmdRemove = 1352,
        CmdRestore = 1357,
        CmdAddBreak = 1358,
        CmdRemoveBreak = 1359,
    };

    // Brings a point into view on the map when it lies outside it.
    using ShowPoint = std::function<void(const TrackPosition&)>;
    // Runs the menu: the commands with whether each is enabled; gives the
    // chosen command or 0. Tests put a script in its place.
    using MenuRunner = CommandMenu::Runner;

    explicit PointListDlg(ShowPoint showPoint, QWidget* parent = nullptr);
    ~PointListDlg() override;

    PointList& GetList() { return *m_list; }
    void SetMenuRunner(MenuRunner runner) { m_menuRunner = std::move(runner); }
    // Where the menu's commands on the point range go: the frame.
    using SendCommand = std::function<void(int commandId)>;
    void SetCommandSender(SendCommand send) { m_sendCommand = std::move(send); }

    // The context menu of the focused point, as a right click shows it.
    void ShowMenu(const QPoint& globalPos);
    // Runs a menu command on the focused point.
    void RunCommand(int id);

private:
    void OnEvent();
    void OnPointFocused(const TrackPosition& point);
    void DeletePoint(const TrackPosition& point);

    PointList* m_list;
    ShowPoint m_showPoint;
    MenuRunner m_menuRunner;
    SendCommand m_sendCommand;
    PointEdits m_actions;
    boost::signals2::scoped_connection m_events;
};
