// Lurb.exe at 96, 120, 144 and 192 dpi under Wine: the screen's dpi is set in the test prefix before the
// program starts, and the window, its controls, their texts and the tray menu must come out as the
// 96-dpi layout multiplied by the dpi. A screenshot of the window and of the menu at each dpi is kept
// in the artefact folder for a person to look at.
#include "engine/product_names.h"
#include "platform/win32/window_ids.h"
#include "tests/wine/support/lurb_process.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>

using namespace lurtest;
using namespace lurwin;

namespace {

// The figure at `dpi`, rounded as the system's MulDiv rounds.
int at(int value, int dpi) {
    return MulDiv(value, dpi, 96);
}

// Sets the dpi that programs started from now on see, and puts back what the prefix held before.
class ScreenDpi {
public:
    explicit ScreenDpi(int dpi) {
        if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0,
                            KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_, nullptr) != ERROR_SUCCESS) {
            key_ = nullptr;
            return;
        }
        DWORD value = 0;
        DWORD size = sizeof value;
        DWORD type = 0;
        if (RegQueryValueExW(key_, L"LogPixels", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) ==
                ERROR_SUCCESS &&
            type == REG_DWORD) {
            before_ = value;
        }
        const DWORD wanted = static_cast<DWORD>(dpi);
        set_ = RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&wanted),
                              sizeof wanted) == ERROR_SUCCESS;
    }
    ScreenDpi(const ScreenDpi&) = delete;
    ScreenDpi& operator=(const ScreenDpi&) = delete;
    ~ScreenDpi() {
        if (key_ == nullptr) {
            return;
        }
        if (before_) {
            RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&*before_),
                           sizeof *before_);
        } else {
            RegDeleteValueW(key_, L"LogPixels");
        }
        RegCloseKey(key_);
    }
    bool set() const { return set_; }

private:
    HKEY key_ = nullptr;
    std::optional<DWORD> before_;
    bool set_ = false;
};

enum class Font { Window, Vietnamese, Banner };
enum class Kind { Button, Box, Label, List, Choice };

struct Control {
    int id;
    Kind kind;
    int left, top, width, height; // at 96 dpi, in the window's client area
    Font font;
};

// The window's layout at 96 dpi; group-box children at their group box's origin plus their offset.
const Control kControls[] = {
    {kIdCmdThoat, Kind::Button, 299, 14, 70, 29, Font::Vietnamese},
    {kIdTntSpeedButton1, Kind::Button, 299, 49, 70, 29, Font::Vietnamese},
    {kIdTaskbar, Kind::Button, 299, 84, 70, 29, Font::Vietnamese},
    {kIdTntGroupBox1, Kind::Box, 14, 11, 275, 118, Font::Window},
    {kIdTntGroupBox2, Kind::Box, 14, 145, 355, 82, Font::Window},
    {kIdTntLabel4, Kind::Label, 32, 231, 331, 13, Font::Vietnamese},
    {kIdTntLabel5, Kind::Label, 40, 250, 318, 14, Font::Banner},
    {kIdTntLabel1, Kind::Label, 14 + 15, 11 + 28, 45, 13, Font::Window},
    {kIdTbCode, Kind::List, 14 + 93, 11 + 24, 164, 21, Font::Vietnamese},
    {kIdTntLabel3, Kind::Label, 14 + 15, 11 + 57, 39, 13, Font::Window},
    {kIdVNI, Kind::Choice, 14 + 92, 11 + 57, 39, 17, Font::Window},
    {kIdTELEX, Kind::Choice, 14 + 136, 11 + 57, 54, 17, Font::Window},
    {kIdCboMethod, Kind::List, 14 + 194, 11 + 55, 63, 21, Font::Window},
    {kIdTntLabel2, Kind::Label, 14 + 15, 11 + 88, 64, 13, Font::Window},
    {kIdcKey, Kind::List, 14 + 92, 11 + 84, 165, 21, Font::Window},
    {kIdMold, Kind::Choice, 14 + 8, 145 + 18, 161, 17, Font::Window},
    {kIdMOWEL, Kind::Choice, 14 + 8, 145 + 40, 169, 17, Font::Window},
    {kIdMFree, Kind::Choice, 14 + 8, 145 + 61, 97, 17, Font::Window},
    {kIdchksys, Kind::Choice, 14 + 184, 145 + 18, 163, 17, Font::Window},
    {kIdchkDestop, Kind::Choice, 14 + 184, 145 + 40, 161, 17, Font::Window},
    {kIdChkQuick, Kind::Choice, 14 + 185, 145 + 60, 161, 17, Font::Window},
};

// The room a control leaves its text at 96 dpi: a check box's or radio button's glyph (13) and the gap
// after it (3); a picture button's frame, picture (20) and gap (4); a group box's caption indent on both
// sides (8).
int textRoom(const Control& c) {
    switch (c.kind) {
    case Kind::Choice:
        return c.width - 16;
    case Kind::Button:
        return c.width - 2 - 20 - 4;
    case Kind::Box:
        return c.width - 2 * 8;
    case Kind::Label:
    case Kind::List:
        break;
    }
    return c.width;
}

HFONT tahoma(int pixels, Font font) {
    const BYTE charset = font == Font::Window ? DEFAULT_CHARSET : VIETNAMESE_CHARSET;
    return CreateFontW(-pixels, 0, 0, 0, font == Font::Banner ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                       charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, L"Tahoma");
}

int widthIn(HDC dc, HFONT font, const std::wstring& text) {
    HGDIOBJ old = SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    return extent.cx;
}

// The letters' height in pixels of the font the program gives the controls of a kind: Tahoma of 8
// points (11 pixels at 96 dpi), the banner's of 9 points bold, made for the dpi as the system turns
// points into pixels; a pixel or two lower where the captions in that font, one after another, would
// take more room than at 96 dpi scaled.
int fontPixels(HDC dc, Font font, int dpi, const std::wstring& captions) {
    const int points = font == Font::Banner ? 9 : 8;
    const int natural = MulDiv(points, dpi, 72);
    if (dpi == 96) {
        return natural;
    }
    HFONT design = tahoma(MulDiv(points, 96, 72), font);
    const int limit = MulDiv(widthIn(dc, design, captions), dpi, 96);
    DeleteObject(design);
    int pixels = natural;
    for (; pixels > natural - 2; --pixels) {
        HFONT candidate = tahoma(pixels, font);
        const int width = widthIn(dc, candidate, captions);
        DeleteObject(candidate);
        if (width <= limit) {
            break;
        }
    }
    return pixels;
}

// A caption as drawn: "&&" shows one '&', a single '&' underlines the next letter and takes no room.
std::wstring shown(const std::wstring& caption) {
    std::wstring text;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == L'&' && i + 1 < caption.size()) {
            ++i;
        }
        text += caption[i];
    }
    return text;
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

int red(std::uint32_t p) {
    return static_cast<int>((p >> 16) & 0xFF);
}
int green(std::uint32_t p) {
    return static_cast<int>((p >> 8) & 0xFF);
}
int blue(std::uint32_t p) {
    return static_cast<int>(p & 0xFF);
}

class DisplayScale : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        // Read the program's windows as they are, not mapped to this program's own dpi.
        using SetContext = HANDLE(WINAPI*)(HANDLE);
        const auto setContext = reinterpret_cast<SetContext>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetThreadDpiAwarenessContext")));
        if (setContext != nullptr) {
            setContext(reinterpret_cast<HANDLE>(-3)); // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE
        }
        files.clearLog();
    }
    RecordingFiles files;
};

TEST_P(DisplayScale, WindowAndMenuAreThe96DpiLayoutScaled) {
    const int dpi = GetParam();
    const std::wstring suffix = std::to_wstring(dpi);
    std::optional<ScreenDpi> screen;
    screen.emplace(dpi);
    ASSERT_TRUE(screen->set());
    // Quick start off, so the window shows; Telex and TCVN3 marked in the menu.
    files.seedBlock({0, 1, 1, 0, 1, 0, 1, 0, 0, 0});
    LurbProcess lurb(binFolder() + L"rec\\Lurb.exe");
    HWND form = lurb.waitForForm();
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(waitFor([&] { return IsWindowVisible(form) != FALSE; }));
    ASSERT_TRUE(handledSoFar(form));
    // Only the program's start reads the dpi: the prefix can have its own back now.
    screen.reset();

    // The outer size is the 96-dpi one scaled.
    RECT outer;
    GetWindowRect(form, &outer);
    EXPECT_NEAR(outer.right - outer.left, at(390, dpi), 1);
    EXPECT_NEAR(outer.bottom - outer.top, at(305, dpi), 1);
    RECT client;
    GetClientRect(form, &client);

    HDC screenDc = GetDC(nullptr);
    std::map<Font, std::wstring> captions;
    for (const Control& c : kControls) {
        if (HWND control = GetDlgItem(form, c.id); control != nullptr && c.kind != Kind::List) {
            captions[c.font] += shown(textOf(control));
        }
    }
    for (const Control& c : kControls) {
        SCOPED_TRACE("control " + std::to_string(c.id) + " at " + std::to_string(dpi) + " dpi");
        HWND control = GetDlgItem(form, c.id);
        ASSERT_NE(control, nullptr);
        const RECT r = clientRectOf(form, control);
        EXPECT_NEAR(r.left, at(c.left, dpi), 1);
        EXPECT_NEAR(r.top, at(c.top, dpi), 1);
        EXPECT_NEAR(r.right, at(c.left + c.width, dpi), 1);
        EXPECT_NEAR(r.bottom, at(c.top + c.height, dpi), 1);
        EXPECT_LE(r.right, client.right);
        EXPECT_LE(r.bottom, client.bottom);
        if (c.kind == Kind::List) {
            EXPECT_NEAR(SendMessageW(control, CB_GETITEMHEIGHT, 0, 0), at(13, dpi), 1);
            continue;
        }
        // The text fits the room its control leaves it, in the control's font at this dpi. Where the
        // face standing in for Tahoma here is wider than the 96-dpi layout's room already, the text may
        // overrun by as much as it does at 96 dpi, scaled, and no more.
        const std::wstring text = shown(textOf(control));
        ASSERT_FALSE(text.empty());
        const int room = r.right - r.left - MulDiv(c.width - textRoom(c), dpi, 96);
        HFONT at96 = tahoma(fontPixels(screenDc, c.font, 96, captions[c.font]), c.font);
        const int overrunAt96 = std::max(0, widthIn(screenDc, at96, text) - textRoom(c));
        DeleteObject(at96);
        HFONT font = tahoma(fontPixels(screenDc, c.font, dpi, captions[c.font]), c.font);
        EXPECT_LE(widthIn(screenDc, font, text), room + MulDiv(overrunAt96, dpi, 96))
            << "\"" << std::string(text.begin(), text.end()) << "\" is cut; at 96 dpi it overruns by "
            << overrunAt96;
        DeleteObject(font);
    }
    ReleaseDC(nullptr, screenDc);

    RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    ASSERT_TRUE(handledSoFar(form));
    const Capture window = captureScreen(outer);
    EXPECT_TRUE(saveBmp(window, artefactFolder() + L"form-" + suffix + L"dpi.bmp"));
    // The banner is drawn red across its label, and the Exit picture fills its place at the button's
    // left edge: pictures made for this dpi, not the 96-dpi ones.
    POINT origin{0, 0};
    ClientToScreen(form, &origin);
    auto strongRed = [](std::uint32_t p) { return red(p) > 200 && green(p) < 90 && blue(p) < 90; };
    auto count = [&](const Capture& shot, LONG x0, LONG y0, LONG x1, LONG y1, auto match) {
        int n = 0;
        for (LONG y = std::max(0L, y0); y < std::min<LONG>(shot.height, y1); ++y) {
            for (LONG x = std::max(0L, x0); x < std::min<LONG>(shot.width, x1); ++x) {
                n += match(shot.at(x, y)) ? 1 : 0;
            }
        }
        return n;
    };
    const LONG ox = origin.x - outer.left;
    const LONG oy = origin.y - outer.top;
    // The Exit picture: a red rounded square, 20 pixels at 96 dpi, beside the button's left edge.
    const int exitRed = count(window, ox + at(299, dpi), oy + at(14, dpi), ox + at(299 + 30, dpi),
                              oy + at(14 + 29, dpi), strongRed);
    EXPECT_GT(exitRed, at(at(100, dpi), dpi)) << "the Exit picture is not at its size for the dpi";
    // The colour the button pictures mark their see-through parts with is never drawn.
    auto keyColour = [](std::uint32_t p) { return red(p) == 255 && green(p) == 0 && blue(p) == 255; };
    EXPECT_EQ(count(window, 0, 0, window.width, window.height, keyColour), 0)
        << "the pictures' see-through colour shows";
    EXPECT_GT(
        count(window, ox + at(40, dpi), oy + at(250, dpi), ox + at(358, dpi), oy + at(264, dpi), strongRed),
        at(at(50, dpi), dpi))
        << "banner not red";

    // The tray menu: the items are 24 and 8 pixels high at 96 dpi, and the sidebar strip runs down the
    // whole menu.
    PostMessageW(form, WM_MOUSEMOVE, 1, 517);
    HWND menu = waitForPopupMenu();
    ASSERT_NE(menu, nullptr);
    RECT m;
    GetWindowRect(menu, &m);
    const int rows = 10 * at(24, dpi) + 3 * at(8, dpi);
    const int frame = (m.bottom - m.top) - rows;
    EXPECT_GE(frame, 0) << "the items' heights are not those of the dpi";
    EXPECT_LE(frame, at(8, dpi)) << "the items' heights are not those of the dpi";
    EXPECT_GE(m.right - m.left, at(160, dpi));
    Capture shot;
    const int top = frame / 2;
    // Waits for the first and the last item to be drawn: the strip's light grey at the top, its dark
    // grey at the bottom.
    auto greyIn = [](std::uint32_t p, int low, int high) {
        return red(p) == green(p) && green(p) == blue(p) && red(p) >= low && red(p) <= high;
    };
    EXPECT_TRUE(waitFor([&] {
        shot = captureScreen(m);
        return greyIn(shot.at(top, top), 225, 245) && greyIn(shot.at(top, top + rows - 1), 160, 185);
    })) << "the menu was not drawn";
    EXPECT_TRUE(saveBmp(shot, artefactFolder() + L"popup_menu-" + suffix + L"dpi.bmp"));
    // Down the strip's first column: one grey per row, never lighter than the row above, from the
    // light top of the sidebar to its dark bottom: one picture as high as the menu, not a shorter one
    // or a repeated one.
    int notGrey = 0;
    int lighter = 0;
    int previous = 255;
    for (int y = top; y < top + rows; ++y) {
        const std::uint32_t p = shot.at(top, y);
        notGrey += red(p) != green(p) || green(p) != blue(p);
        lighter += red(p) > previous;
        previous = red(p);
    }
    EXPECT_EQ(notGrey, 0);
    EXPECT_EQ(lighter, 0);
    // The Exit mark: a 16-pixel picture at 96 dpi, navy-framed, right of the strip.
    EXPECT_GE(count(shot, top + at(29, dpi), top + at(1, dpi), top + at(45, dpi), top + at(17, dpi),
                    [](std::uint32_t p) { return p == 0x000080u; }),
              at(30, dpi))
        << "the Exit mark is not at its size for the dpi";
    // The strip is as wide as the dpi makes it: right of the name, its rows are one grey across.
    int narrower = 0;
    for (int y = top; y < top + rows; ++y) {
        narrower += shot.at(top + at(28, dpi) - 2, y) != shot.at(top, y);
    }
    EXPECT_EQ(narrower, 0) << "the strip is narrower than at this dpi";

    menuKey(menu, VK_ESCAPE);
    EXPECT_TRUE(waitFor([] {
        return FindWindowA("#32768", nullptr) == nullptr || !IsWindowVisible(FindWindowA("#32768", nullptr));
    }));
    SendMessageW(form, WM_CLOSE, 0, 0);
    EXPECT_EQ(lurb.waitForExit(), 0);
}

INSTANTIATE_TEST_SUITE_P(Dpi, DisplayScale, ::testing::Values(96, 120, 144, 168, 192),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::to_string(info.param);
                         });

// Moved to a screen of another scale, the window lays itself out again for that dpi (Wine never sends
// the message: the test sends it, without the suggested rectangle, which the program must then make).
TEST(DisplayScaleChange, LayoutFollowsTheNewDpi) {
    RecordingFiles files;
    files.clearLog();
    files.seedBlock({0, 1, 1, 0, 1, 0, 1, 0, 0, 0});
    LurbProcess lurb(binFolder() + L"rec\\Lurb.exe");
    HWND form = lurb.waitForForm();
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(waitFor([&] { return IsWindowVisible(form) != FALSE; }));
    RECT before;
    GetWindowRect(form, &before);
    SendMessageW(form, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(144, 144), 0);
    RECT after;
    GetWindowRect(form, &after);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_NEAR(after.right - after.left, MulDiv(before.right - before.left, 144, 96), 1);
    EXPECT_NEAR(after.bottom - after.top, MulDiv(before.bottom - before.top, 144, 96), 1);
    for (const Control& c : kControls) {
        SCOPED_TRACE(c.id);
        const RECT r = clientRectOf(form, GetDlgItem(form, c.id));
        EXPECT_NEAR(r.left, at(c.left, 144), 1);
        EXPECT_NEAR(r.top, at(c.top, 144), 1);
        EXPECT_NEAR(r.right, at(c.left + c.width, 144), 1);
        EXPECT_NEAR(r.bottom, at(c.top + c.height, 144), 1);
    }
    RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    ASSERT_TRUE(handledSoFar(form));
    GetWindowRect(form, &after);
    EXPECT_TRUE(saveBmp(captureScreen(after), artefactFolder() + L"form-moved-to-144dpi.bmp"));
    SendMessageW(form, WM_CLOSE, 0, 0);
    EXPECT_EQ(lurb.waitForExit(), 0);
}

} // namespace
