// What the engine learns of the application behind a window from its process's executable name.
#pragma once

#include "lurcore/core/correction.h"

#include <windows.h>

#include <string>

namespace lurcore {

// The correction for the process that owns `window`. The executable is looked up only when the window
// or its process differs from the last call's; otherwise the answer is remembered. For the keyboard
// hook's thread only.
core::Correction correctionForWindow(HWND window);

// The program file name of the process that owns the window, as config::programName gives it; empty
// when it cannot be found.
std::string programOfWindow(HWND window);

} // namespace lurcore
