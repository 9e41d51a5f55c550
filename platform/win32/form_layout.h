// Where each control of Form1 sits and what it shows. Controls inside a group box are created as
// children of the window at the group box's origin plus their offset, so that every notification
// reaches the window procedure directly.
#pragma once

#include "platform/win32/window_ids.h"

#include <span>

namespace lurwin {

enum class ControlKind { PictureButton, GroupBox, Label, DropDownList, RadioButton, CheckBox };

enum class FontKind {
    Window,     // Tahoma 8, default character set
    Vietnamese, // Tahoma -11 px, Vietnamese character set
    Banner,     // Tahoma -12 px bold, Vietnamese character set
};

enum class TextAlign { Left, Right, Centre };

struct ControlPlace {
    ControlId id;
    ControlKind kind;
    int left;
    int top;
    int width;
    int height;
    const wchar_t* caption;
    FontKind font;
    TextAlign align;
};

// In creation order, which is also the tab order; group boxes come last so that they lie beneath the
// controls drawn over them.
std::span<const ControlPlace> formControls();

// The client area at design; FormCreate then sets the outer size.
inline constexpr int kDesignClientWidth = 380;
inline constexpr int kDesignClientHeight = 271;
// The hidden sidebar picture holder's width, which the menu drawing takes as the strip's width.
inline constexpr int kSideBarHolderWidth = 28;

} // namespace lurwin
