// The program's window in this process, which the engine tells of what it did (a switch of the mode,
// a conversion of the clipboard).
#pragma once

#include <windows.h>

namespace lurcore {

// Null when the process has none (a program that loaded the engine without ours).
HWND programWindow();

} // namespace lurcore
