#include "lurcore/win32/foreground_process.h"

#include "lurcore/config/user_config.h"

#include <tlhelp32.h>

#include <cwchar>

namespace lurcore {
namespace {

using QueryImageName = BOOL(WINAPI*)(HANDLE, DWORD, LPWSTR, PDWORD);

// The executable's path through QueryFullProcessImageNameW (Windows Vista and later), which needs only
// the right to ask a process its name, also one that runs as administrator.
bool imageByQuery(DWORD processId, wchar_t* path, DWORD size) {
    static const auto query = reinterpret_cast<QueryImageName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "QueryFullProcessImageNameW")));
    if (query == nullptr) {
        return false;
    }
    constexpr DWORD kQueryLimitedInformation = 0x1000; // PROCESS_QUERY_LIMITED_INFORMATION
    HANDLE process = OpenProcess(kQueryLimitedInformation, FALSE, processId);
    if (process == nullptr) {
        return false;
    }
    const bool found = query(process, 0, path, &size) != FALSE;
    CloseHandle(process);
    return found;
}

// The executable's file name from a snapshot of the processes, where the query is missing or refused.
bool imageBySnapshot(DWORD processId, wchar_t* path, DWORD size) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return false;
    }
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && !found;
         more = Process32NextW(snapshot, &entry)) {
        if (entry.th32ProcessID == processId) {
            found = std::wcslen(entry.szExeFile) < size;
            if (found) {
                std::wcscpy(path, entry.szExeFile);
            }
        }
    }
    CloseHandle(snapshot);
    return found;
}

// The path (or at least the file name) of the process's executable; false when it cannot be found.
bool executableOfProcess(DWORD processId, wchar_t* path, DWORD size) {
    return imageByQuery(processId, path, size) || imageBySnapshot(processId, path, size);
}

core::Correction correctionForProcess(DWORD processId) {
    wchar_t path[MAX_PATH * 2] = {};
    if (!executableOfProcess(processId, path, MAX_PATH * 2)) {
        return core::Correction::Backspaces;
    }
    // In ASCII: the names on the list have no other letters. The list's lookup drops the folder.
    char ascii[MAX_PATH * 2] = {};
    std::size_t length = 0;
    for (; path[length] != L'\0'; ++length) {
        ascii[length] = path[length] < 0x80 ? static_cast<char>(path[length]) : '?';
    }
    return core::correctionForProcess({ascii, length});
}

} // namespace

std::string programOfWindow(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t path[MAX_PATH * 2] = {};
    if (process == 0 || !executableOfProcess(process, path, MAX_PATH * 2)) {
        return {};
    }
    return config::programName(
        std::u16string_view(reinterpret_cast<const char16_t*>(path), std::wcslen(path)));
}

core::Correction correctionForWindow(HWND window) {
    static HWND lastWindow = nullptr;
    static DWORD lastProcess = 0;
    static core::Correction correction = core::Correction::Backspaces;
    if (window != lastWindow || window == nullptr) {
        lastWindow = window;
        DWORD process = 0;
        if (window != nullptr) {
            GetWindowThreadProcessId(window, &process);
        }
        if (process != lastProcess) {
            lastProcess = process;
            correction = process != 0 ? correctionForProcess(process) : core::Correction::Backspaces;
        }
    }
    return correction;
}

} // namespace lurcore
