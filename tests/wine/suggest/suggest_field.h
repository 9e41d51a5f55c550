// Text fields for the correction tests: one that completes what is typed the way an address bar does,
// and a plain edit box. Each counts the keys and clicks it receives and answers questions about them by
// message, also from another process.
#pragma once

#include "lurcore/core/options.h"

#include <windows.h>

#include <string>
#include <vector>

namespace lurtest {

enum class FieldKind {
    Plain,
    // After each character typed at the end, the rest of the first word of the list that starts with
    // the whole text is appended and selected, the caret after it (as EM_SETSEL(start, end) leaves it)
    // or before it. A Backspace on the selection deletes only the selection and suggests nothing.
    CaretAfterSuggestion,
    CaretBeforeSuggestion,
};

// Messages every field answers.
inline constexpr UINT kFieldReset = WM_APP + 1;        // empties the field and its counts
inline constexpr UINT kFieldKeys = WM_APP + 2;         // key presses received (WM_KEYDOWN)
inline constexpr UINT kFieldClicks = WM_APP + 3;       // left-button releases
inline constexpr UINT kFieldSuggestions = WM_APP + 4;  // suggestions shown
inline constexpr UINT kFieldPointerMoves = WM_APP + 5; // WM_MOUSEMOVE received
// The lParam of the last WM_KEYDOWN of virtual key wParam (scan code in bits 16-23, the extended flag in
// bit 24); 0 when none came since the last reset.
inline constexpr UINT kFieldKeyData = WM_APP + 6;

// The fixed list the completing field suggests from, in Unicode: each prefix that the tests' words
// show while they are typed, in Telex and in VNI, starts a longer entry.
const std::vector<std::u16string>& suggestionWords();
// The list in the code units of a code table, as a field of that table shows them.
std::vector<std::wstring> suggestionWords(lurcore::core::CodeTable table);

// A top-most window at (left, top) holding one field per kind, one above the other, 480 by 50 pixels
// each with 10 between; field i (from 0) has the control id i + 1. Destroying the window ends the
// thread's message loop when `quitOnClose`.
HWND createFields(int left, int top, const std::vector<FieldKind>& kinds, lurcore::core::CodeTable table,
                  bool quitOnClose);
// The middle of field `index` on the screen, for clicks.
POINT fieldCentre(int left, int top, int index);

} // namespace lurtest
