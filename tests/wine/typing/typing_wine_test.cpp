// The real engine end to end: Lurb.exe with the real lurcore.dll running, keys typed by xdotool into an
// edit box of this program, the box's text read back. A '.' typed last marks that every key has arrived.
#include "engine/product_names.h"
#include "lurcore/store/settings_file.h"
#include "platform/win32/window_ids.h"
#include "tests/wine/support/lurb_process.h"
#include "tests/wine/support/tray_view.h"

#include <gtest/gtest.h>
#include <commctrl.h>
#include <shlobj.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <thread>

namespace lurtest {
namespace {

constexpr int kBoxLeft = 120;
constexpr int kBoxTop = 160;

void writeUserFile(const std::string& utf8) {
    std::ofstream file(std::filesystem::path(userFile(L"lurio.ini")), std::ios::binary | std::ios::trunc);
    file << utf8;
}

std::string readUserFile(const wchar_t* name) {
    std::ifstream file(std::filesystem::path(userFile(name)), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

void storeBlock(const TSharedSettings& block) {
    const std::vector<std::uint8_t> bytes = lurcore::encodeSettings(block);
    std::ofstream file(std::filesystem::path(settingsFile()), std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The settings these tests store (quick start on) must not reach the next test program: the window
// tests of the real engine expect the window to show.
class RemoveStoredSettings : public ::testing::Environment {
public:
    void TearDown() override {
        DeleteFileW(settingsFile().c_str());
        DeleteFileW(userFile(L"lurio.ini").c_str());
        DeleteFileW(userFile(L"lurio.log").c_str());
    }
};
const ::testing::Environment* const kRemoveStoredSettings =
    ::testing::AddGlobalTestEnvironment(new RemoveStoredSettings);

// The block the engine loads at start: quick start on, so that no window takes the focus.
void storeSettings(bool telex, std::uint8_t codeTable, std::uint8_t switchKey) {
    storeBlock(
        {std::uint8_t(telex ? 0 : 1), std::uint8_t(telex ? 1 : 0), 1, 0, 1, 0, codeTable, 0, 1, switchKey});
}

// What the engine has stored, or nothing when the file is missing or damaged.
std::optional<TSharedSettings> storedBlock() {
    std::ifstream file(std::filesystem::path(settingsFile()), std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file),
                                          std::istreambuf_iterator<char>()};
    return lurcore::decodeSettings(bytes);
}

bool checked(HWND button) {
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Starts xdotool with `arguments`.
void runXdotool(const std::string& arguments) {
    ASSERT_TRUE(xdotool(arguments)) << "xdotool could not be started";
}

// "mousemove x y" over the middle of the edit box, then the rest. (Built with snprintf: GCC 12 warns
// falsely about string concatenation chains at -O2.)
std::string overTheBox(const char* format, const std::string& keys) {
    char command[512];
    std::snprintf(command, sizeof command, format, kBoxLeft + 250, kBoxTop + 30, keys.c_str());
    return command;
}

// An edit box at the same place on the screen, in a small frame or in one that fills the screen as a
// full-screen game's window does.
class EditBox {
public:
    explicit EditBox(bool fullScreen = false) {
        const int left = fullScreen ? 0 : kBoxLeft;
        const int top = fullScreen ? 0 : kBoxTop;
        const int width = fullScreen ? GetSystemMetrics(SM_CXSCREEN) : 500;
        const int height = fullScreen ? GetSystemMetrics(SM_CYSCREEN) : 60;
        frame_ = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"typing target",
                                 WS_POPUP | (fullScreen ? 0 : WS_BORDER) | WS_VISIBLE, left, top, width,
                                 height, nullptr, nullptr, nullptr, nullptr);
        edit_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, kBoxLeft + 5 - left,
                                kBoxTop + 5 - top, 490, 50, frame_, nullptr, nullptr, nullptr);
        // Clicks on the box are counted, so that keys are typed only once the click has arrived.
        SetWindowSubclass(edit_, countClicks, 0, reinterpret_cast<DWORD_PTR>(&clicks_));
        SetForegroundWindow(frame_);
        SetFocus(edit_);
        pumpUntil([this] { return GetFocus() == edit_; }, 5000ms);
    }
    ~EditBox() {
        RemoveWindowSubclass(edit_, countClicks, 0);
        DestroyWindow(frame_);
    }

    std::wstring text() const {
        wchar_t buffer[512] = {};
        GetWindowTextW(edit_, buffer, 512);
        return buffer;
    }
    void clear() { SetWindowTextW(edit_, L""); }

    // Types the keys with xdotool, then '.', and gives back the text before the '.'.
    std::wstring type(const std::string& keys) {
        clear();
        // The pointer stays over the box: without a window manager keys go to the window under it. The
        // click ends any word the engine had begun.
        const int clicksBefore = clicks_;
        runXdotool(overTheBox("mousemove %d %d click 1", ""));
        if (!pumpUntil([&] { return clicks_ > clicksBefore; }, 10000ms)) {
            return L"(the click did not arrive)";
        }
        runXdotool(overTheBox("mousemove %d %d type --delay 40 \"%s.\"", keys));
        if (!pumpUntil([this] { return !text().empty() && text().back() == L'.'; }, 15000ms)) {
            return L"(timed out) " + text();
        }
        std::wstring shown = text();
        shown.pop_back();
        return shown;
    }

    // Presses a key chord (as xdotool names it) with the pointer over the box.
    void chord(const std::string& keys) {
        clear();
        runXdotool(overTheBox("mousemove %d %d key %s type \".\"", keys));
        pumpUntil([this] { return text() == L"."; }, 10000ms);
        clear();
    }

private:
    static LRESULT CALLBACK countClicks(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR /*id*/, DWORD_PTR clicks) {
        if (message == WM_LBUTTONUP) {
            ++*reinterpret_cast<int*>(clicks);
        }
        return DefSubclassProc(window, message, wParam, lParam);
    }

    HWND frame_ = nullptr;
    HWND edit_ = nullptr;
    int clicks_ = 0;
};

std::unique_ptr<LurbProcess> startLurb(bool telex, std::uint8_t codeTable, std::uint8_t switchKey) {
    storeSettings(telex, codeTable, switchKey);
    auto lurb = std::make_unique<LurbProcess>(binFolder() + L"Lurb.exe");
    EXPECT_NE(lurb->waitForForm(), nullptr) << "Lurb.exe did not start";
    EXPECT_TRUE(waitFor([&] { return trayIconPresent(lurb->form()); })) << "no tray icon";
    // The icon is added as the form is made, the hook right after it.
    EXPECT_TRUE(handledSoFar(lurb->form())) << "the program does not answer";
    return lurb;
}

// "tiếng việt" as each code table puts it into a Unicode edit box: byte b as U+00b.
const wchar_t* const kTiengViet[] = {
    L"ti\u1EBFng vi\u1EC7t",   // Unicode
    L"ti\u00D5ng vi\u00D6t",   // TCVN3: ế D5, ệ D6
    L"tie\u00E1ng vie\u00E4t", // VNI Windows: e E1, e E4
};

struct Method {
    bool telex;
    const char* keys;
};

class TypingInEachTable : public ::testing::TestWithParam<int> {};

TEST_P(TypingInEachTable, TelexAndVni) {
    const int table = GetParam();
    for (const Method method : {Method{true, "tieengs vieetj"}, Method{false, "tie61ng vie65t"}}) {
        auto lurb = startLurb(method.telex, static_cast<std::uint8_t>(table), 0);
        EditBox box;
        EXPECT_EQ(box.type(method.keys), kTiengViet[table])
            << (method.telex ? "Telex" : "VNI") << " table " << table;
    }
}

INSTANTIATE_TEST_SUITE_P(Tables, TypingInEachTable, ::testing::Values(0, 1, 2));

TEST(TypingSwitch, TrayClickToEnglishPassesKeysUnchanged) {
    auto lurb = startLurb(true, 0, 0);
    EditBox box;
    EXPECT_EQ(box.type("tieengs vieetj"), kTiengViet[0]);
    // Left button up on the icon, as the shell reports it; sent, so it has been handled on return.
    SendMessageW(lurb->form(), WM_MOUSEMOVE, 1, 514);
    EXPECT_EQ(box.type("tieengs vieetj"), L"tieengs vieetj");
    SendMessageW(lurb->form(), WM_MOUSEMOVE, 1, 514);
    EXPECT_EQ(box.type("tieengs vieetj"), kTiengViet[0]);
}

TEST(TypingSwitch, AltZToggles) {
    auto lurb = startLurb(true, 0, 0);
    EditBox box;
    box.chord("alt+z");
    EXPECT_EQ(box.type("tieengs vieetj"), L"tieengs vieetj");
    box.chord("alt+z");
    EXPECT_EQ(box.type("tieengs vieetj"), kTiengViet[0]);
}

TEST(TypingSwitch, ShiftCtrlToggles) {
    auto lurb = startLurb(false, 0, 1);
    EditBox box;
    box.chord("shift+ctrl");
    EXPECT_EQ(box.type("tie61ng vie65t"), L"tie61ng vie65t");
    box.chord("shift+ctrl");
    EXPECT_EQ(box.type("tie61ng vie65t"), kTiengViet[0]);
}

// Ctrl+Shift held over the mouse wheel (or a click) is for that, and switches nothing when it comes up.
// (The wheel, because Wine's edit box is left selecting after a Ctrl+Shift+click from xdotool.)
TEST(TypingSwitch, ShiftCtrlHeldOverTheWheelSwitchesNothing) {
    auto lurb = startLurb(false, 0, 1);
    EditBox box;
    EXPECT_EQ(box.type("vie65t"), L"vi\u1EC7t");
    box.chord("shift+ctrl");
    EXPECT_EQ(box.type("vie65t"), L"vie65t") << "alone the chord switches";
    box.chord("shift+ctrl");
    box.clear();
    // xdotool cannot be waited for: the '.' typed after the chord says that it is over.
    runXdotool(overTheBox(
        "mousemove %d %d keydown ctrl keydown shift click 4 keyup shift keyup ctrl type \".\"", ""));
    EXPECT_TRUE(pumpUntil([&] { return box.text() == L"."; }, 10000ms));
    EXPECT_EQ(box.type("tie61ng vie65t"), kTiengViet[0]);
    EXPECT_EQ(trayTooltip(), L"Tieng Viet");
}

std::vector<std::uint32_t> trayPixels() {
    RECT area{};
    GetWindowRect(trayWindow(), &area);
    return captureScreen(area).pixels;
}

// The switch key in another window switches typing inside the engine; the icon's picture and tooltip
// follow at once, and a left click then goes from what they show.
void switchKeyChangesTheIcon(std::uint8_t switchKey, const std::string& chord, bool telex, const char* keys,
                             const std::wstring& english) {
    auto lurb = startLurb(telex, 0, switchKey);
    ASSERT_NE(trayWindow(), nullptr) << "no notification area window";
    EXPECT_EQ(trayTooltip(), L"VietNamese");
    const auto vietnamese = trayPixels();
    EditBox box;

    box.chord(chord);
    EXPECT_TRUE(waitFor([] { return trayTooltip() == L"Tieng Anh"; }))
        << "tooltip: " << trayTooltip().c_str();
    std::vector<std::uint32_t> shown;
    EXPECT_TRUE(waitFor([&] { return (shown = trayPixels()) != vietnamese; })) << "the icon did not change";
    EXPECT_EQ(box.type(keys), english);

    box.chord(chord);
    EXPECT_TRUE(waitFor([] { return trayTooltip() == L"Tieng Viet"; }))
        << "tooltip: " << trayTooltip().c_str();
    EXPECT_TRUE(waitFor([&] { return trayPixels() == vietnamese; })) << "the Vietnamese icon did not return";
    EXPECT_EQ(box.type(keys), kTiengViet[0]);

    // Switched off by the key, then a left click on the icon that shows English: Vietnamese again.
    box.chord(chord);
    EXPECT_TRUE(waitFor([] { return trayTooltip() == L"Tieng Anh"; }));
    PostMessageW(lurb->form(), WM_MOUSEMOVE, 1, 514);
    EXPECT_TRUE(waitFor([] { return trayTooltip() == L"Tieng Viet"; }));
    EXPECT_EQ(box.type(keys), kTiengViet[0]);
}

TEST(TypingSwitch, AltZChangesTheTrayIcon) {
    switchKeyChangesTheIcon(0, "alt+z", true, "tieengs vieetj", L"tieengs vieetj");
}

TEST(TypingSwitch, ShiftCtrlChangesTheTrayIcon) {
    switchKeyChangesTheIcon(1, "shift+ctrl", false, "tie61ng vie65t", L"tie61ng vie65t");
}

// A named event the test owns; closed at the end.
class Event {
public:
    explicit Event(const wchar_t* name) : handle_(CreateEventW(nullptr, TRUE, FALSE, name)) {}
    ~Event() { CloseHandle(handle_); }
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;
    bool set() const { return WaitForSingleObject(handle_, 0) == WAIT_OBJECT_0; }
    HANDLE handle() const { return handle_; }

private:
    HANDLE handle_;
};

// While the program's thread is held up for 3 s (as by a slow disk), keys typed meanwhile still compose,
// and they arrive while it is still held: the hook does not wait for the program. Then the engine's
// thread is held in turn.
TEST(TypingWhileBusy, KeysComposeWhileTheProgramsThreadIsHeld) {
    auto lurb = startLurb(true, 0, 0);
    EditBox box;
    ASSERT_EQ(box.type("vieetj"), L"vi\u1EC7t");

    const Event started(L"LurbTest.Busy.Start");
    const Event ended(L"LurbTest.Busy.End");
    const HMODULE busyDll = LoadLibraryW((binFolder() + L"lurtest_busy.dll").c_str());
    ASSERT_NE(busyDll, nullptr);
    const auto busyProc =
        reinterpret_cast<HOOKPROC>(reinterpret_cast<void (*)()>(GetProcAddress(busyDll, "busyMessageProc")));
    ASSERT_NE(busyProc, nullptr);
    const DWORD lurbThread = GetWindowThreadProcessId(lurb->form(), nullptr);
    const HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, busyProc, busyDll, lurbThread);
    ASSERT_NE(hook, nullptr);
    PostMessageW(lurb->form(), RegisterWindowMessageA("LurbTest.Busy"), 3000, 0);
    ASSERT_TRUE(pumpUntil([&] { return started.set(); }, 5000ms)) << "the program's thread was not held";

    EXPECT_EQ(box.type("tieengs vieetj"), kTiengViet[0]);
    EXPECT_FALSE(ended.set()) << "the keys waited for the program's thread";
    EXPECT_TRUE(pumpUntil([&] { return ended.set(); }, 10000ms));
    UnhookWindowsHookEx(hook);
    // A capital takes Shift from the keyboard's state as the hook samples it.
    EXPECT_EQ(box.type("Vieetj"), L"Vi\u1EC7t") << "typing goes on after the program's thread is free";

    // Then the engine's own thread, held for 1 s (its hidden window for the system's notices is on it):
    // keys typed meanwhile wait for it and are composed, none lost, none left down.
    HWND engineWindow = nullptr;
    while ((engineWindow = FindWindowExW(nullptr, engineWindow, L"LurcoreSessionWatch", nullptr)) !=
           nullptr) {
        DWORD process = 0;
        GetWindowThreadProcessId(engineWindow, &process);
        if (process == lurb->id()) {
            break;
        }
    }
    ASSERT_NE(engineWindow, nullptr) << "the engine's thread has no window";
    const DWORD engineThread = GetWindowThreadProcessId(engineWindow, nullptr);
    const HHOOK engineHook = SetWindowsHookExW(WH_GETMESSAGE, busyProc, busyDll, engineThread);
    ASSERT_NE(engineHook, nullptr);
    ResetEvent(started.handle());
    ResetEvent(ended.handle());
    PostThreadMessageW(engineThread, RegisterWindowMessageA("LurbTest.Busy"), 1000, 0);
    ASSERT_TRUE(pumpUntil([&] { return started.set(); }, 5000ms)) << "the engine's thread was not held";
    EXPECT_EQ(box.type("tieengs vieetj"), kTiengViet[0]) << "keys typed while the engine's thread was held";
    EXPECT_TRUE(ended.set());
    UnhookWindowsHookEx(engineHook);
    FreeLibrary(busyDll);
    // The last releases may still be on their way through the hook, which has the held second's keys to
    // catch up on: every key comes up within the deadline, or one was left down.
    const auto keyDown = [] {
        for (int key = 1; key < 256; ++key) {
            if (GetAsyncKeyState(key) < 0) {
                return key;
            }
        }
        return 0;
    };
    EXPECT_TRUE(pumpUntil([&] { return keyDown() == 0; }, 5000ms)) << "key " << keyDown() << " left down";
}

// "Việt Nam " as each code table puts it into a Unicode edit box.
const wchar_t* const kVietNam[] = {
    L"Vi\u1EC7t Nam ",  // Unicode
    L"Vi\u00D6t Nam ",  // TCVN3: ệ D6
    L"Vie\u00E4t Nam ", // VNI Windows: e E4
};

TEST(UserFile, AnAbbreviationExpandsInEachTable) {
    writeUserFile("[abbreviations]\nvn = Vi\xE1\xBB\x87t Nam\n");
    for (int table = 0; table < 3; ++table) {
        auto lurb = startLurb(true, static_cast<std::uint8_t>(table), 0);
        EditBox box;
        EXPECT_EQ(box.type("vn "), kVietNam[table]) << "table " << table;
        // The '.' that marks the end ends the word too: the abbreviation comes before it.
        const std::wstring tieng =
            std::wstring(kTiengViet[table]).substr(0, std::wstring(kTiengViet[table]).find(L' '));
        std::wstring vietNam = kVietNam[table];
        vietNam.pop_back();
        EXPECT_EQ(box.type("tieengs vn"), tieng + L" " + vietNam) << "table " << table;
    }
}

TEST(UserFile, ModernStyleGivesHoa) {
    writeUserFile("[typing]\ntone_style = modern\n");
    auto lurb = startLurb(true, 0, 0);
    EditBox box;
    EXPECT_EQ(box.type("hoaf thuyr"), L"ho\u00E0 thu\u1EF7");
}

TEST(UserFile, AnEnglishOnlyProgramGetsKeysUnchanged) {
    writeUserFile("[english_only]\nTYPING_WINE_TESTS.EXE\n");
    auto lurb = startLurb(true, 0, 0);
    EditBox box;
    EXPECT_EQ(box.type("tieengs vieetj"), L"tieengs vieetj");
    EXPECT_TRUE(waitFor([] { return trayTooltip() == L"Tieng Anh"; }))
        << "tooltip: " << trayTooltip().c_str();
    box.chord("alt+z");
    EXPECT_EQ(box.type("tieengs vieetj"), L"tieengs vieetj") << "the switch key does not turn it on there";
}

// With fullscreen = english a window that fills the screen gets its keys unchanged and the icon shows
// English; a smaller window types Vietnamese again after it.
TEST(UserFile, FullScreenEnglishLeavesAFullScreenWindowItsKeys) {
    writeUserFile("[typing]\nfullscreen = english\n");
    auto lurb = startLurb(true, 0, 0);
    {
        EditBox box;
        EXPECT_EQ(box.type("vieetj"), L"vi\u1EC7t");
    }
    {
        EditBox game(true);
        EXPECT_EQ(game.type("vieetj wasd"), L"vieetj wasd");
        EXPECT_TRUE(waitFor([] { return trayTooltip() == L"Tieng Anh"; }))
            << "tooltip: " << trayTooltip().c_str();
    }
    EditBox box;
    EXPECT_EQ(box.type("vieetj"), L"vi\u1EC7t");
    EXPECT_TRUE(waitFor([] { return trayTooltip() == L"Tieng Viet"; }))
        << "tooltip: " << trayTooltip().c_str();
}

// By default (keep) a full-screen window types as any other.
TEST(UserFile, FullScreenKeepChangesNothing) {
    auto lurb = startLurb(true, 0, 0);
    EditBox game(true);
    EXPECT_EQ(game.type("vieetj"), L"vi\u1EC7t");
}

TEST(UserFile, EditingTheFileTakesEffectWithoutARestart) {
    auto lurb = startLurb(true, 0, 0);
    // The engine makes the file with the defaults at its start.
    ASSERT_TRUE(waitFor([] {
        return readUserFile(L"lurio.ini").find("tone_style = classic") != std::string::npos;
    })) << "lurio.ini was not made";
    EXPECT_TRUE(
        waitFor([] { return readUserFile(L"lurio.log").find("read, no problems") != std::string::npos; }));
    EditBox box;
    EXPECT_EQ(box.type("hoaf"), L"h\u00F2a");
    writeUserFile(
        "[typing]\ntone_style = modern\nquick_telex = maybe\n[abbreviations]\nvn = Vi\xE1\xBB\x87t Nam\n");
    ASSERT_TRUE(waitFor([] {
        return readUserFile(L"lurio.log").find("line 3: quick_telex") != std::string::npos;
    })) << readUserFile(L"lurio.log");
    EXPECT_EQ(box.type("hoaf vn "), L"ho\u00E0 Vi\u1EC7t Nam ");
    EXPECT_NE(readUserFile(L"lurio.ini").find("maybe"), std::string::npos)
        << "the user's file is not written";
}

// A second program with an edit box of its own: Wine's Notepad, moved to a known place.
class Notepad {
public:
    Notepad() {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring command = L"notepad.exe";
        if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                           &info_)) {
            // The main window can be found while it is still being made, before its edit box exists.
            waitFor(
                [this] {
                    window_ = findWindow();
                    edit_ = window_ != nullptr ? FindWindowExW(window_, nullptr, L"Edit", nullptr) : nullptr;
                    return edit_ != nullptr;
                },
                15000ms);
        }
        if (edit_ != nullptr) {
            SetWindowPos(window_, HWND_TOPMOST, 100, 300, 500, 200, SWP_SHOWWINDOW);
        }
    }
    ~Notepad() {
        if (info_.hProcess != nullptr) {
            TerminateProcess(info_.hProcess, 0);
            WaitForSingleObject(info_.hProcess, 5000);
            CloseHandle(info_.hProcess);
            CloseHandle(info_.hThread);
        }
    }
    bool ready() const { return edit_ != nullptr; }

    // Clicks into it, which brings it to the front, and types.
    std::wstring type(const std::string& keys) {
        SendMessageW(edit_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
        RECT box{};
        GetWindowRect(edit_, &box);
        char command[512];
        std::snprintf(command, sizeof command, "mousemove %ld %ld click 1", (box.left + box.right) / 2,
                      (box.top + box.bottom) / 2);
        runXdotool(command);
        if (!waitFor([this] { return GetForegroundWindow() == window_; }, 10000ms)) {
            return L"(Notepad did not come to the front)";
        }
        std::snprintf(command, sizeof command, "mousemove %ld %ld type --delay 40 \"%s.\"",
                      (box.left + box.right) / 2, (box.top + box.bottom) / 2, keys.c_str());
        runXdotool(command);
        std::wstring shown;
        const bool arrived = waitFor(
            [&] {
                wchar_t text[512] = {};
                SendMessageW(edit_, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
                shown = text;
                return !shown.empty() && shown.back() == L'.';
            },
            15000ms);
        if (!arrived) {
            return L"(timed out) " + shown;
        }
        shown.pop_back();
        return shown;
    }

private:
    HWND findWindow() const {
        HWND found = nullptr;
        while ((found = FindWindowExW(nullptr, found, L"Notepad", nullptr)) != nullptr) {
            DWORD process = 0;
            GetWindowThreadProcessId(found, &process);
            if (process == info_.dwProcessId) {
                return found;
            }
        }
        return nullptr;
    }

    PROCESS_INFORMATION info_{};
    HWND window_ = nullptr;
    HWND edit_ = nullptr;
};

TEST(UserFile, EachProgramKeepsItsModeAndTheTrayFollows) {
    writeUserFile("[typing]\nper_app_mode = on\n");
    auto lurb = startLurb(true, 0, 0);
    Notepad notepad;
    ASSERT_TRUE(notepad.ready()) << "Notepad did not start";
    EXPECT_EQ(notepad.type("vieetj"), L"vi\u1EC7t");
    EditBox box;
    EXPECT_EQ(box.type("vieetj"), L"vi\u1EC7t");
    box.chord("alt+z"); // English in this program only
    EXPECT_TRUE(waitFor([] { return trayTooltip() == L"Tieng Anh"; }))
        << "tooltip: " << trayTooltip().c_str();
    EXPECT_EQ(box.type("vieetj"), L"vieetj");

    EXPECT_EQ(notepad.type("vieetj"), L"vi\u1EC7t") << "Notepad kept Vietnamese";
    EXPECT_TRUE(waitFor([] { return trayTooltip() == L"Tieng Viet"; }))
        << "tooltip: " << trayTooltip().c_str();

    EXPECT_EQ(box.type("vieetj"), L"vieetj") << "the test program kept English";
    EXPECT_TRUE(waitFor([] { return trayTooltip() == L"Tieng Anh"; }))
        << "tooltip: " << trayTooltip().c_str();
}

// "tiếng" with the tone key right after the vowel, then with it after the final consonant: free
// placement takes both, the rule "right after the vowel" only the first.
constexpr const char* kToneKeys = "tieesng tieengs";
constexpr const wchar_t* kFreePlacement = L"ti\u1EBFng ti\u1EBFng";
constexpr const wchar_t* kAfterVowel = L"ti\u1EBFng ti\u00EAngs";

// The window shown at start, as a user starts the program without quick start.
std::unique_ptr<LurbProcess> startWithWindow() {
    auto lurb = std::make_unique<LurbProcess>(binFolder() + L"Lurb.exe");
    EXPECT_NE(lurb->waitForForm(), nullptr) << "Lurb.exe did not start";
    EXPECT_TRUE(waitFor([&] { return IsWindowVisible(lurb->form()) != FALSE; })) << "no window";
    EXPECT_TRUE(handledSoFar(lurb->form())) << "the program does not answer";
    return lurb;
}

TEST(ToneRule, AfterVowelChosenInTheWindowHoldsAfterARestart) {
    using namespace lurwin;
    // Telex, free placement as stored by default, quick start off; no spelling check, which would
    // give back the keys of a word that the rule left without its tone.
    storeBlock({0, 1, 0, 0, 1, 0, 0, 0, 0, 0});
    {
        auto lurb = startWithWindow();
        ASSERT_TRUE(checked(lurb->control(kIdMFree)));
        ASSERT_FALSE(checked(lurb->control(kIdMOWEL)));
        {
            EditBox box;
            EXPECT_EQ(box.type(kToneKeys), kFreePlacement) << "free placement before the choice";
        }
        // The user ticks "right after the vowel", unticks "free" and presses TaskBar.
        SendMessageW(lurb->control(kIdMOWEL), BM_CLICK, 0, 0);
        SendMessageW(lurb->control(kIdMFree), BM_CLICK, 0, 0);
        SendMessageW(lurb->control(kIdTaskbar), BM_CLICK, 0, 0);
        EXPECT_TRUE(waitFor([&] { return !IsWindowVisible(lurb->form()); }));
        const std::optional<TSharedSettings> stored = storedBlock();
        ASSERT_TRUE(stored.has_value());
        EXPECT_EQ(stored->ToneAfterVowel, 1);
        EXPECT_EQ(stored->FreeTone, 0);
        PostMessageW(lurb->form(), WM_CLOSE, 0, 0);
        ASSERT_EQ(lurb->waitForExit(), 0);
    }

    auto lurb = startWithWindow();
    EXPECT_TRUE(checked(lurb->control(kIdMOWEL)));
    EXPECT_FALSE(checked(lurb->control(kIdMFree)));
    EditBox box;
    EXPECT_EQ(box.type(kToneKeys), kAfterVowel) << "the engine did not get the rule back";
    const std::optional<TSharedSettings> stored = storedBlock();
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->ToneAfterVowel, 1) << "the start stored over the choice";
    EXPECT_EQ(stored->FreeTone, 0);
}

} // namespace
} // namespace lurtest
