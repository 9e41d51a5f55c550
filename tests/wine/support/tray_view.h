// The notification area as Wine shows it without a window manager, seen from another process.
#pragma once

#include <windows.h>

#include <string>

namespace lurtest {

// The window that holds the tray icons; null when there is none.
HWND trayWindow();
// The tooltip of the (only) icon in the notification area, read from the shell's tooltip control
// through memory of the shell's process; empty when there is none.
std::wstring trayTooltip();

} // namespace lurtest
