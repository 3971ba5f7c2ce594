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
    ID_PANE_CLEANING_REPORT = 32780,
    // The file commands take 32800 to 32849.
    ID_FILE_FIRST = 32800,
    ID_FILE_OPEN = 32801,
    ID_FILE_SAVE_AS = 32802,
    ID_FILE_SAVE = 32803,
    ID_FILE_SAVE_ALL = 32804,
    ID_FILE_CLOSE_SESSION = 32805,
    ID_FILE_OPEN_SESSION = 32807,
    ID_FILE_SAVE_SESSION = 32808,
    ID_FILE_EXPORT = 32810,
    ID_FILE_CLOSE_ALL = 32814,
    ID_FILE_SAVE_IMAGE = 32815,
    ID_FILE_MRU_FIRST = 32820,
    ID_SESSION_MRU_FIRST = 32830,
    ID_FILE_LAST = 32849,
    ID_VIEW_MAP_CENTER = 32851,
    ID_VIEW_SCALE = 32852,
    ID_VIEW_FILTERED_POINTS = 32853,
    ID_VIEW_ARROWS = 32854,
    ID_VIEW_MAP = 32870,
    // Stands in the Map layer menu until the layers are known.
    ID_VIEW_MAP_LAYER = 32871,
    ID_VIEW_QUICK_LAUNCH = 32872,
    // Stands in the Color by menu until the palettes are known, and names the toolbar's choice of them.
    ID_VIEW_COLOR_BY = 32873,
    ID_FILTER_FIRST = 32900,
    ID_FILTER_BY_VALUE = 32902,
    ID_FILTER_SPIKES = 32903,
    ID_FILTER_LOCAL = 32904,
    ID_FILTER_STOPS = 32905,
    // The filter by value with the limits last set (the Histogram pane's Apply).
    ID_FILTER_APPLY_LIMITS = 32906,
    ID_TIME_SHIFT = 32907,
    ID_TIME_RESET = 32908,
    ID_FILTER_DELETE = 32920,
    ID_FILTER_RESTORE = 32921,
    ID_FILTER_LAST = 32990,
    ID_TRACK_RESTRUCTURE = 33001,
    ID_TRACK_MERGE = 33002,
    ID_TRACK_ADD_BREAK = 33003,
    ID_TRACK_REMOVE_BREAK = 33004,
    ID_TRACK_REVERSE = 33005,
    ID_TRACK_INCREASE_FREQUENCY = 33006,
    // One command a map layer, in the order of the layer list.
    ID_VIEW_MAP_LAYER_FIRST = 33050,
    ID_VIEW_MAP_LAYER_LAST = 33099,
    ID_HELP_USER_GUIDE = 33101,
    ID_HELP_SHORTCUTS = 33102,
    ID_HELP_SUPPORT = 33104,
    ID_HELP_CHECK_UPDATES = 33105,
    ID_HELP_ABOUT = 33106,
    ID_HELP_BASICS = 33107,
    ID_HELP_TOUR = 33108,
    ID_TOOLS_OPTIONS = 33151,
    // 33201 to 33204 switch the map's mouse mode: MouseMode of the view names them,
    // as the view does not see this header.
    // One command a palette of the "Color by" choice, in the order of the palettes.
    ID_VIEW_PALETTE_FIRST = 33300,
    ID_VIEW_PALETTE_LAST = 33349,
    // The commands on the point range take 33400 to 33419.
    ID_RANGE_FIRST = 33400,
    ID_RANGE_NEW_SEGMENT = ID_RANGE_FIRST,
    ID_RANGE_CROP = 33401,
    ID_RANGE_DELETE = 33402,
    ID_RANGE_SAVE_AS = 33403,
    ID_RANGE_LAST = 33419,
    // Undo and redo take 33420 to 33439.
    ID_EDIT_UNDO = 33420,
    ID_EDIT_REDO = 33421,
    ID_VIEW_DOWNLOAD_AREA = 33440,
    // Recording, saving and applying cleaning recipes take 33460 to 33469.
    ID_RECIPE_FIRST = 33460,
    ID_RECIPE_RECORD = ID_RECIPE_FIRST,
    ID_RECIPE_SAVE = 33461,
    ID_RECIPE_APPLY = 33462,
    ID_VIEW_CLEANED_POINTS = 33463,
    ID_RECIPE_LAST = 33469,
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
    PANE_CLEANING_REPORT = 61407,
};

// Toolbar ids are the string ids of their titles.
enum ToolbarId : int
{
    TOOLBAR_TOOLS = 62250,
    TOOLBAR_VIEW_MODES = 62500,
};
