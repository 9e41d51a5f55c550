#include "platform/win32/form_window.h"

#include "engine/clipboard_notice.h"
#include "engine/lurcore.h"
#include "platform/win32/display_dpi.h"
#include "platform/win32/error_box.h"
#include "platform/win32/flat_list.h"
#include "platform/win32/form_layout.h"
#include "platform/win32/picture_button.h"
#include "platform/win32/system_dll.h"
#include "platform/win32/window_ids.h"

#include <commctrl.h>

#include <cwctype>

namespace lurwin {

namespace {

constexpr DWORD kFormStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kFormExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CONTROLPARENT;
constexpr int kListItemHeight = 13;
// The closed list's selection field: with the frame it makes the list 21 pixels high.
constexpr int kListFieldHeight = 15;
constexpr int kListDropHeight = 120;
#ifndef WM_DPICHANGED
constexpr UINT WM_DPICHANGED = 0x02E0;
#endif

// The letter after '&' in a caption ("&&" is a plain '&'), in lower case; 0 for none.
wchar_t mnemonic(const wchar_t* caption) {
    for (const wchar_t* c = caption; c != nullptr && *c != L'\0'; ++c) {
        if (*c == L'&') {
            if (*++c != L'&') {
                return static_cast<wchar_t>(std::towlower(static_cast<wint_t>(*c)));
            }
        }
    }
    return L'\0';
}

} // namespace

FormWindow::FormWindow(HINSTANCE instance, Win32SystemApi& system)
    : instance_(instance), system_(system), platform_{system, *this, tray_, shell_} {}

FormWindow::~FormWindow() {
    if (hwnd_ != nullptr) {
        DestroyWindow(hwnd_);
    }
}

void FormWindow::createControls() {
    bool firstRadio = true;
    for (const ControlPlace& place : formControls()) {
        const wchar_t* windowClass = L"BUTTON";
        DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
        switch (place.kind) {
        case ControlKind::PictureButton:
            style |= BS_OWNERDRAW;
            break;
        case ControlKind::GroupBox:
            style |= BS_GROUPBOX;
            break;
        case ControlKind::Label:
            // Drawn by the window: a label is one line, never wrapped.
            windowClass = L"STATIC";
            style |= SS_OWNERDRAW;
            break;
        case ControlKind::DropDownList:
            windowClass = L"COMBOBOX";
            style |= kFlatListStyle | WS_VSCROLL | WS_TABSTOP | WS_GROUP;
            break;
        case ControlKind::RadioButton:
            // Not AUTO: the control model alone decides the state. The first one starts the group.
            style |= BS_RADIOBUTTON | (firstRadio ? WS_GROUP : 0);
            firstRadio = false;
            break;
        case ControlKind::CheckBox:
            style |= BS_CHECKBOX | WS_TABSTOP | WS_GROUP;
            break;
        }
        const RECT r = placeAtDpi(place);
        HWND child = CreateWindowExW(
            0, windowClass, place.caption, style, r.left, r.top, r.right - r.left, r.bottom - r.top, hwnd_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(place.id)), instance_, nullptr);
        if (place.kind == ControlKind::PictureButton) {
            makeFocusless(child);
        }
        fitToDpi(child, place, false);
    }
}

RECT FormWindow::placeAtDpi(const ControlPlace& place) const {
    const int dpi = drawing_.dpi();
    const int left = scaled(place.left, dpi);
    const int top = scaled(place.top, dpi);
    // A list's window height is its open height; the closed list sizes itself by its field.
    const int height = place.kind == ControlKind::DropDownList ? kListDropHeight : place.height;
    return {left, top, scaled(place.left + place.width, dpi), scaled(place.top + height, dpi)};
}

void FormWindow::fitToDpi(HWND child, const ControlPlace& place, bool redraw) {
    const int dpi = drawing_.dpi();
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(drawing_.font(place.font)),
                 redraw ? TRUE : FALSE);
    if (place.kind != ControlKind::DropDownList) {
        return;
    }
    // After the font: a new font makes the list measure its field again. The field is made as high as
    // makes the closed list its layout height at this dpi, whatever the frame around it.
    const int wanted = scaled(place.top + place.height, dpi) - scaled(place.top, dpi);
    int field = dpi == lur::kDesignDpi ? kListFieldHeight : wanted - (place.height - kListFieldHeight);
    SendMessageW(child, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
    RECT closed;
    GetWindowRect(child, &closed);
    if (const int off = (closed.bottom - closed.top) - wanted; off != 0 && field - off > 0) {
        field -= off;
        SendMessageW(child, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
    }
    SendMessageW(child, CB_SETITEMHEIGHT, 0, scaled(kListItemHeight, dpi));
    makeFlatList(child, dpi);
}

void FormWindow::layOutForDpi(int dpi, const RECT* suggested) {
    const int before = drawing_.dpi();
    if (dpi <= 0 || before <= 0) {
        return;
    }
    drawing_.setDpi(dpi);
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(drawing_.font(FontKind::Window)), FALSE);
    for (const ControlPlace& place : formControls()) {
        HWND child = GetDlgItem(hwnd_, place.id);
        if (child == nullptr) {
            continue;
        }
        const RECT r = placeAtDpi(place);
        SetWindowPos(child, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        fitToDpi(child, place, true);
    }
    drawing_.dropOldFonts();
    if (suggested != nullptr) {
        SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        // No rectangle given: the window keeps its top-left corner, its size scaled to the new dpi.
        RECT r;
        GetWindowRect(hwnd_, &r);
        SetWindowPos(hwnd_, nullptr, 0, 0, MulDiv(r.right - r.left, dpi, before),
                     MulDiv(r.bottom - r.top, dpi, before), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    InvalidateRect(hwnd_, nullptr, TRUE);
}

TForm1& FormWindow::createForm() {
    drawing_.load(instance_);
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
    typingMode_ = RegisterWindowMessageA(kTypingModeMessage);
    clipboardConverted_ = RegisterWindowMessageA(kClipboardConvertedMessage);

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = windowProc;
    // The dialog manager's default procedure gives Tab, arrow and mnemonic keys their usual meaning.
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hInstance = instance_;
    wc.hIcon = LoadIconW(instance_, L"MAINICON");
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kFormClass;
    RegisterClassExW(&wc);

    RECT outer{0, 0, kDesignClientWidth, kDesignClientHeight};
    AdjustWindowRectEx(&outer, kFormStyle, FALSE, kFormExStyle);
    hwnd_ = CreateWindowExW(kFormExStyle, kFormClass, kFormCaption, kFormStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                            outer.right - outer.left, outer.bottom - outer.top, system_.applicationWindow(),
                            nullptr, instance_, this);
    // Laid out for the dpi of the screen the window is made on.
    drawing_.setDpi(windowDpi(hwnd_));
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(drawing_.font(FontKind::Window)), FALSE);

    binding_.reset(); // it holds on to the Form1 it was made for
    form_ = std::make_unique<TForm1>(platform_);
    system_.setPreTranslate([this](MSG& msg) { return preTranslate(msg); });
    guarded(hwnd_, 0, [this] {
        form_->FormCreate();
        return LRESULT{0};
    });
    centreOnScreen();
    return *form_;
}

void FormWindow::destroyForm() {
    if (hwnd_ != nullptr) {
        system_.setPreTranslate(nullptr);
        DestroyWindow(hwnd_);
        hwnd_ = nullptr;
    }
}

// Form1 gives the window's outer size in pixels at 96 dpi.
void FormWindow::setHeight(int height) {
    RECT r;
    GetWindowRect(hwnd_, &r);
    SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, scaled(height, drawing_.dpi()),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::setWidth(int width) {
    RECT r;
    GetWindowRect(hwnd_, &r);
    SetWindowPos(hwnd_, nullptr, 0, 0, scaled(width, drawing_.dpi()), r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int FormWindow::sideBarPictureWidth() {
    return kSideBarHolderWidth;
}

void FormWindow::centreOnScreen() {
    RECT r;
    GetWindowRect(hwnd_, &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    SetWindowPos(hwnd_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::setVisible(bool visible) {
    // The controls are made when the window is first to show (a quick start shows only the icon).
    if (visible && binding_ == nullptr) {
        initCommonControls();
        createControls();
        binding_ = std::make_unique<ControlBinding>(hwnd_, *form_);
    }
    if (visible == this->visible()) {
        return;
    }
    if (visible) {
        // The controls are loaded before the window appears.
        form_->FormShow();
        ShowWindow(hwnd_, SW_SHOW);
        SetForegroundWindow(hwnd_);
    } else {
        ShowWindow(hwnd_, SW_HIDE);
    }
}

void FormWindow::close() {
    // The program ends even when a closing step fails; the failure is still reported.
    struct EndAnyway {
        HWND window;
        ~EndAnyway() {
            ShowWindow(window, SW_HIDE);
            PostQuitMessage(0);
        }
    } end{hwnd_};
    form_->FormClose();
}

void FormWindow::popupMenu(lur::Point at) {
    drawing_.popupMenu(hwnd_, *form_, at);
}

bool FormWindow::clickAccelerator(wchar_t key) {
    const auto lower = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(key)));
    for (const ControlPlace& place : formControls()) {
        if (place.kind == ControlKind::PictureButton && lower != L'\0' && mnemonic(place.caption) == lower) {
            HWND button = GetDlgItem(hwnd_, place.id);
            SendMessageW(hwnd_, WM_COMMAND, MAKEWPARAM(place.id, BN_CLICKED),
                         reinterpret_cast<LPARAM>(button));
            return true;
        }
    }
    return false;
}

bool FormWindow::preTranslate(MSG& msg) {
    // No controls yet (the window was never shown by the program): nothing of theirs to translate.
    if (hwnd_ == nullptr || binding_ == nullptr || !IsWindowVisible(hwnd_) ||
        (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd))) {
        return false;
    }
    // The buttons take no focus, so the window sees their accelerators first, with or without Alt;
    // a plain letter typed into an open list belongs to the list.
    if ((msg.message == WM_SYSCHAR || (msg.message == WM_CHAR && !binding_->listOpen())) &&
        clickAccelerator(static_cast<wchar_t>(msg.wParam))) {
        return true;
    }
    return IsDialogMessageW(hwnd_, &msg) != FALSE;
}

void FormWindow::onCommand(int id, int code, HWND control) {
    if (control == nullptr && code == 0) {
        FormDrawing::menuCommand(*form_, id);
        return;
    }
    if (binding_ != nullptr) {
        binding_->command(id, code, control);
    }
}

bool FormWindow::onSetCursor(HWND over) {
    const ControlPlace* place = findControl(GetDlgCtrlID(over));
    if (GetParent(over) != hwnd_ || place == nullptr || !showsHand(place->kind)) {
        return false;
    }
    SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND)));
    return true;
}

LRESULT FormWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        form_->TaskbarCreated();
        return 0;
    }
    if (message == typingMode_ && typingMode_ != 0) {
        form_->TypingModeChanged(wParam != 0);
        return 0;
    }
    if (message == clipboardConverted_ && clipboardConverted_ != 0) {
        form_->ClipboardConverted(static_cast<std::uint32_t>(wParam), static_cast<std::uint32_t>(lParam));
        return 0;
    }
    switch (message) {
    case WM_COMMAND:
        onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_DRAWITEM:
        drawing_.drawItem(*form_, *reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_MEASUREITEM:
        drawing_.measureItem(*form_, *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return FormDrawing::controlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && onSetCursor(reinterpret_cast<HWND>(wParam))) {
            return TRUE;
        }
        break;
    case WM_MOUSEMOVE:
        // The tray icon's callback: the icon's mouse message comes as the X coordinate.
        form_->FormMouseMove(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        return 0;
    case WM_DPICHANGED:
        // The window moved to a screen of another scale: lay it out for that one, in the rectangle the
        // system suggests.
        layOutForDpi(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_CLOSE:
        close();
        return 0;
    case WM_DESTROY:
        form_->FormDestroy();
        return 0;
    default:
        break;
    }
    return DefDlgProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK FormWindow::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->hwnd_ = hwnd;
    }
    auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    // Until Form1 exists (while the window and its controls are made) only the defaults apply.
    if (self == nullptr || self->form_ == nullptr || self->hwnd_ != hwnd) {
        return DefDlgProcW(hwnd, message, wParam, lParam);
    }
    return guarded(hwnd, 0, [&] { return self->handleMessage(message, wParam, lParam); });
}

} // namespace lurwin
