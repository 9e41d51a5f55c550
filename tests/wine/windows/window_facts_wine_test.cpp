// The engine's questions about the window in front, asked of Wine: the keyboard of a US-layout window
// and of a window whose thread does not answer, and the name and rights of another program's window.
#include "lurcore/config/window_rules.h"
#include "lurcore/win32/foreground_process.h"
#include "tests/wine/support/lurb_process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace lurtest {
namespace {

using Clock = std::chrono::steady_clock;

// A window on a thread of its own that stops answering messages until released.
class BusyWindow {
public:
    BusyWindow()
        : made_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
          release_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
        thread_ = std::thread([this] {
            window_ = CreateWindowExW(0, L"STATIC", L"busy window", WS_POPUP | WS_VISIBLE, 10, 10, 100, 40,
                                      nullptr, nullptr, nullptr, nullptr);
            SetEvent(made_);
            WaitForSingleObject(release_, 60000); // no messages handled meanwhile
            DestroyWindow(window_);
        });
        WaitForSingleObject(made_, 10000);
    }
    ~BusyWindow() {
        SetEvent(release_);
        thread_.join();
        CloseHandle(made_);
        CloseHandle(release_);
    }
    HWND window() const { return window_; }

private:
    HANDLE made_;
    HANDLE release_;
    HWND window_ = nullptr;
    std::thread thread_;
};

TEST(KeyboardQuery, AUsLayoutWindowComposesAndABusyWindowDoesNotHoldTheQuery) {
    HWND own = CreateWindowExW(0, L"EDIT", L"", WS_POPUP | WS_VISIBLE, 200, 200, 200, 40, nullptr, nullptr,
                               nullptr, nullptr);
    ASSERT_NE(own, nullptr);
    lurcore::ForegroundWindow foreground;
    const lurcore::config::KeyboardFacts facts = foreground.keyboard(own);
    EXPECT_EQ(facts.layout & 0xFFFF, 0x0409u);
    for (std::size_t index = 0; index < facts.letters.size(); ++index) {
        EXPECT_EQ(facts.letters[index], static_cast<char16_t>(u'A' + index)) << index;
    }
    EXPECT_TRUE(lurcore::config::keyboardComposes(facts));
    // The input method's answer from a window that handles its messages, and none from one that does
    // not: either way at once, not after the busy thread is done.
    EXPECT_NE(lurcore::inputMethodOpenIn(own), std::optional<bool>(true));
    BusyWindow busy;
    ASSERT_NE(busy.window(), nullptr);
    const auto start = Clock::now();
    const std::optional<bool> open = lurcore::inputMethodOpenIn(busy.window());
    const auto keyboard = foreground.keyboard(busy.window());
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
    std::printf("input-method query and keyboard of a busy window: %lld ms, answer %s\n",
                static_cast<long long>(took.count()), open ? (*open ? "open" : "closed") : "none");
    EXPECT_LT(took.count(), 1000);
    EXPECT_TRUE(lurcore::config::keyboardComposes(keyboard));
    DestroyWindow(own);
}

TEST(ForegroundFacts, AnotherProgramIsFoundByNameWithTheSameRights) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::wstring command = L"notepad.exe";
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &info));
    HWND notepad = nullptr;
    EXPECT_TRUE(waitFor(
        [&] {
            notepad = nullptr;
            while ((notepad = FindWindowExW(nullptr, notepad, L"Notepad", nullptr)) != nullptr) {
                DWORD process = 0;
                GetWindowThreadProcessId(notepad, &process);
                if (process == info.dwProcessId) {
                    return true;
                }
            }
            return false;
        },
        15000ms));
    lurcore::ForegroundWindow foreground;
    foreground.setCompleting({"notepad.exe"});
    if (notepad != nullptr) {
        const lurcore::config::WindowFacts facts = foreground.arrived(notepad, true);
        EXPECT_EQ(facts.program, "notepad.exe");
        EXPECT_FALSE(facts.noProgram);
        EXPECT_FALSE(facts.elevated) << "a program of the same user counts as one with more rights";
        EXPECT_EQ(foreground.correction(), lurcore::core::Correction::Placeholder) << "from the user's list";
        foreground.setCompleting({});
        EXPECT_EQ(foreground.correction(), lurcore::core::Correction::Backspaces);
    }
    // The test's own window belongs to no program: a switch there is for the program before.
    HWND own =
        CreateWindowExW(0, L"STATIC", L"own", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_TRUE(foreground.arrived(own, true).noProgram);
    DestroyWindow(own);
    TerminateProcess(info.hProcess, 0);
    WaitForSingleObject(info.hProcess, 5000);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
}

} // namespace
} // namespace lurtest
