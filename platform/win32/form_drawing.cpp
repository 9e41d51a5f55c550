#include "platform/win32/form_drawing.h"

#include "platform/win32/flat_list.h"
#include "platform/win32/gdi_canvas.h"
#include "platform/win32/picture_button.h"
#include "platform/win32/window_ids.h"
#include "resources/resource_ids.h"

#include <vector>

namespace lurwin {

namespace {

constexpr COLORREF kNavy = RGB(0, 0, 128);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr int kSeparatorHeight = 8;
constexpr int kMenuItemCount = 13;

HFONT makeFont(int height, int weight, BYTE charset) {
    return CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, charset, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Tahoma");
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
    std::vector<HGDIOBJ> objects{windowFont_, vietnameseFont_, bannerFont_, sidebar_, menuPictures_};
    for (const auto& [id, picture] : buttonPictures_) {
        objects.push_back(picture);
    }
    for (HGDIOBJ object : objects) {
        if (object != nullptr) {
            DeleteObject(object);
        }
    }
    for (HICON icon : {tkIcon_, engIcon_}) {
        if (icon != nullptr) {
            DestroyIcon(icon);
        }
    }
}

void FormDrawing::load(HINSTANCE instance) {
    if (windowFont_ != nullptr) {
        return;
    }
    windowFont_ = makeFont(-11, FW_NORMAL, DEFAULT_CHARSET);
    vietnameseFont_ = makeFont(-11, FW_NORMAL, VIETNAMESE_CHARSET);
    bannerFont_ = makeFont(-12, FW_BOLD, VIETNAMESE_CHARSET);
    auto icon = [instance](int id) {
        return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, 32, 32, 0));
    };
    auto bitmap = [instance](int id) {
        return static_cast<HBITMAP>(
            LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    };
    tkIcon_ = icon(IDI_TK);
    engIcon_ = icon(IDI_ENG);
    sidebar_ = bitmap(IDB_SIDEBAR);
    menuPictures_ = bitmap(IDB_MENU_PICTURES);
    for (const ControlPlace& place : formControls()) {
        if (place.picture != 0) {
            buttonPictures_[place.id] = bitmap(place.picture);
        }
    }
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

void FormDrawing::popupMenu(HWND owner, TForm1& form, lur::Point at) const {
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
    item.itemWidth = static_cast<UINT>(width);
    item.itemHeight = static_cast<UINT>(height);
}

void FormDrawing::drawItem(TForm1& form, const DRAWITEMSTRUCT& item) const {
    switch (item.CtlType) {
    case ODT_STATIC:
        drawLabel(item);
        break;
    case ODT_COMBOBOX:
        drawFlatListItem(item);
        break;
    case ODT_BUTTON: {
        const auto picture = buttonPictures_.find(static_cast<int>(item.CtlID));
        drawPictureButton(item, picture != buttonPictures_.end() ? picture->second : nullptr, vietnameseFont_,
                          kNavy);
        break;
    }
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
    GdiCanvas canvas(item.hDC, sidebar_, menuPictures_, metrics.lfMenuFont);
    const lur::Rect rect{item.rcItem.left - origin.x, item.rcItem.top - origin.y,
                         item.rcItem.right - origin.x, item.rcItem.bottom - origin.y};
    form.MenuDrawItem(menuItem, canvas, rect, selected);
}

LRESULT FormDrawing::controlColour(HDC dc, HWND control) {
    SetTextColor(dc, textColour(GetDlgCtrlID(control)));
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

} // namespace lurwin
