// Resource identifiers shared by lurb.rc and the Windows layer of the program.
#pragma once

#define IDI_TK 101
#define IDI_ENG 102
#define IDB_SIDEBAR 201
#define IDB_MENU_PICTURES 202
#define IDB_BTN_EXIT 203
#define IDB_BTN_HELP 204
#define IDB_BTN_TASKBAR 205

// The same pictures drawn for the larger display scales, as PNG data: the picture's number times ten
// plus 1 for 125 %, 2 for 150 % and 3 for 200 %.
#define IDP_SIDEBAR_125 2011
#define IDP_SIDEBAR_150 2012
#define IDP_SIDEBAR_200 2013
#define IDP_MENU_PICTURES_125 2021
#define IDP_MENU_PICTURES_150 2022
#define IDP_MENU_PICTURES_200 2023
#define IDP_BTN_EXIT_125 2031
#define IDP_BTN_EXIT_150 2032
#define IDP_BTN_EXIT_200 2033
#define IDP_BTN_HELP_125 2041
#define IDP_BTN_HELP_150 2042
#define IDP_BTN_HELP_200 2043
#define IDP_BTN_TASKBAR_125 2051
#define IDP_BTN_TASKBAR_150 2052
#define IDP_BTN_TASKBAR_200 2053
