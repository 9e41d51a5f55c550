// The tray icon at a slow log-on: the shell refuses icons while it is still starting, and the program
// adds its icon once the shell takes it.
#include "tests/wine/support/lurb_process.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <memory>
#include <vector>

namespace lurtest {
namespace {

// A window of the notification area's class, in front of the real one, where the shell sends every
// icon: it refuses them all and notes when each add came.
class RefusingShell {
public:
    RefusingShell() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = proc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"Shell_TrayWnd";
        RegisterClassW(&windowClass);
        window_ = CreateWindowExW(WS_EX_TOOLWINDOW, L"Shell_TrayWnd", L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
        SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        g_shell = this;
    }
    ~RefusingShell() {
        g_shell = nullptr;
        DestroyWindow(window_);
        UnregisterClassW(L"Shell_TrayWnd", GetModuleHandleW(nullptr));
    }
    RefusingShell(const RefusingShell&) = delete;
    RefusingShell& operator=(const RefusingShell&) = delete;

    bool inFront() const { return FindWindowW(L"Shell_TrayWnd", nullptr) == window_; }
    const std::vector<std::chrono::steady_clock::time_point>& adds() const { return adds_; }

private:
    static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_COPYDATA) {
            const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            if (g_shell != nullptr && data->dwData == NIM_ADD) {
                g_shell->adds_.push_back(std::chrono::steady_clock::now());
            }
            return FALSE;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    static inline RefusingShell* g_shell = nullptr;
    HWND window_ = nullptr;
    std::vector<std::chrono::steady_clock::time_point> adds_;
};

TEST(TrayIcon, AnIconTheShellRefusesIsAddedOnceItTakesIt) {
    const RecordingFiles files;
    Block quickStart = kDefaultBlock;
    quickStart[8] = 1; // no window: the icon is the only way to reach the program
    files.seedBlock(quickStart);
    auto shell = std::make_unique<RefusingShell>();
    ASSERT_TRUE(shell->inFront()) << "the stand-in is not where the shell's icons go";

    LurbProcess lurb(files.folder() + L"Lurb.exe");
    ASSERT_NE(lurb.waitForForm(), nullptr) << "Lurb.exe did not start";
    ASSERT_TRUE(pumpUntil([&] { return shell->adds().size() >= 4; }, 15000ms))
        << "the icon was tried " << shell->adds().size() << " times";
    const auto& adds = shell->adds();
    for (std::size_t at = 2; at < adds.size(); ++at) {
        EXPECT_GT(adds[at] - adds[at - 1], adds[at - 1] - adds[at - 2])
            << "the delay did not grow at try " << at;
    }

    shell.reset(); // the shell is ready
    EXPECT_TRUE(waitFor([&] { return trayIconPresent(lurb.form()); }, 30000ms)) << "the icon never came";
    PostMessageW(lurb.form(), WM_CLOSE, 0, 0);
    EXPECT_EQ(lurb.waitForExit(), 0);
    files.removeBlock();
}

} // namespace
} // namespace lurtest
