// The dots per inch of the screens the program draws on. The calls that tell a window's or a
// monitor's own dpi came with later Windows versions than the program supports; each is looked up
// when first needed, and the system's dpi stands in where it is missing.
#pragma once

#include "ui/display_scale.h"

#include <windows.h>

namespace lurwin {

// The dpi of the screen as the system reports it to this program.
int systemDpi();
// The dpi a window is drawn at (GetDpiForWindow), the system's where that does not exist.
int windowDpi(HWND window);
// The dpi of the monitor that holds a screen point (GetDpiForMonitor), the system's where that does
// not exist.
int dpiAtPoint(POINT point);
// A system metric at a dpi (GetSystemMetricsForDpi), or the system's figure scaled from its dpi.
int metricForDpi(int index, int dpi);
// Whether the system reads PNG images inside icon files (from Vista on).
bool readsPngIcons();

// A figure of the 96-dpi layout at `dpi`.
inline int scaled(int value, int dpi) {
    return lur::scaleToDpi(value, dpi);
}

} // namespace lurwin
