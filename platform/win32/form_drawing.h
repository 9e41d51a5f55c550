// What Form1's window draws itself, and the fonts and pictures it draws with: the tray's popup menu
// (its items measured and drawn by Form1's handlers on a GDI canvas), the labels, the picture
// buttons and the open lists' items, and the text colours of the other controls, all as the layout
// table describes the controls.
#pragma once

#include "app/form.h"
#include "platform/win32/form_layout.h"
#include "platform/win32/scaled_pictures.h"
#include "ui/display_scale.h"

#include <windows.h>

#include <memory>
#include <vector>

namespace lurwin {

class FormDrawing {
public:
    FormDrawing() = default;
    FormDrawing(const FormDrawing&) = delete;
    FormDrawing& operator=(const FormDrawing&) = delete;
    ~FormDrawing();

    // Loads the icons and makes the pictures at hand; a window made again keeps those of the first.
    void load(HINSTANCE instance);
    // Makes the fonts and takes the pictures for the window's dpi. The fonts of the dpi before stay
    // until dropOldFonts, so that controls can be given the new ones first.
    void setDpi(int dpi);
    void dropOldFonts();
    int dpi() const { return dpi_; }
    HFONT font(FontKind kind) const;
    // The font a control of the layout shows its text in.
    HFONT fontOf(int id) const;
    HICON vietnameseIcon() const { return tkIcon_; }
    HICON englishIcon() const { return engIcon_; }

    // Opens the tray's popup menu at a screen point, measured and drawn for the dpi of the screen
    // there; the chosen item comes as WM_COMMAND after the menu has closed, for menuCommand.
    void popupMenu(HWND owner, TForm1& form, lur::Point at);
    // Runs the handler of the menu item a command names; ignores commands of no item.
    static void menuCommand(TForm1& form, int id);

    void measureItem(TForm1& form, MEASUREITEMSTRUCT& item) const;
    void drawItem(TForm1& form, const DRAWITEMSTRUCT& item) const;
    // WM_CTLCOLORSTATIC and WM_CTLCOLORBTN: the control's text colour on the window's face.
    static LRESULT controlColour(HDC dc, HWND control);

private:
    void drawLabel(const DRAWITEMSTRUCT& item) const;
    void drawMenuItem(TForm1& form, const DRAWITEMSTRUCT& item) const;

    HBITMAP buttonPicture(int id) const;

    int dpi_ = 0;
    int menuDpi_ = lur::kDesignDpi;
    HFONT windowFont_ = nullptr;
    HFONT vietnameseFont_ = nullptr;
    HFONT bannerFont_ = nullptr;
    std::vector<HFONT> oldFonts_;
    HICON tkIcon_ = nullptr;
    HICON engIcon_ = nullptr;
    std::unique_ptr<ScaledPictures> pictures_;
};

} // namespace lurwin
