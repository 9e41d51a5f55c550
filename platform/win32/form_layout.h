// Form1's controls: where each sits, what it shows and what it is. The window creates, draws and
// binds the controls by what this table says of them.
// Controls inside a group box are created as children of the window at the group box's origin plus
// their offset, so that every notification reaches the window procedure directly.
#pragma once

#include "platform/win32/window_ids.h"

#include <span>

namespace lurwin {

enum class ControlKind { PictureButton, GroupBox, Label, DropDownList, RadioButton, CheckBox };

// At 96 dpi; at another dpi each is made for that dpi from its points (8 points are 11 pixels at 96
// dpi, 9 points 12).
enum class FontKind {
    Window,     // Tahoma 8, default character set
    Vietnamese, // Tahoma -11 px, Vietnamese character set
    Banner,     // Tahoma -12 px bold, Vietnamese character set
};

enum class TextAlign { Left, Right, Centre };

enum class TextColour {
    Window,  // the system's window text colour
    Caption, // the system's colour of an active window's caption
    Red,
};

struct ControlPlace {
    ControlId id;
    ControlKind kind;
    int left;
    int top;
    int width;
    int height;
    const wchar_t* caption; // a picture button's letter after '&' clicks it from the keyboard
    FontKind font;
    TextAlign align;
    TextColour colour;
    int picture; // a picture button's bitmap resource; 0 for the other kinds
};

// In creation order, which is also the tab order; group boxes come last so that they lie beneath the
// controls drawn over them.
std::span<const ControlPlace> formControls();

// The control of that identifier; null for none.
const ControlPlace* findControl(int id);

// The kinds the mouse pointer shows a hand over.
constexpr bool showsHand(ControlKind kind) {
    return kind == ControlKind::PictureButton || kind == ControlKind::RadioButton ||
           kind == ControlKind::DropDownList;
}

// The client area at design; FormCreate then sets the outer size.
inline constexpr int kDesignClientWidth = 380;
inline constexpr int kDesignClientHeight = 271;
// The hidden sidebar picture holder's width, which the menu drawing takes as the strip's width.
inline constexpr int kSideBarHolderWidth = 28;

} // namespace lurwin
