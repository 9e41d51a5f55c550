// Runs Lurb.exe under test: starts it, finds its windows, reads what the recording engine wrote.
#pragma once

#include <windows.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace lurtest {

using namespace std::chrono_literals;
using Block = std::array<std::uint8_t, 10>;

// Polls `done` until it holds or the time is up; true when it held.
bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout = 5000ms);

// Starts xdotool (a Linux program, started through Wine) with `arguments`; false when it cannot be
// started. Its process cannot be waited for: wait for what its keys or clicks do.
bool xdotool(const std::string& arguments);

// Like waitFor, but keeps this thread's own windows alive meanwhile (a test's edit box, say).
bool pumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);

// True once `window`'s thread has handled a message sent now: everything it was doing when the call
// was made (creating its window, a handler) has ended.
bool handledSoFar(HWND window, std::chrono::milliseconds timeout = 10000ms);

// The folder of the test program itself (the build's bin folder), with a trailing backslash.
std::wstring binFolder();

// The real engine's settings file in this user's profile; its folder is made if need be.
std::wstring settingsFile();
// A file beside the engine's settings: lurio.ini, the user's own extra choices, and its log.
std::wstring userFile(const wchar_t* name);

// The recording engine's files beside bin\rec\Lurb.exe.
class RecordingFiles {
public:
    RecordingFiles();
    void clearLog() const;
    std::vector<std::string> log() const;
    // Removes the block file: the engine then starts from its defaults.
    void removeBlock() const;
    void seedBlock(const Block& block) const;
    bool hasBlock() const;
    Block block() const;
    std::wstring folder() const { return folder_; }

private:
    std::wstring folder_;
};

// The default block of the recording engine (the same defaults as the real one).
inline constexpr Block kDefaultBlock = {0, 1, 1, 0, 1, 0, 0, 0, 0, 0};

class LurbProcess {
public:
    // Starts `exe` with `workingDirectory` (its own folder when empty).
    explicit LurbProcess(const std::wstring& exe, const std::wstring& workingDirectory = {});
    LurbProcess(const LurbProcess&) = delete;
    LurbProcess& operator=(const LurbProcess&) = delete;
    // Ends the process if a test left it running.
    ~LurbProcess();

    // Form1's window (visible or not), once the program has made it.
    HWND waitForForm(std::chrono::milliseconds timeout = 10000ms);
    HWND form() const { return form_; }
    HWND control(int id) const { return GetDlgItem(form_, id); }
    // The exit code, or -1 when the process is still running after the timeout.
    long waitForExit(std::chrono::milliseconds timeout = 10000ms);
    DWORD id() const { return info_.dwProcessId; }
    bool running() const;

private:
    PROCESS_INFORMATION info_{};
    HWND form_ = nullptr;
    bool exited_ = false;
};

// The tray icon (Form1's window, id 1) is in the notification area: only a present icon can be modified.
bool trayIconPresent(HWND form);
// The shell forgets the icon, as when the notification area is made anew.
void removeTrayIcon(HWND form);

// The open popup menu, once it shows.
HWND waitForPopupMenu(std::chrono::milliseconds timeout = 5000ms);
// Presses a key in the open menu.
void menuKey(HWND menu, UINT key);

// Screen pixels of a window's rectangle, rows top down, 0x00RRGGBB.
struct Capture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};
Capture captureScreen(const RECT& area);
// Writes the capture as a 24-bit BMP file.
bool saveBmp(const Capture& capture, const std::wstring& path);
// Where tests keep their pictures: <build>\wine-artefacts\ (made when missing).
std::wstring artefactFolder();

// Counts the log lines equal to `line`.
int countLines(const std::vector<std::string>& log, const std::string& line);
// "WriteToFile" followed by the block's bytes as the recording engine writes them.
std::string writeToFileLine(const Block& block);

} // namespace lurtest
