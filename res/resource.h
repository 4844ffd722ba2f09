// Resource identifiers and the program's fixed constants. The numbers tie the
// code to the templates and string table in Brisevent.rc and never change.
#pragma once

// Dialog templates
#define IDD_ABOUT               101
#define IDD_MAIN                102
#define IDD_HELP_TEXT           140
#define IDD_ICON_FILE_PANE      144

// Main dialog controls (template 102)
#define IDC_TARGET_ICON         1000
#define IDC_ICON_LOCATION       1002
#define IDC_ICON_FILE           1003
#define IDC_TARGET_NAME         1004
#define IDC_BROWSE_ICON_FILE    1005
#define IDC_INFOTIP             1006
#define IDC_APPLY               1007
#define IDC_ABOUT               1008
#define IDC_DEFAULT_ICON        1009
#define IDC_OTHER_FOLDER        1010
#define IDC_PREVIEW_LARGE       1017
#define IDC_PREVIEW_SMALL       1018
#define IDC_REBUILD_CACHE       1028
#define IDC_INFOTIP_LABEL       1039
#define IDC_CHOOSE_COLOUR       1040
#define IDC_CHOOSE_EMBLEM       1041
#define IDM_OTHER_EMBLEM        1042
#define IDM_NO_EMBLEM           1043
#define IDD_COVERS              146
#define IDC_COVERS              1060
#define IDC_REPLACE_OWN_ICONS   1061
#define IDC_FIRST_PICTURE       1062
#define IDC_START_COVERS        1063
#define IDC_COVERS_PROGRESS     1064
#define IDC_COVERS_COUNT        1065
#define IDC_COVERS_FOLDER       1066
#define IDC_COVERS_SUMMARY      1067
#define IDC_COVERS_FAILED       1068
#define IDC_UNDO                1050
#define IDC_ICON_GRID           12297   // also in template 144

// About box controls (template 101)
#define IDC_MAIL_LINK           1005
#define IDC_WEB_LINK            1006
#define IDC_SHOW_HELP_TEXT      1007
#define IDC_ABOUT_PICTURE       1010
#define IDC_PRODUCT_NAME        1018
#define IDC_CONTEXT_MENU_OPTION 1021

// Help-text viewer controls (template 140)
#define IDC_HELP_TEXT           1007

// Icons, cursor, bitmap and the help text
#define IDI_BRISEVENT           132
#define IDI_ABOUT               133
#define IDI_LINK_LEFT           141
#define IDI_LINK_RIGHT          142
#define IDR_LINK_CURSOR         108
#define IDB_ABOUT_PICTURE       1010
#define IDR_HELP_TEXT           143
#define RT_HELP_TEXT            L"TEXTE"
// The help text is stored in Windows-1252, whatever the system's code page
#define HELP_TEXT_CODE_PAGE     1252

// String table
#define IDS_ABOUT_MENU          101
#define IDS_OPTIONS_MENU        102
#define IDS_WEB_LINK_CAPTION    40008
#define IDS_WEB_LINK_TARGET     40009
#define IDS_MAIL_LINK_CAPTION   40010
#define IDS_MAIL_LINK_TARGET    40011
#define IDS_DESKTOP_INI         40012
#define IDS_SHELL_CLASS_INFO    40013
#define IDS_ICON_INDEX_KEY      40014
#define IDS_ICON_FILE_KEY       40015
#define IDS_INFOTIP_KEY         40016
#define IDS_BROWSE_TITLE        40017
#define IDS_ICON_FILE_TITLE     40018
#define IDS_NO_ICON_FOUND       40019
#define IDS_MESSAGE_CAPTION     40020
#define IDS_CANCEL              40021
#define IDS_NOT_CUSTOMISABLE    40022
#define IDS_ERROR_CAPTION       40023
#define IDS_CLOSE               40024
#define IDS_OPTION_KEY          40025
#define IDS_CONTEXT_MENU_VALUE  40026
#define IDS_FOLDER_VERB_KEY     40027
#define IDS_COMMAND_KEY         40028
#define IDS_VERB_TEXT           40029
#define IDS_VERB_COMMAND        40030
#define IDS_PROGRAM_KEY         40031
#define IDS_RECENT_KEY          40032
#define IDS_RECENT_ORDER        40033
#define IDS_WINDOW_METRICS_KEY  40034
#define IDS_SHELL_ICON_SIZE     40035
#define IDS_DRIVE_ICONS_KEY     40036
#define IDS_DRIVE_VERB_KEY      40037
#define IDS_DEFAULT_ICON_KEY    40038
#define IDS_CONFIRM_FILE_OP     40039
#define IDS_FOLDER_COUNT        40040   // the name of a target of several folders

// The silent run's report, and what it says of a wrong command line
#define IDS_SILENT_DONE         40041
#define IDS_SILENT_FAILED       40042
#define IDS_SILENT_COUNTS       40043
#define IDS_SILENT_NO_ICON      40044
#define IDS_SILENT_UNKNOWN      40045
#define IDS_SILENT_NO_VALUE     40046
#define IDS_SILENT_EXTRA_VALUE  40047
#define IDS_SILENT_TWICE        40048
#define IDS_SILENT_CONFLICT     40049
#define IDS_SILENT_NO_CHANGE    40050
#define IDS_SILENT_NO_TARGET    40051
#define IDS_SILENT_JOURNAL      40052
// The lines of the silent run's usage
#define IDS_USAGE_SYNOPSIS      40060
#define IDS_USAGE_TARGETS       40061
#define IDS_USAGE_ICON          40062
#define IDS_USAGE_ICON_MORE     40063
#define IDS_USAGE_INFOTIP       40064
#define IDS_USAGE_DEFAULT       40065
#define IDS_USAGE_JOURNAL       40066
#define IDS_USAGE_HELP          40067
#define IDS_USAGE_STATUS        40068
#define IDS_USAGE_STATUS_MORE   40069
#define IDS_USAGE_COLOUR        40070
#define IDS_USAGE_COLOUR_MORE   40071
#define IDS_USAGE_EMBLEM        40072
#define IDS_USAGE_COVERS        40110
#define IDS_USAGE_COVERS_MORE   40111
#define IDS_USAGE_COVERS_LAST   40112
#define IDS_USAGE_UNDO          40106
#define USAGE_LINE_COUNT        17
#define IDS_SILENT_BAD_COLOUR   40073
#define IDS_SILENT_DESIGN_CONFLICT 40074
#define IDS_OTHER_EMBLEM        40075
#define IDS_NO_EMBLEM           40076
#define IDS_EMBLEM_TITLE        40077
#define IDS_COVERS_COUNTS       40113
#define IDS_SILENT_COVERS_CONFLICT 40114
#define IDS_SILENT_COVERS_ONLY  40115
#define IDS_COVERS_COUNT        40116
#define IDS_COVERS_SUMMARY      40117
#define IDS_COVERS_FAILED_LINE  40118
#define IDS_COVERS_STOPPED      40119
// What a covers run shows while it works: its progress, redrawn at this
// period, and its end, posted by the thread that ran it.
#define ID_COVERS_TIMER         2
#define COVERS_TIMER_PERIOD_MS  100
#define WM_COVERS_DONE          (WM_USER + 8)
// The system's colour dialog holds sixteen custom colours.
#define CUSTOM_COLOUR_COUNT     16

// Undo: the question that names the change, what it changed, what could not
// be restored, and the history's folder under the user's local application
// data
#define IDS_UNDO_QUESTION       40090
#define IDS_UNDO_MONTHS         40091
#define IDS_UNDO_ICON           40092
#define IDS_UNDO_ICON_INFOTIP   40093
#define IDS_UNDO_DEFAULT        40094
#define IDS_UNDO_DEFAULT_INFOTIP 40095
#define IDS_UNDO_INFOTIP        40096
#define IDS_UNDO_ONE_FOLDER     40097
#define IDS_UNDO_FOLDERS        40098
#define IDS_UNDO_ONE_DRIVE      40099
#define IDS_UNDO_DRIVES         40100
#define IDS_UNDO_BOTH_KINDS     40101
#define IDS_UNDO_NOT_RESTORED   40102
#define IDS_UNDO_CHANGED_SINCE  40103
#define IDS_UNDO_NOTHING        40104
#define IDS_SILENT_UNDO_ALONE   40105
#define IDS_HISTORY_FOLDER      40107
#define IDS_UNDO_NOT_RESTORED_ONE 40108

// Messages that the icon grid sends to its parent
#define WM_SELECTION_CHANGED    (WM_USER + 1)
#define WM_PREVIEW_ICON         (WM_USER + 2)
// Posted by the main dialog to itself: the combo box shows the grid's file
// again once the combo box is done with a refused choice
#define WM_SHOW_GRID_FILE       (WM_USER + 3)

// The icon grid: a cell is the system icon size plus the margin, the icon
// drawn at the offset from its top-left corner; the image list starts with
// room for a few images and grows by a whole file's worth at once; the cells
// first drawn together take their icons in one read of the file, up to a
// limit.
#define ICON_CELL_MARGIN        9
#define ICON_CELL_OFFSET        4
#define ICON_LIST_INITIAL       3
#define ICON_LIST_GROWTH        1024
#define MAX_ICONS_TAKEN_AT_ONCE 64

// A picture taken as an icon: the largest image of the icon file made from
// it, and the largest picture read, in pixels
#define LARGEST_ICON_SIZE       256
#define MAX_PICTURE_PIXELS      64000000

// The largest resource id: "file,-N" names an icon group by an id up to it
#define MAX_RESOURCE_ID         0xFFFF

// The shell's own folder and drive icons in shell32.dll, by resource id: the
// default icons where the registry names none
#define STOCK_FOLDER_ICON_ID    4
#define STOCK_DRIVE_ICON_ID     9

// What asks a drop for the number of its items instead of one of them
#define DROPPED_ITEM_COUNT      0xFFFFFFFF

// Buffer sizes: paths, and strings loaded from the string table
#define PATH_BUFFER_SIZE        260
#define STRING_BUFFER_SIZE      256

// Buffer sizes: a registry value, a system error text
#define REGISTRY_BUFFER_SIZE    270
#define ERROR_TEXT_BUFFER_SIZE  512

// The largest desktop.ini the program reads and writes back
#define MAX_REWRITTEN_INI_SIZE  1048576

// The history of changes: how many it keeps, the largest record read back
// (an icon file put back, or a desktop.ini, and the little around it), and
// the largest registry value and icon file it keeps
#define MAX_KEPT_CHANGES        20
#define MAX_HISTORY_RECORD_SIZE 17825792
#define MAX_RECORDED_VALUE_SIZE 65536
#define MAX_RECORDED_ICON_FILE_SIZE 16777216

// The exit statuses of a silent run: every target done; at least one failed,
// the others done; a wrong command line; an icon that cannot be used. With
// the last two nothing is written.
#define EXIT_DONE               0
#define EXIT_SOME_FAILED        1
#define EXIT_WRONG_COMMAND_LINE 2
#define EXIT_ICON_UNUSABLE      3

// The main dialog's one timer: after a removal has emptied a desktop.ini, the
// file is deleted when it fires
#define ID_APPLY_TIMER          1
#define APPLY_TIMER_PERIOD_MS   500

// Size of the small application icon (window caption, minimised image, drag icon)
#define SMALL_ICON_SIZE         16

// The icon cache rebuild: the digits of a size, and how long each broadcast
// waits for one top-level window before it goes on without it
#define SHELL_ICON_SIZE_DIGITS  16
#define BROADCAST_TIMEOUT_MS    1000

// The About box's links: the colour of the link under the mouse, and the
// room left beside a caption when a link is fitted to it
#define LINK_HOVER_COLOUR       RGB(0, 0, 255)
#define LINK_WIDTH_MARGIN       3

// The context-menu verb: the program's own path, and the option's stored
// state as decimal text
#define PROGRAM_PATH_BUFFER_SIZE 256
#define OPTION_TEXT_BUFFER_SIZE  16

// The icon file chooser: its file-name buffer, one character more than the
// length it is announced with, and the path of the selection it previews
#define ICON_FILE_NAME_BUFFER_SIZE 261
#define ICON_PATH_BUFFER_SIZE      264

// What an Explorer-style file dialog answers with its shell browser; not
// every set of headers names it
#ifndef WM_GETISHELLBROWSER
#define WM_GETISHELLBROWSER     (WM_USER + 7)
#endif
