#pragma once

// Command ids that the application shell handles or places itself.
enum CommandId : int
{
    ID_VIEW_RESTORE_LAYOUT = 32772,
    ID_PANE_TRACKS = 32774,
    ID_PANE_POINTS = 32775,
    ID_PANE_PROFILE = 32776,
    ID_PANE_POINT_PROPERTIES = 32777,
    ID_PANE_HISTOGRAM = 32778,
    ID_PANE_LEGEND = 32779,
    ID_FILE_OPEN = 32801,
    ID_FILE_SAVE = 32803,
    ID_FILE_MRU_FIRST = 32820,
    ID_VIEW_QUICK_LAUNCH = 32872,
    ID_VIEW_COLOR_BY = 32873,
    ID_HELP_USER_GUIDE = 33101,
    ID_HELP_SHORTCUTS = 33102,
    ID_HELP_SUPPORT = 33104,
    ID_HELP_CHECK_UPDATES = 33105,
    ID_HELP_ABOUT = 33106,
    ID_HELP_BASICS = 33107,
    ID_HELP_TOUR = 33108,
    ID_APP_EXIT = 57665,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
};

// Pane ids are the string ids of their titles.
enum PaneId : int
{
    PANE_TRACKS = 61400,
    PANE_PROFILE = 61401,
    PANE_POINTS = 61402,
    PANE_TRACK_VIEW = 61403,
    PANE_POINT_PROPERTIES = 61404,
    PANE_HISTOGRAM = 61405,
    PANE_LEGEND = 61406,
};

// Toolbar ids are the string ids of their titles.
enum ToolbarId : int
{
    TOOLBAR_TOOLS = 62250,
    TOOLBAR_VIEW_MODES = 62500,
};
