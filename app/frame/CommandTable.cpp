#include "CommandTable.h"

#include "CommandIds.h"
#include "StringIds.h"

namespace {

constexpr MenuEntry Cmd(int id) { return {MenuEntry::Command, id}; }
constexpr MenuEntry Sub(int textId) { return {MenuEntry::Submenu, textId}; }
constexpr MenuEntry kSeparator{MenuEntry::Separator};
constexpr MenuEntry kEnd{MenuEntry::End};

constexpr MenuEntry kMainMenu[] = {
    Sub(IDS_MENU_FILE),
        Cmd(32801), Cmd(32807), kSeparator,
        Cmd(32814), kSeparator,
        Cmd(32803), Cmd(32802), Cmd(32808), Cmd(32804), Cmd(32805), kSeparator,
        Cmd(32810), Cmd(32815), kSeparator,
        Sub(IDS_MENU_RECENT_TRACKS), Cmd(ID_FILE_MRU_FIRST), kEnd,
        Sub(IDS_MENU_RECENT_SESSIONS), Cmd(32830), kEnd, kSeparator,
        Cmd(ID_APP_EXIT),
    kEnd,
    Sub(IDS_MENU_VIEW),
        Sub(IDS_MENU_PANES),
            Cmd(ID_PANE_TRACKS), Cmd(ID_PANE_POINTS), Cmd(ID_PANE_POINT_PROPERTIES),
            Cmd(ID_PANE_PROFILE), Cmd(ID_PANE_HISTOGRAM),
        kEnd,
        Sub(IDS_MENU_TOOLBARS), Cmd(ID_VIEW_TOOLBAR), kEnd,
        Cmd(ID_VIEW_STATUS_BAR), Cmd(ID_PANE_LEGEND), Cmd(ID_VIEW_QUICK_LAUNCH),
        Cmd(ID_VIEW_RESTORE_LAYOUT), kSeparator,
        Cmd(32851), Cmd(32852), kSeparator,
        Cmd(32870), Sub(IDS_MENU_MAP_LAYER), Cmd(32871), kEnd,
        Cmd(32853), Cmd(32854),
        Sub(IDS_MENU_COLOR_BY), Cmd(32873), kEnd,
    kEnd,
    Sub(IDS_MENU_TRACK),
        Cmd(33001), Cmd(33002), Cmd(33005), Cmd(33006),
        Sub(IDS_MENU_TIME), Cmd(32907), Cmd(32908), kEnd,
    kEnd,
    Sub(IDS_MENU_FILTER),
        Cmd(32902), Cmd(32904), kSeparator, Cmd(32921), Cmd(32920),
    kEnd,
    Sub(IDS_MENU_TOOLS),
        Cmd(33151),
    kEnd,
    Sub(IDS_MENU_HELP),
        Cmd(ID_HELP_USER_GUIDE), Cmd(ID_HELP_SHORTCUTS), Cmd(ID_HELP_SUPPORT), kSeparator,
        Cmd(ID_HELP_CHECK_UPDATES), kSeparator,
        Cmd(ID_HELP_ABOUT),
    kEnd,
};

} // namespace

std::span<const MenuEntry> GetMainMenuTable()
{
    return kMainMenu;
}
