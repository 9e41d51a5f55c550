// Drop-down lists drawn flat: the closed list paints itself with one-pixel frames instead of the
// system's sunken border or themed bevels, and the open list's items are owner-drawn so that their
// height is ours to set.
#pragma once

#include <windows.h>

namespace lurwin {

// List-only and owner-drawn: the system's list ignores an item height for lists it draws itself.
inline constexpr DWORD kFlatListStyle = CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;

// Takes over the closed list's painting for the dpi the list is laid out at; keyboard and mouse stay
// the list's own. Called again with another dpi, the list paints for that one.
void makeFlatList(HWND list, int dpi);

// WM_DRAWITEM of such a list, as its parent receives it, at the list's dpi.
void drawFlatListItem(const DRAWITEMSTRUCT& item, int dpi);

} // namespace lurwin
