// Lurb.exe end to end under Wine: the real program beside the recording engine (bin\rec\), driven as a
// user would drive it, checked through the engine's log and stored block, the window's controls, the
// notification area and the screen.
#include "platform/win32/window_ids.h"
#include "engine/product_names.h"
#include "lurcore/store/settings_file.h"
#include "resources/resource_ids.h"
#include "tests/wine/support/lurb_process.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

#include <algorithm>
#include <optional>
#include <string>

using namespace lurtest;
using namespace lurwin;

namespace {

std::wstring recordingExe() {
    return binFolder() + L"rec\\Lurb.exe";
}
std::wstring realExe() {
    return binFolder() + L"Lurb.exe";
}

std::vector<std::string> linesAfter(const std::vector<std::string>& log, std::size_t from) {
    return {log.begin() + static_cast<std::ptrdiff_t>(std::min(from, log.size())), log.end()};
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

// Waits until the log has `count` lines more than `from`, then returns the new ones.
std::vector<std::string> newLines(const RecordingFiles& files, std::size_t from, std::size_t count) {
    waitFor([&] { return files.log().size() >= from + count; });
    return linesAfter(files.log(), from);
}

// Setvalue's closing calls, which show that a load has finished.
bool setvalueDone(const RecordingFiles& files, int times) {
    return countLines(files.log(), "InitVariable") >= times;
}

std::wstring textOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

RECT clientRectOf(HWND form, HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool checked(HWND button) {
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}
int selection(HWND list) {
    return static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0));
}

void click(HWND button) {
    SendMessageW(button, BM_CLICK, 0, 0);
}

// A pick as the user makes it: the list's selection moves, and the list tells its window.
void pick(HWND form, HWND list, int index) {
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(form, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

void trayCallback(HWND form, int mouseMessage) {
    PostMessageW(form, WM_MOUSEMOVE, 1, mouseMessage);
}

class Gui : public ::testing::Test {
protected:
    void SetUp() override {
        files.clearLog();
        files.removeBlock();
    }

    // Starts the recording program with a stored block and waits until start-up has loaded it.
    std::unique_ptr<LurbProcess> start(const Block& block, int loads = 2) {
        files.seedBlock(block);
        auto lurb = std::make_unique<LurbProcess>(recordingExe());
        EXPECT_NE(lurb->waitForForm(), nullptr);
        EXPECT_TRUE(waitFor([&] { return setvalueDone(files, loads); })) << joined(files.log());
        return lurb;
    }

    RecordingFiles files;
};

TEST_F(Gui, SecondStartLeavesNoTrace) {
    auto first = start(kDefaultBlock);
    const std::size_t before = files.log().size();
    const Block stored = files.block();

    LurbProcess second(recordingExe());
    EXPECT_EQ(second.waitForExit(), 0);
    EXPECT_EQ(files.log().size(), before) << "the second copy called the engine:\n" << joined(files.log());
    EXPECT_EQ(files.block(), stored);
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, kFormClass, nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        EXPECT_NE(owner, second.id()) << "the second copy made a window";
    }
    // The notice went to the mailslot, not to a file in the working directory.
    EXPECT_EQ(GetFileAttributesW((files.folder() + L"Lurio").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(first->running());
    EXPECT_TRUE(IsWindowVisible(first->form()));
}

TEST_F(Gui, WindowIsAFixedDialogWithoutTaskbarButton) {
    auto lurb = start(kDefaultBlock);
    HWND form = lurb->form();
    EXPECT_EQ(textOf(form), L"" LUR_PRODUCT_NAME);
    RECT outer;
    GetWindowRect(form, &outer);
    EXPECT_EQ(outer.right - outer.left, 390);
    EXPECT_EQ(outer.bottom - outer.top, 305);
    // Centred on the screen.
    EXPECT_NEAR((outer.left + outer.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((outer.top + outer.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);

    const LONG style = GetWindowLongW(form, GWL_STYLE);
    const LONG exStyle = GetWindowLongW(form, GWL_EXSTYLE);
    EXPECT_TRUE((style & WS_CAPTION) == WS_CAPTION && (style & WS_SYSMENU));
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_TRUE(exStyle & WS_EX_DLGMODALFRAME);
    // An owned window without WS_EX_APPWINDOW, owned by a hidden tool window: no taskbar button.
    EXPECT_FALSE(exStyle & WS_EX_APPWINDOW);
    HWND owner = GetWindow(form, GW_OWNER);
    ASSERT_NE(owner, nullptr);
    EXPECT_FALSE(IsWindowVisible(owner));
    EXPECT_TRUE(GetWindowLongW(owner, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_NE(GetSysColor(COLOR_BTNFACE), 0u);

    SendMessageW(form, WM_CLOSE, 0, 0);
    EXPECT_EQ(lurb->waitForExit(), 0);
}

TEST_F(Gui, CloseBoxEndsWithoutStoring) {
    auto lurb = start(kDefaultBlock);
    HWND form = lurb->form();
    // A spelling-check change has no handler of its own; the close box must not store it.
    click(lurb->control(kIdMold));
    EXPECT_FALSE(checked(lurb->control(kIdMold)));
    const std::size_t before = files.log().size();
    PostMessageW(form, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(lurb->waitForExit(), 0);

    const auto log = files.log();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), "GetSharedData");
    const auto closing = linesAfter(log, before);
    EXPECT_EQ(closing, (std::vector<std::string>{"StopKeyBoardHook", "StopKeyBoardHook"})) << joined(log);
    EXPECT_EQ(countLines(log, "WriteToFile"), 0);
    EXPECT_EQ(files.block(), kDefaultBlock);
}

struct ExpectedControl {
    int id;
    int left, top, width, height;
    const wchar_t* caption; // null: not checked (lists)
};

// The window's layout at 96 dpi, in window client coordinates; group-box children at their group
// box's origin (14, 11) or (14, 145) plus their offset.
const ExpectedControl kLayout[] = {
    {kIdCmdThoat, 299, 14, 70, 29, L"Th&oát"},
    {kIdTntSpeedButton1, 299, 49, 70, 29, L"Trợ giú&p"},
    {kIdTaskbar, 299, 84, 70, 29, L"Task&Bar"},
    {kIdTntGroupBox1, 14, 11, 275, 118, L"Chọn bảng mã và kiểu gõ"},
    {kIdTntGroupBox2, 14, 145, 355, 82, L"Quy tắc bỏ dấu"},
    {kIdTntLabel4, 32, 231, 331, 13, nullptr},
    {kIdTntLabel5, 40, 250, 318, 14, L"Món quà dâng tặng đồng bào các Dân tộc Việt Nam"},
    {kIdTntLabel1, 14 + 15, 11 + 28, 45, 13, L"Bảng Mã:"},
    {kIdTbCode, 14 + 93, 11 + 24, 164, 21, nullptr},
    {kIdTntLabel3, 14 + 15, 11 + 57, 39, 13, L"Kiểu gõ:"},
    {kIdVNI, 14 + 92, 11 + 57, 39, 17, L"VNI"},
    {kIdTELEX, 14 + 136, 11 + 57, 54, 17, L"TELEX"},
    {kIdCboMethod, 14 + 194, 11 + 55, 63, 21, nullptr},
    {kIdTntLabel2, 14 + 15, 11 + 88, 64, 13, L"Phím chuyển:"},
    {kIdcKey, 14 + 92, 11 + 84, 165, 21, nullptr},
    {kIdMold, 14 + 8, 145 + 18, 161, 17, L"Kiểm tra lỗi chính tả"},
    {kIdMOWEL, 14 + 8, 145 + 40, 169, 17, L"Bỏ dấu ngay sau nguyên âm"},
    {kIdMFree, 14 + 8, 145 + 61, 97, 17, L"Bỏ dấu tự do"},
    {kIdchksys, 14 + 184, 145 + 18, 163, 17, L"Khởi động cùng hệ thống"},
    {kIdchkDestop, 14 + 184, 145 + 40, 161, 17, L"Tạo biểu tượng trên DeskTop"},
    {kIdChkQuick, 14 + 185, 145 + 60, 161, 17, L"Khởi động nhanh"},
};

std::vector<std::wstring> listItems(HWND list) {
    std::vector<std::wstring> items;
    const int count = static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[64] = {};
        SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.emplace_back(text);
    }
    return items;
}

int countPixels(const Capture& capture, const RECT& area, bool (*match)(std::uint32_t)) {
    int count = 0;
    for (int y = std::max(0L, area.top); y < std::min<LONG>(capture.height, area.bottom); ++y) {
        for (int x = std::max(0L, area.left); x < std::min<LONG>(capture.width, area.right); ++x) {
            count += match(capture.at(x, y)) ? 1 : 0;
        }
    }
    return count;
}

std::uint32_t rgbOf(COLORREF c) {
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

int red(std::uint32_t p) {
    return static_cast<int>((p >> 16) & 0xFF);
}
int green(std::uint32_t p) {
    return static_cast<int>((p >> 8) & 0xFF);
}
int blue(std::uint32_t p) {
    return static_cast<int>(p & 0xFF);
}
bool isStrongRed(std::uint32_t p) {
    return red(p) > 200 && green(p) < 90 && blue(p) < 90;
}

TEST_F(Gui, ControlsMatchTheLayout) {
    auto lurb = start(kDefaultBlock);
    HWND form = lurb->form();
    RECT client;
    GetClientRect(form, &client);
    for (const ExpectedControl& expected : kLayout) {
        HWND control = lurb->control(expected.id);
        ASSERT_NE(control, nullptr) << expected.id;
        const RECT r = clientRectOf(form, control);
        EXPECT_EQ(r.left, expected.left) << expected.id;
        EXPECT_EQ(r.top, expected.top) << expected.id;
        EXPECT_EQ(r.right - r.left, expected.width) << expected.id;
        EXPECT_EQ(r.bottom - r.top, expected.height) << expected.id;
        if (expected.caption != nullptr) {
            EXPECT_EQ(textOf(control), expected.caption) << expected.id;
        }
        // Everything lies inside the window's client area.
        EXPECT_LE(r.right, client.right) << expected.id;
        EXPECT_LE(r.bottom, client.bottom) << expected.id;
    }
    // The credit line: one line, right-aligned to x 363.
    EXPECT_FALSE(textOf(lurb->control(kIdTntLabel4)).empty());

    EXPECT_EQ(listItems(lurb->control(kIdTbCode)),
              (std::vector<std::wstring>{L"01 - UNICODE ", L"02 - TCVN3 ", L"03 - VNI WIN "}));
    EXPECT_EQ(listItems(lurb->control(kIdCboMethod)), (std::vector<std::wstring>{L"VNI", L"TELEX"}));
    EXPECT_EQ(listItems(lurb->control(kIdcKey)),
              (std::vector<std::wstring>{L"01 - ALT + Z", L"02 - SHIFT + CTLR"}));
    for (int id : {kIdTbCode, kIdCboMethod, kIdcKey}) {
        HWND list = lurb->control(id);
        EXPECT_EQ(GetWindowLongW(list, GWL_STYLE) & 3, CBS_DROPDOWNLIST) << id;
        EXPECT_EQ(SendMessageW(list, CB_GETITEMHEIGHT, 0, 0), 13) << id;
    }
    // Check boxes and radio buttons that the program alone ticks.
    for (int id : {kIdMold, kIdMOWEL, kIdMFree, kIdchksys, kIdchkDestop, kIdChkQuick}) {
        EXPECT_EQ(GetWindowLongW(lurb->control(id), GWL_STYLE) & BS_TYPEMASK, BS_CHECKBOX) << id;
    }
    for (int id : {kIdVNI, kIdTELEX}) {
        EXPECT_EQ(GetWindowLongW(lurb->control(id), GWL_STYLE) & BS_TYPEMASK, BS_RADIOBUTTON) << id;
    }
    for (int id : {kIdCmdThoat, kIdTntSpeedButton1, kIdTaskbar}) {
        const LONG style = GetWindowLongW(lurb->control(id), GWL_STYLE);
        EXPECT_EQ(style & BS_TYPEMASK, BS_OWNERDRAW) << id;
        EXPECT_FALSE(style & WS_TABSTOP) << id;
    }

    // Fonts cannot be read from another process under Wine (GDI handles are per process); the
    // screen checks below see the banner's colour instead.

    // Tab order with the defaults (Telex ticked): only the ticked radio button is a tab stop, and the
    // picture buttons are none.
    const std::vector<int> expectedOrder = {kIdTELEX, kIdCboMethod, kIdTbCode, kIdcKey,      kIdMold,
                                            kIdMOWEL, kIdMFree,     kIdchksys, kIdchkDestop, kIdChkQuick};
    std::vector<int> order;
    HWND item = GetNextDlgTabItem(form, nullptr, FALSE);
    for (int i = 0; i < 12 && item != nullptr; ++i) {
        const int id = GetDlgCtrlID(item);
        if (!order.empty() && id == order.front()) {
            break;
        }
        order.push_back(id);
        item = GetNextDlgTabItem(form, item, FALSE);
    }
    EXPECT_EQ(order, expectedOrder);

    // The screen: kept as an artefact, and checked for the red banner, the coloured credit line and the
    // red Exit picture at the button's left edge.
    RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT outer;
    GetWindowRect(form, &outer);
    const Capture shot = captureScreen(outer);
    EXPECT_TRUE(saveBmp(shot, artefactFolder() + L"form.bmp"));
    POINT origin{0, 0};
    ClientToScreen(form, &origin);
    auto inShot = [&](int l, int t, int w, int h) {
        const LONG x = origin.x - outer.left;
        const LONG y = origin.y - outer.top;
        return RECT{x + l, y + t, x + l + w, y + t + h};
    };
    EXPECT_GT(countPixels(shot, inShot(40, 250, 318, 14), isStrongRed), 50) << "banner not red";
    const COLORREF caption = GetSysColor(COLOR_ACTIVECAPTION);
    static std::uint32_t creditColour;
    creditColour = (GetRValue(caption) << 16) | (GetGValue(caption) << 8) | GetBValue(caption);
    EXPECT_GT(countPixels(shot, inShot(32, 231, 331, 13), [](std::uint32_t p) { return p == creditColour; }),
              20);
    // Exit's picture: red rounded square at x 299..318, its transparent corner showing the face colour.
    EXPECT_GT(countPixels(shot, inShot(299, 18, 20, 20), isStrongRed), 100);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const std::uint32_t faceRgb = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
    const RECT backdrop = inShot(5, 235, 20, 10);
    EXPECT_EQ(shot.at(backdrop.left, backdrop.top), faceRgb);

    // The lists are flat: one ring in the shadow colour, inside it nothing raised or sunken, the
    // arrow button parted from the field by one shadow-coloured line and holding only its arrow.
    const std::uint32_t shadowRgb = rgbOf(GetSysColor(COLOR_BTNSHADOW));
    const std::uint32_t windowRgb = rgbOf(GetSysColor(COLOR_WINDOW));
    const std::uint32_t arrowRgb = rgbOf(GetSysColor(COLOR_BTNTEXT));
    for (const ExpectedControl& expected : kLayout) {
        if (expected.id != kIdTbCode && expected.id != kIdCboMethod && expected.id != kIdcKey) {
            continue;
        }
        const RECT area = inShot(expected.left, expected.top, expected.width, expected.height);
        const int w = expected.width;
        const int h = expected.height;
        auto px = [&](int x, int y) { return shot.at(area.left + x, area.top + y); };
        int offRing = 0;
        for (int x = 0; x < w; ++x) {
            offRing += (px(x, 0) != shadowRgb) + (px(x, h - 1) != shadowRgb);
        }
        for (int y = 0; y < h; ++y) {
            offRing += (px(0, y) != shadowRgb) + (px(w - 1, y) != shadowRgb);
        }
        EXPECT_EQ(offRing, 0) << expected.id << ": the outer ring is not one flat line";
        int divider = -1;
        for (int x = w - 2; x > 0 && divider < 0; --x) {
            divider = px(x, 1) == shadowRgb ? x : -1;
        }
        ASSERT_GT(divider, w / 2) << expected.id << ": no line between field and arrow button";
        int bevel = 0;
        int arrow = 0;
        for (int y = 1; y < h - 1; ++y) {
            bevel += px(divider, y) != shadowRgb;
            for (int x = divider + 1; x < w - 1; ++x) {
                arrow += px(x, y) == arrowRgb;
                bevel += px(x, y) != faceRgb && px(x, y) != arrowRgb;
            }
            // The field's own edge, inside the ring: plain window colour (the entry starts one further in).
            bevel += px(1, y) != windowRgb;
        }
        EXPECT_EQ(bevel, 0) << expected.id << ": shading on the button or the field's edge";
        EXPECT_GT(arrow, 8) << expected.id << ": no arrow";
    }

    SendMessageW(form, WM_CLOSE, 0, 0);
    EXPECT_EQ(lurb->waitForExit(), 0);
}

// The pointer as the whole system shows it.
HCURSOR systemCursor() {
    CURSORINFO info{};
    info.cbSize = sizeof info;
    return GetCursorInfo(&info) != FALSE ? info.hCursor : nullptr;
}

// Moves the pointer over `at` (window client coordinates) and returns the pointer shown there once it
// differs from `before`, or what shows when it has not changed within five seconds.
HCURSOR cursorAt(HWND form, POINT at, HCURSOR before) {
    ClientToScreen(form, &at);
    SetCursorPos(at.x, at.y);
    waitFor([&] { return systemCursor() != before; });
    SendMessageW(form, WM_NULL, 0, 0);
    return systemCursor();
}

TEST_F(Gui, HandCursorOverButtonsRadioButtonsAndLists) {
    auto lurb = start(kDefaultBlock);
    HWND form = lurb->form();
    SetForegroundWindow(form);
    // Cursor handles are the program's own: ours for IDC_HAND differ and cannot be read across
    // processes under Wine. The arrow is the one shown over the window's background (its class
    // cursor); the hand is the one other cursor, the same over every control that shows it.
    const POINT background{5, 135}; // between the two group boxes, left of both
    SetCursorPos(0, 0);
    const HCURSOR arrow = cursorAt(form, background, nullptr);
    ASSERT_NE(arrow, nullptr);
    const auto classCursor = reinterpret_cast<HCURSOR>(GetClassLongPtrW(form, GCLP_HCURSOR));
    if (classCursor != nullptr) {
        EXPECT_EQ(arrow, classCursor);
    }
    struct Spot {
        const char* name;
        int id; // 0: the window's own background
        bool hand;
    };
    // Hand and arrow take turns, so that every spot must change the pointer.
    const Spot spots[] = {
        {"Exit", kIdCmdThoat, true},
        {"background", 0, false},
        {"Help", kIdTntSpeedButton1, true},
        {"spelling check box", kIdMold, false},
        {"TaskBar", kIdTaskbar, true},
        {"label", kIdTntLabel1, false},
        {"VNI", kIdVNI, true},
        {"quick start check box", kIdChkQuick, false},
        {"TELEX", kIdTELEX, true},
        {"background", 0, false},
        {"code table list", kIdTbCode, true},
        {"group box frame", kIdTntGroupBox2, false},
        {"method list", kIdCboMethod, true},
        {"background", 0, false},
        {"switch key list", kIdcKey, true},
        {"credit line", kIdTntLabel4, false},
    };
    HCURSOR hand = nullptr;
    HCURSOR shown = arrow;
    for (const Spot& spot : spots) {
        POINT at = background;
        if (spot.id != 0) {
            const RECT r = clientRectOf(form, lurb->control(spot.id));
            // A group box is the pointer's only on its frame; elsewhere the control's middle.
            at = spot.id == kIdTntGroupBox2 ? POINT{r.left + 40, r.bottom - 1}
                                            : POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        }
        shown = cursorAt(form, at, shown);
        if (!spot.hand) {
            EXPECT_EQ(shown, arrow) << spot.name << " does not show the arrow";
            continue;
        }
        EXPECT_NE(shown, arrow) << spot.name << " shows the arrow";
        if (hand == nullptr) {
            hand = shown;
        }
        EXPECT_EQ(shown, hand) << spot.name << " shows another pointer than Exit";
    }

    PostMessageW(form, WM_CLOSE, 0, 0);
    EXPECT_EQ(lurb->waitForExit(), 0);
}

TEST_F(Gui, UserChoicesReachTheEngineAndTheBlock) {
    auto lurb = start(kDefaultBlock);
    HWND form = lurb->form();
    HWND vni = lurb->control(kIdVNI);
    HWND telex = lurb->control(kIdTELEX);
    HWND method = lurb->control(kIdCboMethod);
    EXPECT_TRUE(checked(telex));
    EXPECT_EQ(selection(method), 1);

    std::size_t mark = files.log().size();
    click(vni);
    EXPECT_EQ(linesAfter(files.log(), mark),
              (std::vector<std::string>{"SetKMode 0", writeToFileLine({1, 0, 1, 0, 1, 0, 0, 0, 0, 0})}));
    EXPECT_TRUE(checked(vni));
    EXPECT_FALSE(checked(telex));
    EXPECT_EQ(selection(method), 0);
    EXPECT_TRUE(GetWindowLongW(vni, GWL_STYLE) & WS_TABSTOP);
    EXPECT_FALSE(GetWindowLongW(telex, GWL_STYLE) & WS_TABSTOP);

    // The ticked radio button again: nothing.
    mark = files.log().size();
    click(vni);
    EXPECT_EQ(files.log().size(), mark);

    // "TELEX" picked in the method list while VNI is ticked: the radio button follows, nested.
    pick(form, method, 1);
    EXPECT_EQ(linesAfter(files.log(), mark),
              (std::vector<std::string>{"SetKMode 1", "SetKMode 1",
                                        writeToFileLine({0, 1, 1, 0, 1, 0, 0, 0, 0, 0})}));
    EXPECT_TRUE(checked(telex));

    // The entry the list already shows, chosen again from the open list: one SetKMode, nothing stored.
    mark = files.log().size();
    SendMessageW(method, CB_SHOWDROPDOWN, TRUE, 0);
    SendMessageW(method, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(linesAfter(files.log(), mark), (std::vector<std::string>{"SetKMode 1"}));
    EXPECT_EQ(selection(method), 1);
    EXPECT_TRUE(checked(telex));

    // A code table picked with the keyboard on the closed list.
    mark = files.log().size();
    HWND table = lurb->control(kIdTbCode);
    SendMessageW(table, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(newLines(files, mark, 3),
              (std::vector<std::string>{"SetCSet 1", "InitVariable",
                                        writeToFileLine({0, 1, 1, 0, 1, 0, 1, 0, 0, 0})}));
    EXPECT_EQ(selection(table), 1);

    // Tone boxes: both ticked is free placement; MFree alone unticked gives rule 1.
    mark = files.log().size();
    click(lurb->control(kIdMOWEL));
    click(lurb->control(kIdMFree));
    EXPECT_EQ(linesAfter(files.log(), mark),
              (std::vector<std::string>{"SetBDau 0", writeToFileLine({0, 1, 1, 1, 1, 0, 1, 0, 0, 0}),
                                        "SetBDau 1", writeToFileLine({0, 1, 1, 1, 0, 0, 1, 0, 0, 0})}));

    // Spell check and switch key have no handler; quick start stores only its own byte.
    mark = files.log().size();
    click(lurb->control(kIdMold));
    pick(form, lurb->control(kIdcKey), 1);
    EXPECT_EQ(files.log().size(), mark);
    click(lurb->control(kIdChkQuick));
    EXPECT_EQ(linesAfter(files.log(), mark),
              (std::vector<std::string>{writeToFileLine({0, 1, 1, 1, 0, 0, 1, 0, 1, 0})}));
    EXPECT_TRUE(checked(lurb->control(kIdChkQuick)));

    // The Exit button stores every control once, then stops the hook three times.
    mark = files.log().size();
    click(lurb->control(kIdCmdThoat));
    EXPECT_EQ(lurb->waitForExit(), 0);
    EXPECT_EQ(linesAfter(files.log(), mark),
              (std::vector<std::string>{writeToFileLine({0, 1, 0, 1, 0, 0, 1, 0, 1, 1}), "StopKeyBoardHook",
                                        "StopKeyBoardHook", "StopKeyBoardHook"}));
    EXPECT_EQ(files.block(), (Block{0, 1, 0, 1, 0, 0, 1, 0, 1, 1}));
}

TEST_F(Gui, AcceleratorClicksTheButtonWithoutFocus) {
    auto lurb = start(kDefaultBlock);
    HWND form = lurb->form();
    // Alt+B on the window: TaskBar hides the window behind the tray icon.
    PostMessageW(form, WM_SYSCHAR, L'b', 1 << 29);
    EXPECT_TRUE(waitFor([&] { return !IsWindowVisible(form); }));
    EXPECT_TRUE(trayIconPresent(form));
    // The window hides halfway through TaskBar's handler: let it end before the log is cleared.
    EXPECT_TRUE(handledSoFar(form));
    // Plain O on a control of the window: Exit.
    files.clearLog();
    ShowWindow(form, SW_SHOWNOACTIVATE);
    PostMessageW(lurb->control(kIdMold), WM_CHAR, L'o', 1);
    EXPECT_EQ(lurb->waitForExit(), 0);
    EXPECT_EQ(countLines(files.log(), "StopKeyBoardHook"), 3) << joined(files.log());
    EXPECT_EQ(files.log().front().rfind("WriteToFile", 0), 0u) << joined(files.log());
}

TEST_F(Gui, QuickStartShowsOnlyTheTrayIcon) {
    const Block quick{0, 1, 1, 0, 1, 0, 0, 0, 1, 0};
    auto lurb = start(quick, 1);
    HWND form = lurb->form();
    EXPECT_FALSE(IsWindowVisible(form));
    EXPECT_TRUE(trayIconPresent(form));
    EXPECT_EQ(countLines(files.log(), "InitVariable"), 1) << "Setvalue runs once";
    EXPECT_EQ(countLines(files.log(), "WriteToFile"), 0);
    EXPECT_NE(files.block()[8], 0);
}

TEST_F(Gui, TrayClicksSwitchEngineAndIcon) {
    auto lurb = start({0, 1, 1, 0, 1, 0, 0, 0, 1, 0}, 1);
    HWND form = lurb->form();
    // The notification area's window shows our icon only: what it shows changes with the mode.
    HWND tray = FindWindowA(nullptr, "Wine System Tray");
    ASSERT_NE(tray, nullptr) << "no notification area window";
    auto trayPixels = [&] {
        RECT r;
        GetWindowRect(tray, &r);
        return captureScreen(r).pixels;
    };
    const auto vietnamese = trayPixels();

    std::size_t mark = files.log().size();
    trayCallback(form, 514);
    EXPECT_EQ(newLines(files, mark, 1), std::vector<std::string>{"StopKeyBoardHook"});
    std::vector<std::uint32_t> english;
    EXPECT_TRUE(waitFor([&] { return (english = trayPixels()) != vietnamese; })) << "the icon did not change";
    saveBmp(captureScreen([&] {
                RECT r;
                GetWindowRect(tray, &r);
                return r;
            }()),
            artefactFolder() + L"tray_english.bmp");

    mark = files.log().size();
    trayCallback(form, 514);
    EXPECT_EQ(newLines(files, mark, 1), std::vector<std::string>{"StartKeyBoardHook"});
    EXPECT_TRUE(waitFor([&] { return trayPixels() == vietnamese; })) << "the Vietnamese icon did not return";

    // Other mouse messages of the icon change nothing.
    mark = files.log().size();
    // Sent, not posted: each has been handled when the call returns, so whatever they did is in the log.
    for (int message : {512, 513, 515, 516, 518}) {
        SendMessageW(form, WM_MOUSEMOVE, 1, message);
    }
    EXPECT_EQ(files.log().size(), mark) << joined(files.log());
    EXPECT_EQ(FindWindowA("#32768", nullptr), nullptr);
}

// The sidebar bitmap as the program holds it, read from its resources; rows top down, 0x00RRGGBB.
struct Sidebar {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

Sidebar programSidebar() {
    Sidebar sidebar;
    HMODULE exe = LoadLibraryExW(recordingExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (exe == nullptr) {
        return sidebar;
    }
    auto bitmap = static_cast<HBITMAP>(
        LoadImageW(exe, MAKEINTRESOURCEW(IDB_SIDEBAR), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    BITMAP info{};
    if (bitmap != nullptr && GetObjectW(bitmap, sizeof info, &info) != 0) {
        BITMAPINFO format{};
        format.bmiHeader.biSize = sizeof format.bmiHeader;
        format.bmiHeader.biWidth = info.bmWidth;
        format.bmiHeader.biHeight = -info.bmHeight;
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 32;
        format.bmiHeader.biCompression = BI_RGB;
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(info.bmWidth * info.bmHeight));
        HDC screen = GetDC(nullptr);
        if (GetDIBits(screen, bitmap, 0, static_cast<UINT>(info.bmHeight), pixels.data(), &format,
                      DIB_RGB_COLORS) == info.bmHeight) {
            for (auto& pixel : pixels) {
                pixel &= 0x00FFFFFF;
            }
            sidebar = {info.bmWidth, info.bmHeight, std::move(pixels)};
        }
        ReleaseDC(nullptr, screen);
    }
    if (bitmap != nullptr) {
        DeleteObject(bitmap);
    }
    FreeLibrary(exe);
    return sidebar;
}

// The menu's rows: ten items of 24 pixels and three separators of 8.
int menuRowTop(int item) {
    static const int kHeights[] = {24, 24, 24, 8, 24, 24, 8, 24, 24, 24, 8, 24, 24};
    int top = 0;
    for (int i = 0; i < item; ++i) {
        top += kHeights[i];
    }
    return top;
}

TEST_F(Gui, PopupMenuIsDrawnByTheProgram) {
    auto lurb = start({0, 1, 1, 0, 1, 0, 1, 0, 1, 0}, 1);
    HWND form = lurb->form();
    trayCallback(form, 517);
    HWND menu = waitForPopupMenu();
    ASSERT_NE(menu, nullptr);
    menuKey(menu, VK_DOWN); // selects Exit
    RECT r;
    GetWindowRect(menu, &r);
    Capture shot;
    // Wait for the selection to be drawn: row 1 of Exit, from column 28, in the highlight colour.
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const std::uint32_t highlightRgb =
        (GetRValue(highlight) << 16) | (GetGValue(highlight) << 8) | GetBValue(highlight);
    // The items fill the menu window but for an equal frame on every side: its width comes from the
    // height, which the ten items of 24 and three separators of 8 rows fix.
    const int frame = (r.bottom - r.top) - menuRowTop(13);
    ASSERT_GE(frame, 0) << "10 x 24 + 3 x 8 rows do not fit";
    ASSERT_EQ(frame % 2, 0) << "the items are not centred in the menu window";
    const int ox = frame / 2;
    const int oy = frame / 2;
    const int itemWidth = (r.right - r.left) - frame;
    ASSERT_GE(itemWidth, 160);
    EXPECT_TRUE(waitFor([&] {
        shot = captureScreen(r);
        return shot.at(ox + 100, oy + 20) == highlightRgb;
    }));
    EXPECT_TRUE(saveBmp(shot, artefactFolder() + L"popup_menu.bmp"));

    // The strip, pixel for pixel: menu row y shows bitmap row y + 10 in columns 0 to 27, whichever item
    // paints it and whether or not it is selected. This also pins the items' corner found above.
    const Sidebar sidebar = programSidebar();
    ASSERT_EQ(sidebar.width, 29);
    ASSERT_EQ(sidebar.height, 282);
    int stripMismatches = 0;
    for (int y = 0; y < menuRowTop(13); ++y) {
        for (int x = 0; x < 28; ++x) {
            stripMismatches += shot.at(ox + x, oy + y) != sidebar.at(x, y + 10) ? 1 : 0;
        }
    }
    EXPECT_EQ(stripMismatches, 0) << "of " << 28 * menuRowTop(13) << " strip pixels";
    // Exit's highlight starts exactly at column 28, on every one of its rows.
    int highlightRows = 0;
    for (int y = 0; y < 24; ++y) {
        highlightRows += shot.at(ox + 28, oy + y) == highlightRgb && shot.at(ox + 27, oy + y) != highlightRgb;
    }
    EXPECT_EQ(highlightRows, 24);
    // Exit's picture at (29, 1): its navy frame.
    EXPECT_GE(countPixels(shot, RECT{ox + 29, oy + 1, ox + 45, oy + 17},
                          [](std::uint32_t p) { return p == 0x000080u; }),
              30)
        << "the navy frame of the 16 x 16 picture";
    // Marks follow the block: Telex and TCVN3 marked (picture at column 29), Vni and Unicode not.
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const std::uint32_t faceRgb = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
    auto marked = [&](int item) {
        int notFace = 0;
        for (int y = 1; y < 17; ++y) {
            for (int x = 29; x < 45; ++x) {
                notFace += shot.at(ox + x, oy + menuRowTop(item) + y) != faceRgb ? 1 : 0;
            }
        }
        return notFace > 100;
    };
    EXPECT_FALSE(marked(4)) << "Vni Input Method";
    EXPECT_TRUE(marked(5)) << "Telex Input Method";
    EXPECT_FALSE(marked(7)) << "Unicode Code Table";
    EXPECT_TRUE(marked(8)) << "TCVN3 Code Table";
    EXPECT_TRUE(marked(11)) << "VietNamese";
    EXPECT_FALSE(marked(12)) << "English";
    // Separator under Configuration: grey line on its row 1, white on row 2, from column 28.
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const std::uint32_t shadowRgb = (GetRValue(shadow) << 16) | (GetGValue(shadow) << 8) | GetBValue(shadow);
    auto etchedLineAt = [&](int x) {
        for (int y = oy + menuRowTop(2) + 20; y < oy + menuRowTop(4); ++y) {
            if (shot.at(x, y) == shadowRgb && shot.at(x, y + 1) == 0xFFFFFFu) {
                return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(etchedLineAt(ox + 32));
    EXPECT_TRUE(etchedLineAt(ox + 150));
    EXPECT_FALSE(etchedLineAt(ox + 10)) << "the strip runs through the separator";
    // Every separator: grey on its row 1 and white on its row 2, from exactly column 28 to the item's
    // right edge; the button face on the rows around them.
    for (int item : {3, 6, 10}) {
        const int top = oy + menuRowTop(item);
        int wrong = 0;
        for (int x = 28; x < itemWidth; ++x) {
            wrong += shot.at(ox + x, top) != faceRgb;
            wrong += shot.at(ox + x, top + 1) != shadowRgb;
            wrong += shot.at(ox + x, top + 2) != 0xFFFFFFu;
            wrong += shot.at(ox + x, top + 3) != faceRgb;
        }
        EXPECT_EQ(wrong, 0) << "separator " << item;
        EXPECT_EQ(shot.at(ox + 27, top + 1), sidebar.at(27, menuRowTop(item) + 11)) << "separator " << item;
        EXPECT_EQ(shot.at(ox + 27, top + 2), sidebar.at(27, menuRowTop(item) + 12)) << "separator " << item;
    }

    menuKey(menu, VK_ESCAPE);
    EXPECT_TRUE(waitFor([] {
        return FindWindowA("#32768", nullptr) == nullptr || !IsWindowVisible(FindWindowA("#32768", nullptr));
    }));
}

struct MenuCase {
    const char* name;
    int downs; // VK_DOWN presses from the opened menu; separators are skipped
    std::vector<std::string> calls;
    Block stored;
};

TEST_F(Gui, MenuCommandsChosenByKeyboard) {
    const Block quick{0, 1, 1, 0, 1, 0, 0, 0, 1, 0};
    const std::vector<MenuCase> cases = {
        {"Vni Input Method",
         4,
         {writeToFileLine({1, 0, 1, 0, 1, 0, 0, 0, 1, 0}), "SetKMode 0"},
         {1, 0, 1, 0, 1, 0, 0, 0, 1, 0}},
        {"Telex Input Method", 5, {writeToFileLine({0, 1, 1, 0, 1, 0, 0, 0, 1, 0}), "SetKMode 1"}, quick},
        {"TCVN3 Code Table",
         7,
         {writeToFileLine({0, 1, 1, 0, 1, 0, 1, 0, 1, 0}), "StartKeyBoardHook", "SetCSet 1", "SetKMode 1",
          "InitVariable", "SetCSet 1"},
         {0, 1, 1, 0, 1, 0, 1, 0, 1, 0}},
        {"Vni Code Table",
         8,
         {writeToFileLine({0, 1, 1, 0, 1, 0, 2, 0, 1, 0}), "StartKeyBoardHook", "SetCSet 2", "SetKMode 1",
          "InitVariable", "SetCSet 2"},
         {0, 1, 1, 0, 1, 0, 2, 0, 1, 0}},
        {"Unicode Code Table", 6, {writeToFileLine(quick), "SetCSet 0"}, quick},
        {"English", 10, {"StopKeyBoardHook"}, quick},
        {"VietNamese", 9, {"StartKeyBoardHook"}, quick},
        {"Help", 2, {}, quick},
    };
    auto lurb = start(quick, 1);
    HWND form = lurb->form();
    for (const MenuCase& c : cases) {
        const std::size_t mark = files.log().size();
        trayCallback(form, 517);
        HWND menu = waitForPopupMenu();
        ASSERT_NE(menu, nullptr) << c.name;
        for (int i = 0; i < c.downs; ++i) {
            menuKey(menu, VK_DOWN);
        }
        menuKey(menu, VK_RETURN);
        // Every item drawn fetches the block first; leave those calls out.
        std::vector<std::string> calls;
        waitFor([&] {
            calls.clear();
            for (const std::string& line : linesAfter(files.log(), mark)) {
                if (line != "GetSharedData") {
                    calls.push_back(line);
                }
            }
            return calls.size() >= c.calls.size() && FindWindowA("#32768", nullptr) == nullptr;
        });
        SendMessageW(form, WM_NULL, 0, 0);
        EXPECT_EQ(calls, c.calls) << c.name;
        EXPECT_EQ(files.block(), c.stored) << c.name;
        EXPECT_FALSE(IsWindowVisible(form)) << c.name;
    }

    // Configuration brings the window back and takes the icon away.
    trayCallback(form, 517);
    HWND menu = waitForPopupMenu();
    ASSERT_NE(menu, nullptr);
    for (int i = 0; i < 3; ++i) {
        menuKey(menu, VK_DOWN);
    }
    menuKey(menu, VK_RETURN);
    EXPECT_TRUE(waitFor([&] { return IsWindowVisible(form) != FALSE; }));
    EXPECT_TRUE(waitFor([&] { return !trayIconPresent(form); }));

    // TaskBar hides it again, the icon returns; then the menu's Exit stores nothing.
    click(lurb->control(kIdTaskbar));
    EXPECT_FALSE(IsWindowVisible(form));
    EXPECT_TRUE(trayIconPresent(form));
    const Block before = files.block();
    const std::size_t mark = files.log().size();
    trayCallback(form, 517);
    menu = waitForPopupMenu();
    ASSERT_NE(menu, nullptr);
    menuKey(menu, VK_DOWN);
    menuKey(menu, VK_RETURN);
    EXPECT_EQ(lurb->waitForExit(), 0);
    std::vector<std::string> calls;
    for (const std::string& line : linesAfter(files.log(), mark)) {
        if (line != "GetSharedData") {
            calls.push_back(line);
        }
    }
    EXPECT_EQ(calls, (std::vector<std::string>{"StopKeyBoardHook", "StopKeyBoardHook", "StopKeyBoardHook"}));
    EXPECT_EQ(files.block(), before);
}

TEST_F(Gui, TaskbarCreatedBringsTheIconBack) {
    auto lurb = start({0, 1, 1, 0, 1, 0, 0, 0, 1, 0}, 1);
    HWND form = lurb->form();
    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    ASSERT_TRUE(trayIconPresent(form));
    removeTrayIcon(form);
    ASSERT_FALSE(trayIconPresent(form));
    DWORD_PTR result = 0;
    SendMessageTimeoutW(HWND_BROADCAST, taskbarCreated, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
    EXPECT_TRUE(waitFor([&] { return trayIconPresent(form); }));

    PostMessageW(form, WM_CLOSE, 0, 0);
    EXPECT_EQ(lurb->waitForExit(), 0);

    // While the window shows there is no icon, and the broadcast adds none.
    files.clearLog();
    auto shown = start(kDefaultBlock);
    SendMessageTimeoutW(HWND_BROADCAST, taskbarCreated, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
    SendMessageW(shown->form(), WM_NULL, 0, 0);
    EXPECT_FALSE(trayIconPresent(shown->form()));
    PostMessageW(shown->form(), WM_CLOSE, 0, 0);
    EXPECT_EQ(shown->waitForExit(), 0);
}

// The start-up entry, the shortcut and Help use the executable's own folder, whatever the working
// directory of the start.
std::wstring runValue() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0, KEY_READ,
                      &key) != ERROR_SUCCESS) {
        return {};
    }
    wchar_t value[1024] = {};
    DWORD size = sizeof value - sizeof(wchar_t);
    DWORD type = 0;
    const LONG result =
        RegQueryValueExW(key, L"" LUR_STARTUP_ENTRY, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? std::wstring(value) : std::wstring();
}

std::wstring lower(std::wstring text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(towlower(c)); });
    return text;
}

std::wstring systemFolder() {
    wchar_t folder[MAX_PATH] = {};
    GetSystemDirectoryW(folder, MAX_PATH);
    return folder;
}

TEST(GuiRealEngine, StartWithSystemRegistersTheProgramsOwnPath) {
    LurbProcess lurb(realExe(), systemFolder());
    HWND form = lurb.waitForForm();
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(waitFor([&] { return IsWindowVisible(form) != FALSE; }));
    HWND box = GetDlgItem(form, kIdchksys);
    if (checked(box)) {
        click(box); // a left-over registration from an earlier run
    }
    click(box);
    ASSERT_TRUE(checked(box));
    EXPECT_TRUE(waitFor([] { return !runValue().empty(); }));
    EXPECT_EQ(lower(runValue()), lower(L"\"" + realExe() + L"\""));
    click(box);
    EXPECT_FALSE(checked(box));
    EXPECT_TRUE(waitFor([] { return runValue().empty(); }));
    PostMessageW(form, WM_CLOSE, 0, 0);
    EXPECT_EQ(lurb.waitForExit(), 0);
}

struct ShortcutFields {
    std::wstring target;
    std::wstring workingDirectory;
    std::wstring arguments;
    bool loaded = false;
};

ShortcutFields readShortcut(const std::wstring& file) {
    ShortcutFields fields;
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link)))) {
        return fields;
    }
    IPersistFile* persist = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
        if (SUCCEEDED(persist->Load(file.c_str(), STGM_READ))) {
            wchar_t text[MAX_PATH] = {};
            link->GetPath(text, MAX_PATH, nullptr, 0);
            fields.target = text;
            text[0] = L'\0';
            link->GetWorkingDirectory(text, MAX_PATH);
            fields.workingDirectory = text;
            text[0] = L'\0';
            link->GetArguments(text, MAX_PATH);
            fields.arguments = text;
            fields.loaded = true;
        }
        persist->Release();
    }
    link->Release();
    return fields;
}

std::wstring withoutTrailingBackslash(std::wstring path) {
    while (!path.empty() && path.back() == L'\\') {
        path.pop_back();
    }
    return path;
}

TEST_F(Gui, DesktopShortcutPointsAtTheProgram) {
    CoInitialize(nullptr);
    wchar_t desktop[MAX_PATH] = {};
    ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, FALSE));
    const std::wstring shortcut = std::wstring(desktop) + L"\\" LUR_PRODUCT_NAME ".lnk";
    DeleteFileW(shortcut.c_str());

    files.seedBlock(kDefaultBlock);
    LurbProcess lurb(recordingExe(), systemFolder());
    ASSERT_NE(lurb.waitForForm(), nullptr);
    ASSERT_TRUE(waitFor([&] { return IsWindowVisible(lurb.form()) != FALSE; }));
    click(lurb.control(kIdchkDestop));
    EXPECT_TRUE(waitFor([&] { return GetFileAttributesW(shortcut.c_str()) != INVALID_FILE_ATTRIBUTES; }));
    const ShortcutFields fields = readShortcut(shortcut);
    ASSERT_TRUE(fields.loaded);
    const std::wstring exe = recordingExe();
    EXPECT_EQ(lower(fields.target), lower(exe));
    EXPECT_EQ(lower(withoutTrailingBackslash(fields.workingDirectory)),
              lower(exe.substr(0, exe.find_last_of(L'\\'))));
    EXPECT_TRUE(fields.arguments.empty());

    // Unticking writes it again and removes nothing.
    DeleteFileW(shortcut.c_str());
    click(lurb.control(kIdchkDestop));
    EXPECT_TRUE(waitFor([&] { return GetFileAttributesW(shortcut.c_str()) != INVALID_FILE_ATTRIBUTES; }));
    DeleteFileW(shortcut.c_str());
    PostMessageW(lurb.form(), WM_CLOSE, 0, 0);
    EXPECT_EQ(lurb.waitForExit(), 0);
    CoUninitialize();
}

TEST(GuiRealEngine, HelpOpensTheHelpWindow) {
    const std::wstring help = binFolder() + L"lurhelp.chm";
    ASSERT_NE(GetFileAttributesW(help.c_str()), INVALID_FILE_ATTRIBUTES) << "bin\\lurhelp.chm is not built";
    LurbProcess lurb(realExe(), systemFolder());
    HWND form = lurb.waitForForm();
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(waitFor([&] { return IsWindowVisible(form) != FALSE; }));
    click(GetDlgItem(form, kIdTntSpeedButton1));
    HWND window = nullptr;
    EXPECT_TRUE(waitFor([&] { return (window = FindWindowW(L"HH Parent", nullptr)) != nullptr; }, 15000ms));
    if (window != nullptr) {
        EXPECT_EQ(textOf(window), L"Lurio 2008 - Tro giup");
        PostMessageW(window, WM_CLOSE, 0, 0);
        waitFor([] { return FindWindowW(L"HH Parent", nullptr) == nullptr; });
    }
    PostMessageW(form, WM_CLOSE, 0, 0);
    EXPECT_EQ(lurb.waitForExit(), 0);
}

// The engine's settings file for the user's data folder as the system reports it now.
std::wstring settingsFileOfThisUser() {
    wchar_t appData[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData);
    return std::wstring(appData) + L"\\" LUR_SETTINGS_FOLDER "\\" LUR_SETTINGS_FILE;
}

std::optional<std::vector<std::uint8_t>> fileBytes(const std::wstring& path) {
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(4096);
    DWORD got = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(file);
    bytes.resize(got);
    return bytes;
}

bool writeFileBytes(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
    CreateDirectoryW(path.substr(0, path.find_last_of(L'\\')).c_str(), nullptr);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return written == bytes.size();
}

std::optional<TSharedSettings> storedSettings(const std::wstring& path) {
    const auto bytes = fileBytes(path);
    return bytes ? lurcore::decodeSettings(*bytes) : std::nullopt;
}

// The user's data folder moved, for this test only, under a profile named with a letter that no ANSI
// code page of a Western system holds.
class ProfileFolderNamed {
public:
    explicit ProfileFolderNamed(const std::wstring& appData) {
        RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ | KEY_SET_VALUE, &key_);
        DWORD size = sizeof old_ - sizeof(wchar_t);
        had_ = RegQueryValueExW(key_, L"AppData", nullptr, &type_, reinterpret_cast<BYTE*>(old_), &size) ==
               ERROR_SUCCESS;
        SHCreateDirectoryExW(nullptr, appData.c_str(), nullptr);
        set(appData.c_str(), REG_EXPAND_SZ);
    }
    ~ProfileFolderNamed() {
        if (had_) {
            set(old_, type_);
        } else {
            RegDeleteValueW(key_, L"AppData");
        }
        RegCloseKey(key_);
    }

private:
    void set(const wchar_t* value, DWORD type) {
        RegSetValueExW(key_, L"AppData", 0, type, reinterpret_cast<const BYTE*>(value),
                       static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
    }
    static constexpr const wchar_t* kKey =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
    HKEY key_ = nullptr;
    bool had_ = false;
    DWORD type_ = REG_EXPAND_SZ;
    wchar_t old_[MAX_PATH] = {};
};

// The shortcut's target from its item-id list, which holds the names in UTF-16 (Wine's GetPath gives
// the 8-bit copy of the path).
std::wstring shortcutTargetByItemList(const std::wstring& file) {
    std::wstring target;
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link)))) {
        return target;
    }
    IPersistFile* persist = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
        LPITEMIDLIST list = nullptr;
        if (SUCCEEDED(persist->Load(file.c_str(), STGM_READ)) && SUCCEEDED(link->GetIDList(&list))) {
            wchar_t path[MAX_PATH] = {};
            if (SHGetPathFromIDListW(list, path)) {
                target = path;
            }
            CoTaskMemFree(list);
        }
        persist->Release();
    }
    link->Release();
    return target;
}

// Settings, start-up entry and shortcut from a program folder and a profile folder named
// "...ễ...": every path must survive in full, where an 8-bit path would come back with "?".
TEST(GuiRealEngine, VietnameseFolderNamesKeepSettingsStartupEntryAndShortcut) {
    CoInitialize(nullptr);
    wchar_t drive[MAX_PATH] = {};
    GetWindowsDirectoryW(drive, MAX_PATH);
    const std::wstring root = std::wstring(drive).substr(0, 3) + L"users\\Nguy\u1EC5n";
    const std::wstring appData = root + L"\\AppData\\Roaming";
    ProfileFolderNamed profile(appData);
    const std::wstring settings = settingsFileOfThisUser();
    ASSERT_EQ(settings, appData + L"\\" LUR_SETTINGS_FOLDER "\\" LUR_SETTINGS_FILE)
        << "the system did not move the data folder";
    DeleteFileW(settings.c_str());

    const std::wstring folder = root + L"\\Lurio \u1EC5";
    SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    for (const wchar_t* name : {L"Lurb.exe", L"lurcore.dll", L"lurhelp.chm"}) {
        ASSERT_TRUE(CopyFileW((binFolder() + name).c_str(), (folder + L"\\" + name).c_str(), FALSE)) << name;
    }
    const std::wstring exe = folder + L"\\Lurb.exe";
    {
        LurbProcess lurb(exe, systemFolder());
        HWND form = lurb.waitForForm();
        ASSERT_NE(form, nullptr);
        ASSERT_TRUE(waitFor([&] { return IsWindowVisible(form) != FALSE; }));
        ASSERT_TRUE(checked(GetDlgItem(form, kIdMold))) << "defaults: spelling check on";
        click(GetDlgItem(form, kIdMold));
        click(GetDlgItem(form, kIdMFree)); // stores every control
        const auto stored = storedSettings(settings);
        ASSERT_TRUE(stored.has_value()) << "nothing stored under the profile folder";
        EXPECT_EQ(stored->SpellCheck, 0);

        click(GetDlgItem(form, kIdchksys));
        EXPECT_EQ(lower(runValue()), lower(L"\"" + exe + L"\""));
        click(GetDlgItem(form, kIdchksys));
        EXPECT_TRUE(runValue().empty());

        wchar_t desktop[MAX_PATH] = {};
        ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, FALSE));
        const std::wstring shortcut = std::wstring(desktop) + L"\\" LUR_PRODUCT_NAME ".lnk";
        DeleteFileW(shortcut.c_str());
        click(GetDlgItem(form, kIdchkDestop));
        EXPECT_EQ(lower(shortcutTargetByItemList(shortcut)), lower(exe));
        EXPECT_EQ(lower(withoutTrailingBackslash(readShortcut(shortcut).workingDirectory)), lower(folder));
        DeleteFileW(shortcut.c_str());

        // Help hands the same path to the shell (ShellExecuteW); Wine's own help viewer cannot open a file
        // from such a folder, so the window is not awaited here.
        PostMessageW(form, WM_CLOSE, 0, 0);
        EXPECT_EQ(lurb.waitForExit(), 0);
    }
    {
        LurbProcess lurb(exe, systemFolder());
        HWND form = lurb.waitForForm();
        ASSERT_NE(form, nullptr);
        ASSERT_TRUE(waitFor([&] { return IsWindowVisible(form) != FALSE; }));
        EXPECT_FALSE(checked(GetDlgItem(form, kIdMold))) << "the stored setting was not read back";
        PostMessageW(form, WM_CLOSE, 0, 0);
        EXPECT_EQ(lurb.waitForExit(), 0);
    }
    for (const wchar_t* name : {L"Lurb.exe", L"lurcore.dll", L"lurhelp.chm"}) {
        DeleteFileW((folder + L"\\" + name).c_str());
    }
    CoUninitialize();
}

// Another program (a backup tool, a virus scanner) holds the settings file open without sharing while
// the program starts: the stored settings must come through it, never the defaults.
TEST(GuiRealEngine, SettingsFileHeldAtStartIsNeverOverwrittenWithDefaults) {
    const std::wstring settings = settingsFileOfThisUser();
    // Every byte the program does not copy from a control it shows differs from the defaults.
    const TSharedSettings stored{1, 0, 1, 0, 1, 7, 2, 0, 0, 1};
    ASSERT_TRUE(writeFileBytes(settings, lurcore::encodeSettings(stored)));
    const auto original = fileBytes(settings);
    HANDLE held = CreateFileW(settings.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    LurbProcess lurb(realExe(), systemFolder());
    HWND form = lurb.waitForForm(20000ms);
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(waitFor([&] { return IsWindowVisible(form) != FALSE; }, 10000ms));
    // A store while the file is still held writes nothing.
    click(GetDlgItem(form, kIdChkQuick));
    CloseHandle(held);
    EXPECT_EQ(fileBytes(settings), original);

    // Released: the next store keeps what the user never changed in this run.
    click(GetDlgItem(form, kIdMold));
    click(GetDlgItem(form, kIdMFree)); // stores every control
    EXPECT_TRUE(waitFor([&] { return fileBytes(settings) != original; }));
    const auto now = storedSettings(settings);
    ASSERT_TRUE(now.has_value());
    EXPECT_EQ(now->UseVni, stored.UseVni);
    EXPECT_EQ(now->UseTelex, stored.UseTelex);
    EXPECT_EQ(now->Reserved, stored.Reserved);
    EXPECT_EQ(now->CodeTable, stored.CodeTable);
    EXPECT_EQ(now->SwitchKey, stored.SwitchKey);
    EXPECT_EQ(now->QuickStart, 1) << "the user's change made while the file was held";
    EXPECT_EQ(now->SpellCheck, checked(GetDlgItem(form, kIdMold)) ? 1 : 0) << "the user's change after it";
    PostMessageW(form, WM_CLOSE, 0, 0);
    EXPECT_EQ(lurb.waitForExit(), 0);
    DeleteFileW(settings.c_str());
}

} // namespace
