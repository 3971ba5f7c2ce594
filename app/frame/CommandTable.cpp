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
        Cmd(ID_FILE_OPEN), Cmd(ID_FILE_OPEN_SESSION), kSeparator,
        Cmd(ID_FILE_CLOSE_ALL), kSeparator,
        Cmd(ID_FILE_SAVE), Cmd(ID_FILE_SAVE_AS), Cmd(ID_FILE_SAVE_SESSION), Cmd(ID_FILE_SAVE_ALL),
        Cmd(ID_FILE_CLOSE_SESSION), kSeparator,
        Cmd(ID_FILE_EXPORT), Cmd(ID_FILE_SAVE_IMAGE), kSeparator,
        Sub(IDS_MENU_RECENT_TRACKS), Cmd(ID_FILE_MRU_FIRST), kEnd,
        Sub(IDS_MENU_RECENT_SESSIONS), Cmd(ID_SESSION_MRU_FIRST), kEnd, kSeparator,
        Cmd(ID_APP_EXIT),
    kEnd,
    Sub(IDS_MENU_EDIT),
        Cmd(ID_EDIT_UNDO), Cmd(ID_EDIT_REDO),
    kEnd,
    Sub(IDS_MENU_VIEW),
        Sub(IDS_MENU_PANES),
            Cmd(ID_PANE_TRACKS), Cmd(ID_PANE_POINTS), Cmd(ID_PANE_POINT_PROPERTIES),
            Cmd(ID_PANE_PROFILE), Cmd(ID_PANE_HISTOGRAM), Cmd(ID_PANE_CLEANING_REPORT),
        kEnd,
        Sub(IDS_MENU_TOOLBARS), Cmd(ID_VIEW_TOOLBAR), kEnd,
        Cmd(ID_VIEW_STATUS_BAR), Cmd(ID_PANE_LEGEND), Cmd(ID_VIEW_QUICK_LAUNCH),
        Cmd(ID_VIEW_RESTORE_LAYOUT), kSeparator,
        Cmd(ID_VIEW_MAP_CENTER), Cmd(ID_VIEW_SCALE), kSeparator,
        Cmd(ID_VIEW_MAP), Sub(IDS_MENU_MAP_LAYER), Cmd(ID_VIEW_MAP_LAYER), kEnd, Cmd(ID_VIEW_DOWNLOAD_AREA),
        Cmd(ID_VIEW_FILTERED_POINTS), Cmd(ID_VIEW_CLEANED_POINTS), Cmd(ID_VIEW_ARROWS),
        Sub(IDS_MENU_COLOR_BY), Cmd(ID_VIEW_COLOR_BY), kEnd,
    kEnd,
    Sub(IDS_MENU_TRACK),
        Cmd(ID_TRACK_RESTRUCTURE), Cmd(ID_TRACK_MERGE), Cmd(ID_TRACK_REVERSE), Cmd(ID_TRACK_INCREASE_FREQUENCY),
        Sub(IDS_MENU_TIME), Cmd(ID_TIME_SHIFT), Cmd(ID_TIME_RESET), kEnd, kSeparator,
        Cmd(ID_RANGE_NEW_SEGMENT), Cmd(ID_RANGE_CROP), Cmd(ID_RANGE_DELETE), Cmd(ID_RANGE_SAVE_AS),
    kEnd,
    Sub(IDS_MENU_FILTER),
        Cmd(ID_FILTER_BY_VALUE), Cmd(ID_FILTER_LOCAL), kSeparator, Cmd(ID_FILTER_RESTORE), Cmd(ID_FILTER_DELETE),
    kEnd,
    Sub(IDS_MENU_TOOLS),
        Cmd(ID_RECIPE_RECORD), Cmd(ID_RECIPE_SAVE), Cmd(ID_RECIPE_APPLY), kSeparator,
        Cmd(ID_TOOLS_OPTIONS),
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
