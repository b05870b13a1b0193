// Resource ids of Varnholt.
#pragma once

#define IDR_MANIFEST 1

// Dialog templates, menus, icon, string table.
#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_VARNHOLT 102
#define IDI_MAINFRAME 128
#define IDD_PROGRESS 131
#define IDD_PULSE 132
#define IDR_MAINMENU 138
#define IDD_WELCOME 140
#define IDD_LANGUAGE_SELECTION 141
#define IDR_TREE_CONTEXT 164

// System menu item of the about box (multiple of 16 as the system menu wants).
#define IDM_ABOUTBOX 0x0010

// Progress animation frames (48 x 48 on RGB(240, 240, 240)), shown in this order.
#define IDB_PROGRESS_1 134
#define IDB_PROGRESS_2 135
#define IDB_PROGRESS_3 136

// Menu pictures: 12 x 12, 24-bit, on white (the menu background), so that they
// fit the menu check-mark area; double them at 200 % scale.
#define IDB_MENU_LANGUAGE 142
#define IDB_MENU_ABOUT 143
#define IDB_MENU_COPY 144
#define IDB_MENU_TREE 145
#define IDB_MENU_EXIT 146
#define IDB_MENU_CHECK 147
#define IDB_MENU_REFRESH 148
#define IDB_MENU_INFO 149
#define IDB_MENU_WEBSITE 150
#define IDB_MENU_SEARCH 151
#define IDB_MENU_BROWSE 152
#define IDB_MENU_EXECUTE 153
#define IDB_MENU_DOCUMENT 154
#define IDB_MENU_ADD_FOLDER 155
#define IDB_MENU_OPTIONS 156
#define IDB_MENU_PRINT 157
#define IDB_MENU_DELETE 158
#define IDB_MENU_SAVE 159
#define IDB_MENU_SHOW_FOLDER 160
#define IDB_MENU_EDIT 161
#define IDB_MENU_BACKUP 162
#define IDB_MENU_WIPE 163

// Main window (template 102).
#define IDC_RESULTS_TREE 1000
#define IDC_SEARCH_PATH 1001
#define IDC_BROWSE 1002
#define IDC_FIND 1003
#define IDC_EXECUTE 1004
#define IDC_SHOW_FOLDER 1005
#define IDC_DELETE 1006
#define IDC_SAVE_RESULTS 1007
#define IDC_EDIT_RESULTS 1008
#define IDC_OPTIONS 1010
#define IDC_FOUND_LABEL 1026
#define IDC_PATH_LABEL 1027

// About box (template 100).
#define IDC_ABOUT_VERSION 1057

// Progress window (template 131); OK (1) and Cancel (2) are invisible.
#define IDC_PROGRESS_PICTURE 1005
#define IDC_PROGRESS_CAPTION 1006
#define IDC_PROGRESS_BAR 1007
#define IDC_PROGRESS_STATUS 1008
#define IDC_PROGRESS_CANCEL 1032

// Welcome panel (template 140).
#define IDC_WELCOME_TITLE 1018
#define IDC_WELCOME_TEXT1 1028
#define IDC_WELCOME_TEXT2 1029
#define IDC_WELCOME_TEXT3 1030
#define IDC_WELCOME_LOWER_RULE 1058
#define IDC_WELCOME_UPPER_RULE 1059

// Language selection (template 141).
#define IDC_LANGUAGE_GROUP 1018
#define IDC_LANGUAGE_COMBO 1031

// Menu 138: File.
#define ID_FILE_LANGUAGE 32772
#define ID_FILE_EXIT 32773
#define ID_FILE_EDIT_RESULTS 32785
#define ID_FILE_SAVE_RESULTS 32786
#define ID_FILE_PRINT_RESULTS 32787
// Menu 138: Help.
#define ID_HELP_HELPFILE 32777
#define ID_HELP_WEBSITE 32778
#define ID_HELP_ABOUT 32779
// Menu 138: Functions.
#define ID_FUNCTIONS_BROWSE 32780
#define ID_FUNCTIONS_ADD_FOLDER 32781
#define ID_FUNCTIONS_OPTIONS 32782
#define ID_FUNCTIONS_NEW_SEARCH 32783
#define ID_FUNCTIONS_EXECUTE 32788
#define ID_FUNCTIONS_DELETE 32789
#define ID_FUNCTIONS_SHOW_FOLDER 32790
#define ID_FUNCTIONS_WIPE 32791
#define ID_FUNCTIONS_INFO 32798
#define ID_FUNCTIONS_DELETE_ALL 32799

// Menu 164: the results tree's context menu (submenu 0).
#define ID_CONTEXT_EXECUTE 32792
#define ID_CONTEXT_DELETE 32793
#define ID_CONTEXT_WIPE 32794
#define ID_CONTEXT_SHOW_FOLDER 32795
#define ID_CONTEXT_INFO 32796
