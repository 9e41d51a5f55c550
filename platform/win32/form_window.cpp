#include "platform/win32/form_window.h"

#include "engine/lurcore.h"
#include "platform/win32/error_box.h"
#include "platform/win32/flat_list.h"
#include "platform/win32/form_layout.h"
#include "platform/win32/gdi_canvas.h"
#include "platform/win32/picture_button.h"
#include "platform/win32/window_ids.h"
#include "resources/resource_ids.h"

#include <commctrl.h>

#include <algorithm>

namespace lurwin {

namespace {

constexpr DWORD kFormStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kFormExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CONTROLPARENT;
constexpr COLORREF kNavy = RGB(0, 0, 128);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr int kListItemHeight = 13;
// The closed list's selection field: with the frame it makes the list 21 pixels high.
constexpr int kListFieldHeight = 15;
constexpr int kListDropHeight = 120;
constexpr int kSeparatorHeight = 8;
constexpr int kMenuItemCount = 13;

const wchar_t* wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

HFONT makeFont(int height, int weight, BYTE charset) {
    return CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, charset, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Tahoma");
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

bool isPictureButton(int id) {
    return id == kIdCmdThoat || id == kIdTntSpeedButton1 || id == kIdTaskbar;
}
bool isList(int id) {
    return id == kIdTbCode || id == kIdCboMethod || id == kIdcKey;
}
bool isRadio(int id) {
    return id == kIdVNI || id == kIdTELEX;
}

} // namespace

FormWindow::FormWindow(HINSTANCE instance, Win32SystemApi& system)
    : instance_(instance), system_(system), platform_{system, *this, tray_, shell_} {}

FormWindow::~FormWindow() {
    if (hwnd_ != nullptr) {
        DestroyWindow(hwnd_);
    }
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
    if (sidebar_ != nullptr) {
        DeleteObject(sidebar_);
    }
    if (menuPictures_ != nullptr) {
        DeleteObject(menuPictures_);
    }
    for (auto& [id, picture] : buttonPictures_) {
        if (picture != nullptr) {
            DeleteObject(picture);
        }
    }
}

void FormWindow::loadResources() {
    if (windowFont_ != nullptr) {
        return; // a window made again keeps the fonts and pictures of the first
    }
    windowFont_ = makeFont(-11, FW_NORMAL, DEFAULT_CHARSET);
    vietnameseFont_ = makeFont(-11, FW_NORMAL, VIETNAMESE_CHARSET);
    bannerFont_ = makeFont(-12, FW_BOLD, VIETNAMESE_CHARSET);
    auto icon = [this](int id) {
        return static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(id), IMAGE_ICON, 32, 32, 0));
    };
    auto bitmap = [this](int id) {
        return static_cast<HBITMAP>(
            LoadImageW(instance_, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    };
    tkIcon_ = icon(IDI_TK);
    engIcon_ = icon(IDI_ENG);
    sidebar_ = bitmap(IDB_SIDEBAR);
    menuPictures_ = bitmap(IDB_MENU_PICTURES);
    buttonPictures_[kIdCmdThoat] = bitmap(IDB_BTN_EXIT);
    buttonPictures_[kIdTntSpeedButton1] = bitmap(IDB_BTN_HELP);
    buttonPictures_[kIdTaskbar] = bitmap(IDB_BTN_TASKBAR);
}

HFONT FormWindow::fontFor(int id) const {
    for (const ControlPlace& place : formControls()) {
        if (place.id == id) {
            switch (place.font) {
            case FontKind::Vietnamese:
                return vietnameseFont_;
            case FontKind::Banner:
                return bannerFont_;
            case FontKind::Window:
                break;
            }
        }
    }
    return windowFont_;
}

void FormWindow::createControls() {
    for (const ControlPlace& place : formControls()) {
        const wchar_t* windowClass = L"BUTTON";
        DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
        int height = place.height;
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
            height = kListDropHeight;
            break;
        case ControlKind::RadioButton:
            // Not AUTO: the control model alone decides the state. Only the ticked one is a tab stop.
            style |= BS_RADIOBUTTON | (place.id == kIdVNI ? WS_GROUP : 0);
            break;
        case ControlKind::CheckBox:
            style |= BS_CHECKBOX | WS_TABSTOP | WS_GROUP;
            break;
        }
        HWND child = CreateWindowExW(0, windowClass, place.caption, style, place.left, place.top, place.width,
                                     height, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(place.id)),
                                     instance_, nullptr);
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(place.id)), FALSE);
        if (place.kind == ControlKind::PictureButton) {
            makeFocusless(child);
        }
        if (place.kind == ControlKind::DropDownList) {
            // After the font: a new font makes the list measure its field again.
            SendMessageW(child, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), kListFieldHeight);
            SendMessageW(child, CB_SETITEMHEIGHT, 0, kListItemHeight);
            makeFlatList(child);
        }
    }
}

ui::ComboBox* FormWindow::listModel(int id) {
    switch (id) {
    case kIdTbCode:
        return &form_->TbCode;
    case kIdCboMethod:
        return &form_->CboMethod;
    case kIdcKey:
        return &form_->cKey;
    default:
        return nullptr;
    }
}

void FormWindow::mirrorCheck(int id, bool checked) {
    SendMessageW(control(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void FormWindow::mirrorRadio(int id, bool checked) {
    HWND button = control(id);
    SendMessageW(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    const LONG style = GetWindowLongW(button, GWL_STYLE);
    SetWindowLongW(button, GWL_STYLE, checked ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
}

void FormWindow::mirrorList(int id, int index) {
    SendMessageW(control(id), CB_SETCURSEL, index, 0);
}

void FormWindow::connectModel() {
    auto check = [this](ui::CheckBox& box, int id) {
        box.onStateChanged = [this, &box, id] { mirrorCheck(id, box.checked()); };
        mirrorCheck(id, box.checked());
    };
    check(form_->Mold, kIdMold);
    check(form_->MOWEL, kIdMOWEL);
    check(form_->MFree, kIdMFree);
    check(form_->chksys, kIdchksys);
    check(form_->chkDestop, kIdchkDestop);
    check(form_->ChkQuick, kIdChkQuick);

    auto radio = [this](ui::RadioButton& button, int id) {
        button.onStateChanged = [this, &button, id] { mirrorRadio(id, button.checked()); };
        mirrorRadio(id, button.checked());
    };
    radio(form_->VNI, kIdVNI);
    radio(form_->TELEX, kIdTELEX);

    for (int id : {kIdTbCode, kIdCboMethod, kIdcKey}) {
        ui::ComboBox& list = *listModel(id);
        for (const std::u16string& item : list.items()) {
            SendMessageW(control(id), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(item)));
        }
        list.onStateChanged = [this, &list, id] { mirrorList(id, list.itemIndex()); };
        mirrorList(id, list.itemIndex());
    }
}

TForm1& FormWindow::createForm() {
    INITCOMMONCONTROLSEX common{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&common);
    loadResources();
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
    typingMode_ = RegisterWindowMessageA(kTypingModeMessage);

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
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(windowFont_), FALSE);
    createControls();

    form_ = std::make_unique<TForm1>(platform_);
    connectModel();
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

void FormWindow::setHeight(int height) {
    RECT r;
    GetWindowRect(hwnd_, &r);
    SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::setWidth(int width) {
    RECT r;
    GetWindowRect(hwnd_, &r);
    SetWindowPos(hwnd_, nullptr, 0, 0, width, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
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
    HMENU menu = CreatePopupMenu();
    const auto items = form_->menuItems();
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
    // The chosen command arrives as WM_COMMAND after the menu has closed.
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd_, nullptr);
    DestroyMenu(menu);
}

void FormWindow::onMenuCommand(int index) {
    TMenuItem* item = form_->menuItems()[static_cast<std::size_t>(index)];
    if (item->OnClick != nullptr) {
        (form_.get()->*item->OnClick)();
    }
}

bool FormWindow::clickAccelerator(wchar_t key) {
    int id = 0;
    switch (key) {
    case L'o':
    case L'O':
        id = kIdCmdThoat;
        break;
    case L'p':
    case L'P':
        id = kIdTntSpeedButton1;
        break;
    case L'b':
    case L'B':
        id = kIdTaskbar;
        break;
    default:
        return false;
    }
    SendMessageW(hwnd_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control(id)));
    return true;
}

bool FormWindow::preTranslate(MSG& msg) {
    if (hwnd_ == nullptr || !IsWindowVisible(hwnd_) || (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd))) {
        return false;
    }
    // The buttons take no focus, so the window sees their accelerators first, with or without Alt;
    // a plain letter typed into an open list belongs to the list.
    const bool listOpen =
        std::any_of(dropped_.begin(), dropped_.end(), [](const auto& e) { return e.second; });
    if ((msg.message == WM_SYSCHAR || (msg.message == WM_CHAR && !listOpen)) &&
        clickAccelerator(static_cast<wchar_t>(msg.wParam))) {
        return true;
    }
    return IsDialogMessageW(hwnd_, &msg) != FALSE;
}

void FormWindow::onListNotification(int id, int code, HWND list) {
    ui::ComboBox* model = listModel(id);
    switch (code) {
    case CBN_DROPDOWN:
        dropped_[id] = true;
        return;
    case CBN_CLOSEUP:
        dropped_[id] = false;
        return;
    case CBN_SELCHANGE:
        // While the list is open the user is only browsing; the pick comes with CBN_SELENDOK.
        if (dropped_[id]) {
            return;
        }
        break;
    case CBN_SELENDOK:
        // Choosing from the open list is a pick even when it is the entry already shown.
        if (dropped_[id]) {
            pickFromList(*model, list, true);
            return;
        }
        break;
    case CBN_SELENDCANCEL:
        mirrorList(id, model->itemIndex());
        return;
    default:
        return;
    }
    // A closed list changes by the keyboard; the same change may also be reported once more after
    // the list closes, which must not count twice.
    pickFromList(*model, list, false);
}

void FormWindow::pickFromList(ui::ComboBox& model, HWND list, bool evenIfShown) {
    const int picked = static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0));
    if (picked >= 0 && (evenIfShown || picked != model.itemIndex())) {
        model.userPick(picked);
    }
}

void FormWindow::onCommand(int id, int code, HWND controlWindow) {
    if (controlWindow == nullptr && code == 0) {
        if (id >= kFirstMenuCommand && id < kFirstMenuCommand + kMenuItemCount) {
            onMenuCommand(id - kFirstMenuCommand);
        }
        return;
    }
    if (isList(id)) {
        onListNotification(id, code, controlWindow);
        return;
    }
    if (code != BN_CLICKED) {
        return;
    }
    switch (id) {
    case kIdCmdThoat:
        form_->CmdThoatClick();
        break;
    case kIdTntSpeedButton1:
        form_->TntSpeedButton1Click();
        break;
    case kIdTaskbar:
        form_->TaskbarClick();
        break;
    case kIdVNI:
        form_->VNI.userClick();
        break;
    case kIdTELEX:
        form_->TELEX.userClick();
        break;
    case kIdMold:
        form_->Mold.userClick();
        break;
    case kIdMOWEL:
        form_->MOWEL.userClick();
        break;
    case kIdMFree:
        form_->MFree.userClick();
        break;
    case kIdchksys:
        form_->chksys.userClick();
        break;
    case kIdchkDestop:
        form_->chkDestop.userClick();
        break;
    case kIdChkQuick:
        form_->ChkQuick.userClick();
        break;
    default:
        break;
    }
}

COLORREF FormWindow::labelColor(int id) const {
    if (id == kIdTntLabel4) {
        return GetSysColor(COLOR_ACTIVECAPTION);
    }
    if (id == kIdTntLabel5) {
        return kRed;
    }
    return GetSysColor(COLOR_WINDOWTEXT);
}

LRESULT FormWindow::onCtlColor(HDC dc, HWND controlWindow) {
    SetTextColor(dc, labelColor(GetDlgCtrlID(controlWindow)));
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

bool FormWindow::onSetCursor(HWND over) {
    const int id = GetDlgCtrlID(over);
    if (GetParent(over) != hwnd_ || !(isPictureButton(id) || isRadio(id) || isList(id))) {
        return false;
    }
    SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND)));
    return true;
}

void FormWindow::drawLabel(const DRAWITEMSTRUCT& item) {
    const int id = static_cast<int>(item.CtlID);
    UINT format = DT_SINGLELINE | DT_NOPREFIX | DT_TOP | DT_LEFT;
    for (const ControlPlace& place : formControls()) {
        if (place.id == id && place.align == TextAlign::Right) {
            format = (format & ~DT_LEFT) | DT_RIGHT;
        } else if (place.id == id && place.align == TextAlign::Centre) {
            format = (format & ~DT_LEFT) | DT_CENTER;
        }
    }
    wchar_t caption[128] = {};
    GetWindowTextW(item.hwndItem, caption, 128);
    RECT area = item.rcItem;
    FillRect(item.hDC, &area, GetSysColorBrush(COLOR_BTNFACE));
    HGDIOBJ oldFont = SelectObject(item.hDC, fontFor(id));
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, labelColor(id));
    DrawTextW(item.hDC, caption, -1, &area, format);
    SelectObject(item.hDC, oldFont);
}

void FormWindow::onDrawItem(DRAWITEMSTRUCT& item) {
    if (item.CtlType == ODT_STATIC) {
        drawLabel(item);
        return;
    }
    if (item.CtlType == ODT_COMBOBOX) {
        drawFlatListItem(item);
        return;
    }
    if (item.CtlType == ODT_BUTTON) {
        drawPictureButton(item, buttonPictures_[static_cast<int>(item.CtlID)], vietnameseFont_, kNavy);
        return;
    }
    if (item.CtlType != ODT_MENU || item.itemData == 0) {
        return;
    }
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
    form_->MenuDrawItem(menuItem, canvas, rect, selected);
}

void FormWindow::onMeasureItem(MEASUREITEMSTRUCT& item) {
    if (item.CtlType != ODT_MENU || item.itemData == 0) {
        return;
    }
    auto& menuItem = *reinterpret_cast<TMenuItem*>(item.itemData);
    int width = 0;
    int height = kSeparatorHeight;
    if (menuItem.Measured) {
        form_->MenuMeaseItem(menuItem, width, height);
    }
    item.itemWidth = static_cast<UINT>(width);
    item.itemHeight = static_cast<UINT>(height);
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
    switch (message) {
    case WM_COMMAND:
        onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_DRAWITEM:
        onDrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_MEASUREITEM:
        onMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return onCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && onSetCursor(reinterpret_cast<HWND>(wParam))) {
            return TRUE;
        }
        break;
    case WM_MOUSEMOVE:
        // The tray icon's callback: the icon's mouse message comes as the X coordinate.
        form_->FormMouseMove(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
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
