#include "platform/win32/form_drawing.h"

#include "platform/win32/display_dpi.h"
#include "platform/win32/flat_list.h"
#include "platform/win32/gdi_canvas.h"
#include "platform/win32/picture_button.h"
#include "platform/win32/window_ids.h"
#include "resources/resource_ids.h"

#include <string>
#include <vector>

namespace lurwin {

namespace {

constexpr COLORREF kNavy = RGB(0, 0, 128);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr int kSeparatorHeight = 8;
constexpr int kMenuItemCount = 13;

// A Tahoma of `points` made for `dpi`, as the system converts points to pixels: at 96 dpi 8 points are
// the letters' 11 pixels, 9 points their 12.
HFONT makeFont(int points, int weight, BYTE charset, int dpi) {
    return CreateFontW(-MulDiv(points, dpi, 72), 0, 0, 0, weight, FALSE, FALSE, FALSE, charset,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                       L"Tahoma");
}

int textWidth(HDC dc, HFONT font, const std::wstring& text) {
    HGDIOBJ old = SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    return extent.cx;
}

// The captions of the controls shown in that font, as drawn (no '&'), one after another.
std::wstring captionsIn(FontKind kind) {
    std::wstring text;
    for (const ControlPlace& place : formControls()) {
        for (const wchar_t* c = place.font == kind ? place.caption : nullptr; c != nullptr && *c != L'\0';
             ++c) {
            if (*c != L'&' || c[1] == L'&') {
                text += *c;
            }
        }
    }
    return text;
}

// The font for a dpi above or below 96: of the points made for that dpi, or where the face is wider
// at that size than in proportion (faces are hinted differently at each size), a pixel or two lower,
// so that the captions take no more of their controls than at 96 dpi.
HFONT fittedFont(int points, int weight, BYTE charset, int dpi, FontKind kind) {
    HFONT font = makeFont(points, weight, charset, dpi);
    const std::wstring captions = captionsIn(kind);
    if (dpi == lur::kDesignDpi || captions.empty() || font == nullptr) {
        return font;
    }
    HDC screen = GetDC(nullptr);
    HFONT design = makeFont(points, weight, charset, lur::kDesignDpi);
    const int limit = MulDiv(textWidth(screen, design, captions), dpi, lur::kDesignDpi);
    DeleteObject(design);
    const int height = MulDiv(points, dpi, 72);
    for (int lower = 1; lower <= 2 && textWidth(screen, font, captions) > limit; ++lower) {
        HFONT smaller =
            CreateFontW(-(height - lower), 0, 0, 0, weight, FALSE, FALSE, FALSE, charset, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Tahoma");
        if (smaller == nullptr) {
            break;
        }
        DeleteObject(font);
        font = smaller;
    }
    ReleaseDC(nullptr, screen);
    return font;
}

COLORREF textColour(int id) {
    const ControlPlace* place = findControl(id);
    switch (place != nullptr ? place->colour : TextColour::Window) {
    case TextColour::Caption:
        return GetSysColor(COLOR_ACTIVECAPTION);
    case TextColour::Red:
        return kRed;
    case TextColour::Window:
        break;
    }
    return GetSysColor(COLOR_WINDOWTEXT);
}

// Moves a DC's origin for one drawing and puts it back, also when the drawing throws.
class ViewportShift {
public:
    ViewportShift(HDC dc, POINT by) : dc_(dc) { OffsetViewportOrgEx(dc_, by.x, by.y, &previous_); }
    ViewportShift(const ViewportShift&) = delete;
    ViewportShift& operator=(const ViewportShift&) = delete;
    ~ViewportShift() { SetViewportOrgEx(dc_, previous_.x, previous_.y, nullptr); }

private:
    HDC dc_;
    POINT previous_{};
};

} // namespace

FormDrawing::~FormDrawing() {
    dropOldFonts();
    for (HFONT font : {windowFont_, vietnameseFont_, bannerFont_}) {
        if (font != nullptr) {
            DeleteObject(font);
        }
    }
    for (HICON icon : {tkIcon_, engIcon_}) {
        if (icon != nullptr) {
            DestroyIcon(icon);
        }
    }
}

void FormDrawing::load(HINSTANCE instance) {
    if (pictures_ != nullptr) {
        return;
    }
    pictures_ = std::make_unique<ScaledPictures>(instance);
    // The notification area shows small icons; at 96 dpi it gets the 32-pixel image, as it always has.
    const int trayDpi = systemDpi();
    const int iconSize = trayDpi > lur::kDesignDpi ? scaled(16, trayDpi) : 32;
    tkIcon_ = pictures_->icon(IDI_TK, iconSize);
    engIcon_ = pictures_->icon(IDI_ENG, iconSize);
}

void FormDrawing::setDpi(int dpi) {
    if (dpi == dpi_) {
        return;
    }
    dpi_ = dpi;
    for (HFONT font : {windowFont_, vietnameseFont_, bannerFont_}) {
        if (font != nullptr) {
            oldFonts_.push_back(font);
        }
    }
    windowFont_ = fittedFont(8, FW_NORMAL, DEFAULT_CHARSET, dpi, FontKind::Window);
    vietnameseFont_ = fittedFont(8, FW_NORMAL, VIETNAMESE_CHARSET, dpi, FontKind::Vietnamese);
    bannerFont_ = fittedFont(9, FW_BOLD, VIETNAMESE_CHARSET, dpi, FontKind::Banner);
}

void FormDrawing::dropOldFonts() {
    for (HFONT font : oldFonts_) {
        DeleteObject(font);
    }
    oldFonts_.clear();
}

HBITMAP FormDrawing::buttonPicture(int id) const {
    const ControlPlace* place = findControl(id);
    if (place == nullptr || place->picture == 0 || pictures_ == nullptr) {
        return nullptr;
    }
    // The key colour around the figure must stay exact: no averaged pixels.
    return pictures_->bitmap(place->picture, dpi_, Resample::Nearest);
}

HFONT FormDrawing::font(FontKind kind) const {
    switch (kind) {
    case FontKind::Vietnamese:
        return vietnameseFont_;
    case FontKind::Banner:
        return bannerFont_;
    case FontKind::Window:
        break;
    }
    return windowFont_;
}

HFONT FormDrawing::fontOf(int id) const {
    const ControlPlace* place = findControl(id);
    return font(place != nullptr ? place->font : FontKind::Window);
}

void FormDrawing::popupMenu(HWND owner, TForm1& form, lur::Point at) {
    menuDpi_ = dpiAtPoint(POINT{at.x, at.y});
    HMENU menu = CreatePopupMenu();
    const auto items = form.menuItems();
    for (int i = 0; i < kMenuItemCount; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA;
        // Separators are drawn by the program too, but the menu system must know them to skip them.
        info.fType = MFT_OWNERDRAW | (items[i]->Caption == u"-" ? MFT_SEPARATOR : 0);
        info.wID = static_cast<UINT>(kFirstMenuCommand + i);
        info.dwItemData = reinterpret_cast<ULONG_PTR>(items[i]);
        InsertMenuItemW(menu, static_cast<UINT>(i), TRUE, &info);
    }
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr);
    DestroyMenu(menu);
}

void FormDrawing::menuCommand(TForm1& form, int id) {
    if (id < kFirstMenuCommand || id >= kFirstMenuCommand + kMenuItemCount) {
        return;
    }
    TMenuItem* item = form.menuItems()[static_cast<std::size_t>(id - kFirstMenuCommand)];
    if (item->OnClick != nullptr) {
        (form.*item->OnClick)();
    }
}

void FormDrawing::measureItem(TForm1& form, MEASUREITEMSTRUCT& item) const {
    if (item.CtlType != ODT_MENU || item.itemData == 0) {
        return;
    }
    auto& menuItem = *reinterpret_cast<TMenuItem*>(item.itemData);
    int width = 0;
    int height = kSeparatorHeight;
    if (menuItem.Measured) {
        form.MenuMeaseItem(menuItem, width, height);
    }
    item.itemWidth = static_cast<UINT>(scaled(width, menuDpi_));
    item.itemHeight = static_cast<UINT>(scaled(height, menuDpi_));
}

void FormDrawing::drawItem(TForm1& form, const DRAWITEMSTRUCT& item) const {
    switch (item.CtlType) {
    case ODT_STATIC:
        drawLabel(item);
        break;
    case ODT_COMBOBOX:
        drawFlatListItem(item, dpi_);
        break;
    case ODT_BUTTON:
        drawPictureButton(item, buttonPicture(static_cast<int>(item.CtlID)), vietnameseFont_, kNavy, dpi_);
        break;
    case ODT_MENU:
        if (item.itemData != 0) {
            drawMenuItem(form, item);
        }
        break;
    default:
        break;
    }
}

void FormDrawing::drawLabel(const DRAWITEMSTRUCT& item) const {
    const int id = static_cast<int>(item.CtlID);
    UINT format = DT_SINGLELINE | DT_NOPREFIX | DT_TOP | DT_LEFT;
    if (const ControlPlace* place = findControl(id); place != nullptr) {
        if (place->align == TextAlign::Right) {
            format = (format & ~DT_LEFT) | DT_RIGHT;
        } else if (place->align == TextAlign::Centre) {
            format = (format & ~DT_LEFT) | DT_CENTER;
        }
    }
    wchar_t caption[128] = {};
    GetWindowTextW(item.hwndItem, caption, 128);
    RECT area = item.rcItem;
    FillRect(item.hDC, &area, GetSysColorBrush(COLOR_BTNFACE));
    HGDIOBJ oldFont = SelectObject(item.hDC, fontOf(id));
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, textColour(id));
    DrawTextW(item.hDC, caption, -1, &area, format);
    SelectObject(item.hDC, oldFont);
}

void FormDrawing::drawMenuItem(TForm1& form, const DRAWITEMSTRUCT& item) const {
    auto& menuItem = *reinterpret_cast<TMenuItem*>(item.itemData);
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    int textColor = COLOR_MENUTEXT;
    if (selected) {
        textColor = COLOR_HIGHLIGHTTEXT;
    } else if ((item.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0) {
        textColor = COLOR_GRAYTEXT;
    }
    SetTextColor(item.hDC, GetSysColor(textColor));
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    // Under Wine the items sit inside a margin of the menu's client area. The drawing reads the strip
    // at the item's own coordinates, so it must see the first item's corner as (0, 0).
    POINT origin{item.rcItem.left, item.rcItem.top};
    const auto menu = reinterpret_cast<HMENU>(item.hwndItem);
    const int position = static_cast<int>(item.itemID) - kFirstMenuCommand;
    RECT first;
    RECT mine;
    if (GetMenuItemRect(nullptr, menu, 0, &first) != FALSE &&
        GetMenuItemRect(nullptr, menu, static_cast<UINT>(position), &mine) != FALSE) {
        origin.y -= mine.top - first.top;
    }
    const ViewportShift shift(item.hDC, origin);
    const RECT drawn{item.rcItem.left - origin.x, item.rcItem.top - origin.y, item.rcItem.right - origin.x,
                     item.rcItem.bottom - origin.y};
    // The menu's drawing takes the item where it lies at 96 dpi.
    auto designed = [this](LONG value) { return MulDiv(value, lur::kDesignDpi, menuDpi_); };
    const lur::Rect rect{designed(drawn.left), designed(drawn.top), designed(drawn.right),
                         designed(drawn.bottom)};
    GdiCanvas canvas(item.hDC, pictures_->bitmap(IDB_SIDEBAR, menuDpi_, Resample::Smooth),
                     pictures_->bitmap(IDB_MENU_PICTURES, menuDpi_, Resample::Smooth, 6), metrics.lfMenuFont,
                     menuDpi_, rect, drawn);
    form.MenuDrawItem(menuItem, canvas, rect, selected);
}

LRESULT FormDrawing::controlColour(HDC dc, HWND control) {
    SetTextColor(dc, textColour(GetDlgCtrlID(control)));
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

} // namespace lurwin
