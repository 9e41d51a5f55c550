#include "tests/wine/support/tray_view.h"

#include <commctrl.h>

namespace lurtest {

HWND trayWindow() {
    return FindWindowA(nullptr, "Wine System Tray");
}

std::wstring trayTooltip() {
    const HWND tray = trayWindow();
    if (tray == nullptr) {
        return {};
    }
    HWND tip = nullptr;
    while ((tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr)) != nullptr) {
        if (GetWindow(tip, GW_OWNER) == tray) {
            break;
        }
    }
    if (tip == nullptr) {
        return {};
    }
    DWORD process = 0;
    GetWindowThreadProcessId(tip, &process);
    const HANDLE shell =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process);
    if (shell == nullptr) {
        return {};
    }
    // The tool's record and a text buffer in the shell's memory: the control writes into both.
    constexpr std::size_t kTextOffset = 1024;
    constexpr std::size_t kTextChars = 128;
    auto* remote = static_cast<char*>(
        VirtualAllocEx(shell, nullptr, kTextOffset + 2 * kTextChars, MEM_COMMIT, PAGE_READWRITE));
    std::wstring text;
    if (remote != nullptr) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.lpszText = reinterpret_cast<wchar_t*>(remote + kTextOffset);
        const wchar_t empty = 0;
        if (WriteProcessMemory(shell, remote, &tool, sizeof tool, nullptr) &&
            WriteProcessMemory(shell, remote + kTextOffset, &empty, sizeof empty, nullptr) &&
            SendMessageW(tip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(remote)) != 0) {
            wchar_t buffer[kTextChars + 1] = {};
            if (ReadProcessMemory(shell, remote + kTextOffset, buffer, 2 * kTextChars, nullptr)) {
                text = buffer;
            }
        }
        VirtualFreeEx(shell, remote, 0, MEM_RELEASE);
    }
    CloseHandle(shell);
    return text;
}

} // namespace lurtest
