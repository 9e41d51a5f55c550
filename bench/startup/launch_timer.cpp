// Starts programs one after the other and times how long each takes to show its window.
//   launch_timer ROUNDS QUICK NAME=EXE...
// Each round starts every program twice, once with CreateProcess and once with ShellExecuteEx, in an
// order that turns round from one round to the next. Per start it prints one line:
//   NAME WAY SHOWN_MS READY_MS WORKING_SET PRIVATE_BYTES CPU_MS
// SHOWN_MS: until a visible top-level window of the process exists (with QUICK=1, for a program whose
// window stays hidden: until its tray icon, id 1 of its form, can be modified). READY_MS: until
// that window's thread has handled a message sent to it, that is, the start-up work is over. The memory
// figures (the working set, and the commit charge: private bytes) and the process's own processor time
// so far (user and kernel; it moves less with the machine's load than the clock) are read at that moment.
// Then the window is asked to close.
#include "engine/product_names.h"

#include <windows.h>
#include <psapi.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Found {
    DWORD process;
    bool visibleOnly;
    HWND window;
};

BOOL CALLBACK findWindow(HWND hwnd, LPARAM lParam) {
    auto* found = reinterpret_cast<Found*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    if (process != found->process || (found->visibleOnly && !IsWindowVisible(hwnd))) {
        return TRUE;
    }
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    // A hidden window counts only when it is the program's own form (not COM's, not the IME's).
    if (!found->visibleOnly && std::wstring(name) != L"" LUR_WINDOW_CLASS) {
        return TRUE;
    }
    found->window = hwnd;
    return FALSE;
}

HWND windowOf(DWORD process, bool visibleOnly) {
    Found found{process, visibleOnly, nullptr};
    EnumWindows(findWindow, reinterpret_cast<LPARAM>(&found));
    return found.window;
}

bool iconPresent(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = 1;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

double elapsedMs(LARGE_INTEGER from, LARGE_INTEGER frequency) {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

bool launch(const std::string& name, const std::wstring& exe, bool shell, bool quick,
            LARGE_INTEGER frequency) {
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    HANDLE process = nullptr;
    std::wstring folder = exe.substr(0, exe.find_last_of(L'\\'));
    if (shell) {
        SHELLEXECUTEINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = SEE_MASK_NOCLOSEPROCESS;
        info.lpFile = exe.c_str();
        info.lpDirectory = folder.c_str();
        info.nShow = SW_SHOWNORMAL;
        if (!ShellExecuteExW(&info)) {
            return false;
        }
        process = info.hProcess;
    } else {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        std::wstring commandLine = L"\"" + exe + L"\"";
        if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            folder.c_str(), &startup, &info)) {
            return false;
        }
        CloseHandle(info.hThread);
        process = info.hProcess;
    }
    const DWORD id = GetProcessId(process);
    const bool hidden = quick && name != "bare";
    HWND window = nullptr;
    double shown = -1;
    while (elapsedMs(start, frequency) < 20000) {
        window = windowOf(id, !hidden);
        if (window != nullptr && (!hidden || iconPresent(window))) {
            shown = elapsedMs(start, frequency);
            break;
        }
        Sleep(1);
    }
    double ready = -1;
    double cpu = -1;
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (window != nullptr) {
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &answer);
        ready = elapsedMs(start, frequency);
        GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
        FILETIME created, ended, kernel, user;
        if (GetProcessTimes(process, &created, &ended, &kernel, &user)) {
            auto ticks = [](const FILETIME& t) {
                return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
            };
            cpu = static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
        }
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 5000);
    }
    CloseHandle(process);
    std::printf("%s %s %.1f %.1f %lu %lu %.1f\n", name.c_str(), shell ? "shell" : "create", shown, ready,
                static_cast<unsigned long>(memory.WorkingSetSize),
                static_cast<unsigned long>(memory.PagefileUsage), cpu);
    std::fflush(stdout);
    return window != nullptr;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: launch_timer ROUNDS QUICK NAME=EXE...\n");
        return 2;
    }
    const int rounds = _wtoi(argv[1]);
    const bool quick = _wtoi(argv[2]) != 0;
    std::vector<std::pair<std::string, std::wstring>> programs;
    for (int i = 3; i < argc; ++i) {
        std::wstring argument(argv[i]);
        const auto equals = argument.find(L'=');
        programs.emplace_back(std::string(argument.begin(), argument.begin() + static_cast<long>(equals)),
                              argument.substr(equals + 1));
    }
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    bool allShown = true;
    for (int round = 0; round < rounds; ++round) {
        for (int way = 0; way < 2; ++way) {
            for (std::size_t k = 0; k < programs.size(); ++k) {
                const auto& [name, exe] =
                    programs[(k + static_cast<std::size_t>(round + way)) % programs.size()];
                allShown = launch(name, exe, way == 1, quick, frequency) && allShown;
            }
        }
    }
    return allShown ? 0 : 1;
}
