#include "platform/win32/picture_button.h"

#include "platform/win32/display_dpi.h"
#include "platform/win32/system_dll.h"

#include <commctrl.h>

namespace lurwin {

namespace {

constexpr int kCaptionSpacing = 4;
constexpr UINT_PTR kSubclassId = 1;

// Copies the picture in `source` (from its top left) to `dc` at (x, y), leaving out the pixels of the
// colour `transparent`: the picture's pixels go in, those of the background stay.
void copyExceptColour(HDC dc, int x, int y, int width, int height, HDC source, COLORREF transparent) {
    // The mask: white where the picture has the transparent colour, black elsewhere.
    HDC maskDc = CreateCompatibleDC(dc);
    HBITMAP mask = CreateBitmap(width, height, 1, 1, nullptr);
    HGDIOBJ previousMask = SelectObject(maskDc, mask);
    const COLORREF sourceBack = SetBkColor(source, transparent);
    BitBlt(maskDc, 0, 0, width, height, source, 0, 0, SRCCOPY);
    SetBkColor(source, sourceBack);
    // dc ^ picture, then black where the picture is seen, then ^ picture again: the picture where it
    // is seen, dc where it is transparent.
    const COLORREF text = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF back = SetBkColor(dc, RGB(255, 255, 255));
    BitBlt(dc, x, y, width, height, source, 0, 0, SRCINVERT);
    BitBlt(dc, x, y, width, height, maskDc, 0, 0, SRCAND);
    BitBlt(dc, x, y, width, height, source, 0, 0, SRCINVERT);
    SetTextColor(dc, text);
    SetBkColor(dc, back);
    SelectObject(maskDc, previousMask);
    DeleteObject(mask);
    DeleteDC(maskDc);
}

bool inside(HWND button, LPARAM lParam) {
    RECT client;
    GetClientRect(button, &client);
    const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    return PtInRect(&client, point) != FALSE;
}

void notifyClick(HWND button) {
    SendMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
}

// The button's own mouse handling would move the focus here; this one tracks the press itself.
LRESULT CALLBACK focuslessProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR /*id*/,
                               DWORD_PTR /*data*/) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SetCapture(button);
        SendMessageW(button, BM_SETSTATE, TRUE, 0);
        return 0;
    case WM_MOUSEMOVE:
        if (GetCapture() == button) {
            const BOOL pressed = inside(button, lParam) ? TRUE : FALSE;
            if ((SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED) != (pressed ? BST_PUSHED : 0)) {
                SendMessageW(button, BM_SETSTATE, pressed, 0);
            }
        }
        return 0;
    case WM_LBUTTONUP:
        if (GetCapture() == button) {
            ReleaseCapture();
            SendMessageW(button, BM_SETSTATE, FALSE, 0);
            if (inside(button, lParam)) {
                notifyClick(button);
            }
        }
        return 0;
    case WM_CAPTURECHANGED:
        SendMessageW(button, BM_SETSTATE, FALSE, 0);
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SETFOCUS:
        return 0;
    case WM_NCDESTROY:
        removeWindowSubclass(button, focuslessProc, kSubclassId);
        break;
    default:
        break;
    }
    return defSubclassProc(button, message, wParam, lParam);
}

} // namespace

void makeFocusless(HWND button) {
    setWindowSubclass(button, focuslessProc, kSubclassId, 0);
}

void drawPictureButton(const DRAWITEMSTRUCT& item, HBITMAP picture, HFONT font, COLORREF textColor, int dpi) {
    HDC dc = item.hDC;
    RECT area = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    DrawFrameControl(dc, &area, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    const int shift = pressed ? scaled(1, dpi) : 0;
    // The picture is made for the dpi; its room is there without it too.
    BITMAP size{};
    if (picture == nullptr || GetObjectW(picture, sizeof size, &size) == 0) {
        size.bmWidth = scaled(20, dpi);
        size.bmHeight = size.bmWidth;
        picture = nullptr;
    }
    const int pictureTop = area.top + (area.bottom - area.top - size.bmHeight) / 2 + shift;
    if (picture != nullptr) {
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ previous = SelectObject(memory, picture);
        const COLORREF transparent = GetPixel(memory, 0, size.bmHeight - 1);
        copyExceptColour(dc, area.left + shift, pictureTop, size.bmWidth, size.bmHeight, memory, transparent);
        SelectObject(memory, previous);
        DeleteDC(memory);
    }
    wchar_t caption[64] = {};
    GetWindowTextW(item.hwndItem, caption, 64);
    RECT text{area.left + size.bmWidth + scaled(kCaptionSpacing, dpi) + shift, area.top + shift, area.right,
              area.bottom + shift};
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, textColor);
    // No DT_HIDEPREFIX: the accelerator letters stay underlined.
    DrawTextW(dc, caption, -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, oldFont);
}

} // namespace lurwin
