// The engine through the life of a session: its hooks taken away behind its back and put back at the
// system's notices, its thread held up while keys are typed, its threads ended and the module unloaded.
// The engine (the test build) runs inside this program; keys are typed by xdotool into an edit box of
// this program, whose text is read back.
#include "engine/product_names.h"
#include "lurcore/store/settings_file.h"
#include "lurcore/win32/session_watch.h"
#include "tests/wine/support/lurb_process.h"

#include <gtest/gtest.h>
#include <commctrl.h>
#include <shlobj.h>
#include <wtsapi32.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace lurtest {
namespace {

constexpr int kBoxLeft = 120;
constexpr int kBoxTop = 160;

// Telex, Unicode, the spelling check on: what the engine reads at its start.
class StoredSettings : public ::testing::Environment {
public:
    void SetUp() override {
        const std::vector<std::uint8_t> bytes = lurcore::encodeSettings({0, 1, 1, 0, 1, 0, 0, 0, 1, 0});
        std::ofstream file(std::filesystem::path(settingsFile()), std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    void TearDown() override {
        DeleteFileW(settingsFile().c_str());
        DeleteFileW(userFile(L"lurio.ini").c_str());
        DeleteFileW(userFile(L"lurio.log").c_str());
    }
};
const ::testing::Environment* const kStoredSettings = ::testing::AddGlobalTestEnvironment(new StoredSettings);

std::wstring engineFile() {
    return binFolder() + L"probe\\lurcore.dll";
}

// The test build of the engine, loaded into this program.
class Engine {
public:
    Engine() : module_(LoadLibraryW(engineFile().c_str())) {
        start_ = function("StartKeyBoardHook");
        stop_ = function("StopKeyBoardHook");
        drop_ = function("TestDropHooks");
        setInputMethod_ = reinterpret_cast<void(__stdcall*)(std::uint8_t)>(function("SetKMode"));
        setCodeTable_ = reinterpret_cast<void(__stdcall*)(std::uint8_t)>(function("SetCSet"));
    }
    ~Engine() { unload(); }
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    bool loaded() const { return start_ != nullptr && stop_ != nullptr && drop_ != nullptr; }
    // As the program starts typing: the hook, then Telex.
    void start() const {
        start_();
        setInputMethod_(1);
    }
    void stop() const { stop_(); }
    void dropHooks() const { drop_(); }
    void setCodeTable(std::uint8_t table) const { setCodeTable_(table); }
    void unload() {
        if (module_ != nullptr) {
            FreeLibrary(module_);
            module_ = nullptr;
        }
    }

private:
    using Function = void(__stdcall*)();
    Function function(const char* name) const {
        return module_ == nullptr
                   ? nullptr
                   : reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module_, name)));
    }

    HMODULE module_;
    Function start_ = nullptr;
    Function stop_ = nullptr;
    Function drop_ = nullptr;
    void(__stdcall* setInputMethod_)(std::uint8_t) = nullptr;
    void(__stdcall* setCodeTable_)(std::uint8_t) = nullptr;
};

// The engine's window for the system's notices, in this process; null when there is none.
HWND sessionWindow() {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, lurcore::kSessionWatchClass, nullptr)) != nullptr) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == GetCurrentProcessId()) {
            return window;
        }
    }
    return nullptr;
}

// An edit box that counts the presses and releases it is given, by virtual key.
class EditBox {
public:
    EditBox() {
        frame_ =
            CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"typing target", WS_POPUP | WS_BORDER | WS_VISIBLE,
                            kBoxLeft, kBoxTop, 500, 60, nullptr, nullptr, nullptr, nullptr);
        edit_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 5, 5, 490, 50,
                                frame_, nullptr, nullptr, nullptr);
        SetWindowSubclass(edit_, countKeys, 0, reinterpret_cast<DWORD_PTR>(this));
        SetForegroundWindow(frame_);
        SetFocus(edit_);
        pumpUntil([this] { return GetFocus() == edit_; }, 5000ms);
    }
    ~EditBox() {
        RemoveWindowSubclass(edit_, countKeys, 0);
        DestroyWindow(frame_);
    }

    std::wstring text() const {
        wchar_t buffer[512] = {};
        GetWindowTextW(edit_, buffer, 512);
        return buffer;
    }

    // Types the keys with xdotool, then '.', and gives back the text before the '.'. A click first
    // ends any word the engine had begun.
    std::wstring type(const std::string& keys) {
        SetWindowTextW(edit_, L"");
        const int clicksBefore = clicks_;
        char command[512];
        std::snprintf(command, sizeof command, "mousemove %d %d click 1", kBoxLeft + 250, kBoxTop + 30);
        if (!xdotool(command) || !pumpUntil([&] { return clicks_ > clicksBefore; }, 10000ms)) {
            return L"(the click did not arrive)";
        }
        std::snprintf(command, sizeof command, "mousemove %d %d type --delay 40 \"%s.\"", kBoxLeft + 250,
                      kBoxTop + 30, keys.c_str());
        if (!xdotool(command) ||
            !pumpUntil([this] { return !text().empty() && text().back() == L'.'; }, 20000ms)) {
            return L"(timed out) " + text();
        }
        std::wstring shown = text();
        shown.pop_back();
        return shown;
    }

    // Keys the box saw go down more often than up (Unicode characters aside), once the releases on
    // their way have come.
    std::string keysLeftDown() const {
        pumpUntil([this] { return presses_ == releases_; }, 3000ms);
        std::string left;
        for (std::size_t key = 0; key < presses_.size(); ++key) {
            if (key != VK_PACKET && presses_[key] != releases_[key]) {
                left += std::to_string(key) + " (" + std::to_string(presses_[key]) + " down, " +
                        std::to_string(releases_[key]) + " up) ";
            }
        }
        return left;
    }

private:
    static LRESULT CALLBACK countKeys(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR /*id*/, DWORD_PTR self) {
        auto* box = reinterpret_cast<EditBox*>(self);
        if (message == WM_LBUTTONUP) {
            ++box->clicks_;
        } else if ((message == WM_KEYDOWN || message == WM_SYSKEYDOWN) && (lParam & (1 << 30)) == 0) {
            ++box->presses_[wParam & 0xFF];
        } else if (message == WM_KEYUP || message == WM_SYSKEYUP) {
            ++box->releases_[wParam & 0xFF];
        }
        return DefSubclassProc(window, message, wParam, lParam);
    }

    HWND frame_ = nullptr;
    HWND edit_ = nullptr;
    int clicks_ = 0;
    std::array<int, 256> presses_{};
    std::array<int, 256> releases_{};
};

std::string keysDownNow() {
    std::string down;
    for (int key = 1; key < 256; ++key) {
        if (GetAsyncKeyState(key) < 0) {
            down += std::to_string(key) + " ";
        }
    }
    return down;
}

const std::wstring kViet = L"vi\u1EC7t";

struct Notice {
    const char* name;
    UINT message;
    WPARAM wParam;
};

// Each notice after which the system may have left the engine without its hooks brings them back, and
// typing goes on in the mode it was in.
TEST(Session, EachNoticePutsTheHooksBack) {
    Engine engine;
    ASSERT_TRUE(engine.loaded());
    engine.start();
    EditBox box;
    ASSERT_EQ(box.type("vieetj"), kViet);
    const HWND window = sessionWindow();
    ASSERT_NE(window, nullptr) << "the engine has no window for the system's notices";
    for (const Notice notice : {Notice{"unlock", WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK},
                                Notice{"reconnect", WM_WTSSESSION_CHANGE, WTS_REMOTE_CONNECT},
                                Notice{"console connect", WM_WTSSESSION_CHANGE, WTS_CONSOLE_CONNECT},
                                Notice{"resume", WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC},
                                Notice{"display change", WM_DISPLAYCHANGE, 32}}) {
        engine.dropHooks();
        EXPECT_EQ(box.type("vieetj"), L"vieetj") << "the hooks were not gone before the " << notice.name;
        SendMessageW(window, notice.message, notice.wParam, 0);
        EXPECT_EQ(box.type("vieetj"), kViet) << "after the " << notice.name;
    }
    // A notice with the hooks in changes nothing, and one while typing is stopped starts nothing.
    SendMessageW(window, WM_DISPLAYCHANGE, 32, 0);
    EXPECT_EQ(box.type("tieengs vieetj"), L"ti\u1EBFng vi\u1EC7t");
    engine.stop();
    const HWND stopped = sessionWindow();
    if (stopped != nullptr) {
        SendMessageW(stopped, WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 0);
    }
    EXPECT_EQ(box.type("vieetj"), L"vieetj");
    EXPECT_EQ(box.keysLeftDown(), "");
    EXPECT_EQ(keysDownNow(), "");
}

// Holds the engine's thread: a message hook set into that thread from this program answers the
// registered message by sleeping for wParam milliseconds.
LRESULT CALLBACK holdThread(int code, WPARAM removed, LPARAM data) {
    static const UINT hold = RegisterWindowMessageW(L"LurbTest.Hold");
    const auto* message = reinterpret_cast<const MSG*>(data);
    if (code == HC_ACTION && removed == PM_REMOVE && message->message == hold) {
        Sleep(static_cast<DWORD>(message->wParam));
    }
    return CallNextHookEx(nullptr, code, removed, data);
}

// Keys typed while the engine's thread is held up wait for it and are then composed, none lost and
// none left down; the program's own thread is free meanwhile (its box takes the text).
TEST(Session, KeysTypedWhileTheEnginesThreadIsHeldAreNeitherLostNorLeftDown) {
    Engine engine;
    ASSERT_TRUE(engine.loaded());
    engine.start();
    EditBox box;
    ASSERT_EQ(box.type("vieetj"), kViet);
    const DWORD engineThread = GetWindowThreadProcessId(sessionWindow(), nullptr);
    ASSERT_NE(engineThread, 0u);
    const HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, holdThread, nullptr, engineThread);
    ASSERT_NE(hook, nullptr);
    for (const DWORD heldMs : {200u, 1000u}) {
        const auto start = std::chrono::steady_clock::now();
        PostThreadMessageW(engineThread, RegisterWindowMessageW(L"LurbTest.Hold"), heldMs, 0);
        EXPECT_EQ(box.type("tieengs vieetj"), L"ti\u1EBFng vi\u1EC7t") << "held " << heldMs << " ms";
        EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(heldMs));
    }
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(box.type("Vieetj"), L"Vi\u1EC7t");
    EXPECT_EQ(box.keysLeftDown(), "");
    EXPECT_EQ(keysDownNow(), "");
}

// Stopped, watching no program and with no converter's key to answer, the engine ends its threads: they hold
// the module while they run, so unloading it waits for nobody, and afterwards neither its threads nor its
// window nor its hooks remain. Started again, a new thread takes the choices made meanwhile, and the user's
// file from its first key on.
TEST(Session, TheEnginesThreadsEndWithTheLastStopAndTheModuleUnloads) {
    std::ofstream(std::filesystem::path(userFile(L"lurio.ini")), std::ios::binary)
        << "[typing]\ntone_style = modern\n[converter]\nhotkey = off\n"; // no key keeps a thread

    EditBox box;
    {
        Engine engine;
        ASSERT_TRUE(engine.loaded());
        engine.start();
        EXPECT_EQ(box.type("vieetj"), kViet);
        engine.stop();
        EXPECT_TRUE(waitFor([] { return sessionWindow() == nullptr; })) << "the engine's thread did not end";
        engine.setCodeTable(1); // TCVN3, while no thread runs
        engine.start();
        EXPECT_EQ(box.type("hoaf vieetj"), L"ho\u00B5 vi\u00D6t") << "the choices made before were lost";
        engine.stop();
        engine.unload();
    }
    // Each thread holds the module while it runs: unloaded, it has no thread left.
    EXPECT_TRUE(waitFor([] { return GetModuleHandleW(engineFile().c_str()) == nullptr; }))
        << "the module stayed loaded";
    EXPECT_EQ(sessionWindow(), nullptr);
    EXPECT_EQ(box.type("vieetj"), L"vieetj") << "keys after the unload";

    // Loaded anew, it starts anew.
    Engine again;
    ASSERT_TRUE(again.loaded());
    again.start();
    EXPECT_EQ(box.type("vieetj"), kViet) << "loaded a second time";
    again.stop();
    EXPECT_EQ(box.keysLeftDown(), "");
}

} // namespace
} // namespace lurtest
