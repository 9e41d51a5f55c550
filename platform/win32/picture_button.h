// The window's three picture buttons: owner-drawn push buttons that never take the focus, with a
// picture (20 x 20 at 96 dpi) at the left edge and the caption to its right.
#pragma once

#include <windows.h>

namespace lurwin {

// Makes a BUTTON window click without taking the focus (a button takes it on mouse-down by itself).
void makeFocusless(HWND button);

// Draws one picture button for WM_DRAWITEM at the window's dpi, with the picture made for that dpi.
// The picture's bottom-left pixel colour is transparent.
void drawPictureButton(const DRAWITEMSTRUCT& item, HBITMAP picture, HFONT font, COLORREF textColor, int dpi);

} // namespace lurwin
