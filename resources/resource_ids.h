// Resource identifiers shared by lurb.rc and the Windows layer of the program.
#pragma once

#define IDI_TK 101
#define IDI_ENG 102
#define IDB_SIDEBAR 201
#define IDB_MENU_PICTURES 202
#define IDB_BTN_EXIT 203
#define IDB_BTN_HELP 204
#define IDB_BTN_TASKBAR 205
