#include "lurcore/win32/foreground_process.h"

#include "lurcore/config/program_lists.h"
#include "lurcore/config/user_config.h"

#include <tlhelp32.h>

#include <cwchar>
#include <optional>

namespace lurcore {
namespace {

constexpr DWORD kQueryLimitedInformation = 0x1000; // PROCESS_QUERY_LIMITED_INFORMATION (Vista and later)
constexpr UINT kInputMethodTimeoutMs = 50;

using QueryImageName = BOOL(WINAPI*)(HANDLE, DWORD, LPWSTR, PDWORD);

// The executable's path through QueryFullProcessImageNameW (Windows Vista and later), which needs only
// the right to ask a process its name, also one that runs as administrator.
bool imageByQuery(HANDLE process, wchar_t* path, DWORD size) {
    static const auto query = reinterpret_cast<QueryImageName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "QueryFullProcessImageNameW")));
    return query != nullptr && process != nullptr && query(process, 0, path, &size) != FALSE;
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

// The program file name as lists hold it; empty when it cannot be found.
std::string programOfProcess(HANDLE process, DWORD processId) {
    wchar_t path[MAX_PATH * 2] = {};
    if (!imageByQuery(process, path, MAX_PATH * 2) && !imageBySnapshot(processId, path, MAX_PATH * 2)) {
        return {};
    }
    return config::programName(
        std::u16string_view(reinterpret_cast<const char16_t*>(path), std::wcslen(path)));
}

// The mandatory integrity level of a process's token; empty when it cannot be read.
std::optional<std::uint32_t> integrityLevel(HANDLE process) {
    HANDLE token = nullptr;
    if (process == nullptr || !OpenProcessToken(process, TOKEN_QUERY, &token)) {
        return std::nullopt;
    }
    alignas(TOKEN_MANDATORY_LABEL) unsigned char buffer[128];
    DWORD size = 0;
    std::optional<std::uint32_t> level;
    if (GetTokenInformation(token, TokenIntegrityLevel, buffer, sizeof buffer, &size)) {
        const PSID sid = reinterpret_cast<TOKEN_MANDATORY_LABEL*>(buffer)->Label.Sid;
        const UCHAR count = *GetSidSubAuthorityCount(sid);
        if (count > 0) {
            level = *GetSidSubAuthority(sid, count - 1u);
        }
    }
    CloseHandle(token);
    return level;
}

std::optional<std::uint32_t> ownIntegrityLevel() {
    static const std::optional<std::uint32_t> level = integrityLevel(GetCurrentProcess());
    return level;
}

std::uint64_t creationTime(HANDLE process) {
    FILETIME created{};
    FILETIME exited{};
    FILETIME kernel{};
    FILETIME user{};
    if (process == nullptr || !GetProcessTimes(process, &created, &exited, &kernel, &user)) {
        return 0;
    }
    return (std::uint64_t{created.dwHighDateTime} << 32) | created.dwLowDateTime;
}

// The Store's programs draw inside a frame of ApplicationFrameHost.exe: the program is the process of
// the window hosted in it, when there is one.
struct HostedSearch {
    DWORD host;
    DWORD found;
};
BOOL CALLBACK findHosted(HWND child, LPARAM data) {
    auto* search = reinterpret_cast<HostedSearch*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(child, &process);
    if (process != 0 && process != search->host) {
        search->found = process;
        return FALSE;
    }
    return TRUE;
}

class ProcessHandle {
public:
    explicit ProcessHandle(DWORD id)
        : handle_(id != 0 ? OpenProcess(kQueryLimitedInformation, FALSE, id) : nullptr) {}
    ~ProcessHandle() {
        if (handle_ != nullptr) {
            CloseHandle(handle_);
        }
    }
    ProcessHandle(const ProcessHandle&) = delete;
    ProcessHandle& operator=(const ProcessHandle&) = delete;
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

// The keyboard of a window as Windows tells it.
class WindowKeyboard : public config::KeyboardSource {
public:
    explicit WindowKeyboard(HWND window) : window_(window) {}

    std::uint32_t layout() override {
        layout_ = GetKeyboardLayout(GetWindowThreadProcessId(window_, nullptr));
        if (layout_ == nullptr) {
            layout_ = GetKeyboardLayout(0); // Wine tells no other process's layout
        }
        return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(layout_));
    }

    char16_t letterKey(std::uint32_t, int index) override {
        // The top bit marks a dead key; the character is in the low word.
        return static_cast<char16_t>(
            MapVirtualKeyExW(static_cast<UINT>('A' + index), MAPVK_VK_TO_CHAR, layout_) & 0xFFFF);
    }

    char16_t digitKey(std::uint32_t, int digit) override {
        return static_cast<char16_t>(
            MapVirtualKeyExW(static_cast<UINT>('0' + digit), MAPVK_VK_TO_CHAR, layout_) & 0xFFFF);
    }

    std::optional<bool> inputMethodOpen() override { return inputMethodOpenIn(window_); }

private:
    HWND window_;
    HKL layout_ = nullptr;
};

} // namespace

std::optional<bool> inputMethodOpenIn(HWND window) {
    using DefaultImeWindow = HWND(WINAPI*)(HWND);
    static const auto defaultImeWindow = [] {
        HMODULE imm = LoadLibraryW(L"imm32.dll");
        return imm == nullptr ? nullptr
                              : reinterpret_cast<DefaultImeWindow>(
                                    reinterpret_cast<void*>(GetProcAddress(imm, "ImmGetDefaultIMEWnd")));
    }();
    constexpr WPARAM kGetOpenStatus = 0x0005; // IMC_GETOPENSTATUS
    const HWND ime = defaultImeWindow != nullptr ? defaultImeWindow(window) : nullptr;
    if (ime == nullptr) {
        return false;
    }
    DWORD_PTR open = 0;
    if (SendMessageTimeoutW(ime, WM_IME_CONTROL, kGetOpenStatus, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                            kInputMethodTimeoutMs, &open) == 0) {
        return std::nullopt;
    }
    return open != 0;
}

void ForegroundWindow::setCompleting(std::vector<std::string> completing) {
    completing_ = std::move(completing);
    correction_ = config::correctionForProgram(program_, completing_);
}

config::WindowFacts ForegroundWindow::arrived(HWND window, bool watchFullScreen) {
    config::WindowFacts facts;
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    // Our own windows and the taskbar's belong to no program.
    facts.noProgram = window == nullptr || processId == GetCurrentProcessId() ||
                      config::isTaskbarClass(std::u16string_view(reinterpret_cast<const char16_t*>(className),
                                                                 std::wcslen(className)));
    if (facts.noProgram) {
        return facts;
    }
    // What was learnt of a process holds while that very process is in front, in the same window or
    // another of its own; a window that has gone takes it along.
    if (window_ != nullptr && !IsWindow(window_)) {
        process_ = {};
    }
    if (window != window_) {
        keyboard_.windowChanged();
    }
    window_ = window;
    ProcessHandle process(processId);
    const Identity identity{processId, creationTime(process.get())};
    const bool known = identity.created != 0 && identity == process_;
    if (!known) {
        process_ = identity;
        program_ = programOfProcess(process.get(), processId);
        elevated_ = config::runsHigher(integrityLevel(process.get()), ownIntegrityLevel());
        if (config::isFrameHost(program_)) {
            HostedSearch search{processId, 0};
            EnumChildWindows(window, findHosted, reinterpret_cast<LPARAM>(&search));
            if (search.found != 0) {
                ProcessHandle hosted(search.found);
                program_ = programOfProcess(hosted.get(), search.found);
                elevated_ = config::runsHigher(integrityLevel(hosted.get()), ownIntegrityLevel());
                process_ = {}; // the frame may host another program next time
            }
        }
        correction_ = config::correctionForProgram(program_, completing_);
    }
    facts.program = program_;
    facts.elevated = elevated_;
    facts.fullScreen = watchFullScreen && fullScreen(window);
    return facts;
}

config::KeyboardFacts ForegroundWindow::keyboard(HWND window) {
    WindowKeyboard source(window);
    return keyboard_.read(source);
}

bool ForegroundWindow::fullScreen(HWND window) {
    config::ScreenFacts screen;
    using QueryNotificationState = HRESULT(WINAPI*)(int*);
    static const auto query = reinterpret_cast<QueryNotificationState>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"shell32.dll"), "SHQueryUserNotificationState")));
    int state = 0;
    if (query != nullptr && SUCCEEDED(query(&state))) {
        screen.notificationState = state;
    }
    RECT rectangle{};
    GetWindowRect(window, &rectangle);
    screen.window = {rectangle.left, rectangle.top, rectangle.right, rectangle.bottom};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) {
        screen.monitor = {monitor.rcMonitor.left, monitor.rcMonitor.top, monitor.rcMonitor.right,
                          monitor.rcMonitor.bottom};
    }
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    screen.desktop = window == GetDesktopWindow() || window == GetShellWindow() ||
                     config::isDesktopClass(std::u16string_view(reinterpret_cast<const char16_t*>(className),
                                                                std::wcslen(className)));
    return config::isFullScreen(screen);
}

} // namespace lurcore
