#include "platform/win32/flat_list.h"

#include "platform/win32/display_dpi.h"
#include "platform/win32/system_dll.h"

#include <commctrl.h>

#include <string>

namespace lurwin {

namespace {

constexpr UINT_PTR kSubclassId = 2;
constexpr int kTextIndent = 2;
constexpr int kArrowWidth = 7;

std::wstring itemText(HWND list, int index) {
    const LRESULT length = SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR || length <= 0) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

void fill(HDC dc, const RECT& area, int sysColor) {
    FillRect(dc, &area, GetSysColorBrush(sysColor));
}

// One entry: the list's own font, highlighted when selected.
void drawEntry(HDC dc, HWND list, const RECT& area, int index, bool selected, int dpi) {
    fill(dc, area, selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    if (index < 0) {
        return;
    }
    const std::wstring text = itemText(list, index);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0));
    HGDIOBJ oldFont = font != nullptr ? SelectObject(dc, font) : nullptr;
    int textColor = selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT;
    if (!IsWindowEnabled(list)) {
        textColor = COLOR_GRAYTEXT;
    }
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColor = SetTextColor(dc, GetSysColor(textColor));
    RECT textArea = area;
    textArea.left += scaled(kTextIndent, dpi);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textArea,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
    if (oldFont != nullptr) {
        SelectObject(dc, oldFont);
    }
}

// The closed list: a frame in the shadow colour around the field and the arrow button, the button
// divided from the field by one line of the same colour, nothing raised or sunken.
void paintClosed(HWND list, HDC dc, int dpi) {
    RECT client;
    GetClientRect(list, &client);
    FrameRect(dc, &client, GetSysColorBrush(COLOR_BTNSHADOW));

    const int buttonWidth =
        dpi == systemDpi() ? GetSystemMetrics(SM_CXVSCROLL) : metricForDpi(SM_CXVSCROLL, dpi);
    const int arrowWidth = kArrowWidth + 2 * ((scaled(kArrowWidth, dpi) - kArrowWidth + 1) / 2);
    const RECT divider{client.right - 1 - buttonWidth, client.top + 1, client.right - buttonWidth,
                       client.bottom - 1};
    fill(dc, divider, COLOR_BTNSHADOW);
    const RECT button{divider.right, divider.top, client.right - 1, divider.bottom};
    fill(dc, button, COLOR_BTNFACE);
    const int arrowLeft = button.left + (button.right - button.left - arrowWidth) / 2;
    const int arrowTop = button.top + (button.bottom - button.top - (arrowWidth + 1) / 2) / 2;
    const int arrowColor = IsWindowEnabled(list) ? COLOR_BTNTEXT : COLOR_GRAYTEXT;
    for (int row = 0; row < (arrowWidth + 1) / 2; ++row) {
        const RECT line{arrowLeft + row, arrowTop + row, arrowLeft + arrowWidth - row, arrowTop + row + 1};
        fill(dc, line, arrowColor);
    }

    const RECT field{client.left + 1, client.top + 1, divider.left, client.bottom - 1};
    fill(dc, field, COLOR_WINDOW);
    const RECT entry{field.left + 1, field.top + 1, field.right - 1, field.bottom - 1};
    const bool focused = GetFocus() == list;
    drawEntry(dc, list, entry, static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0)), focused, dpi);
    if (focused) {
        DrawFocusRect(dc, &entry);
    }
}

// The subclass's data is the dpi the list is laid out for.
LRESULT CALLBACK flatListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR /*id*/,
                              DWORD_PTR data) {
    const int dpi = static_cast<int>(data);
    switch (message) {
    case WM_PAINT:
        if (wParam != 0) {
            paintClosed(list, reinterpret_cast<HDC>(wParam), dpi);
        } else {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(list, &paint);
            paintClosed(list, dc, dpi);
            EndPaint(list, &paint);
        }
        return 0;
    case WM_PRINTCLIENT:
        paintClosed(list, reinterpret_cast<HDC>(wParam), dpi);
        return 0;
    case WM_ERASEBKGND:
        // Every pixel is painted by paintClosed.
        return 1;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE: {
        const LRESULT result = defSubclassProc(list, message, wParam, lParam);
        InvalidateRect(list, nullptr, FALSE);
        return result;
    }
    case WM_NCDESTROY:
        removeWindowSubclass(list, flatListProc, kSubclassId);
        break;
    default:
        break;
    }
    return defSubclassProc(list, message, wParam, lParam);
}

} // namespace

void makeFlatList(HWND list, int dpi) {
    setWindowSubclass(list, flatListProc, kSubclassId, static_cast<DWORD_PTR>(dpi));
}

void drawFlatListItem(const DRAWITEMSTRUCT& item, int dpi) {
    if ((item.itemState & ODS_COMBOBOXEDIT) != 0) {
        // The list's own code drawing its field outside WM_PAINT: paint the whole list our way instead.
        InvalidateRect(item.hwndItem, nullptr, FALSE);
        return;
    }
    drawEntry(item.hDC, item.hwndItem, item.rcItem, static_cast<int>(item.itemID),
              (item.itemState & ODS_SELECTED) != 0, dpi);
}

} // namespace lurwin
