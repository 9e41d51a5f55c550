// Which correction the application behind a window gets, from its process's executable name.
#pragma once

#include "lurcore/core/correction.h"

#include <windows.h>

namespace lurcore {

// The correction for the process that owns `window`. The executable is looked up only when the window
// or its process differs from the last call's; otherwise the answer is remembered. For the keyboard
// hook's thread only.
core::Correction correctionForWindow(HWND window);

} // namespace lurcore
