#include "platform/win32/win32_system.h"

#include "engine/utf8.h"
#include "platform/win32/error_box.h"
#include "platform/win32/system_dll.h"
#include "platform/win32/window_ids.h"

#include <objbase.h>

namespace lurwin {

namespace {

constexpr const char* kMailslotName = "\\\\.\\mailslot\\microslot";
constexpr DWORD kFontChangeTimeoutMs = 5000;

LRESULT CALLBACK applicationProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace

Win32SystemApi::~Win32SystemApi() {
    if (application_ != nullptr) {
        DestroyWindow(application_);
    }
    // The mailslot handle stays open on purpose: the system releases it when the process ends.
}

bool Win32SystemApi::createInstanceMailslot() {
    mailslot_ = CreateMailslotA(kMailslotName, 0, 0, nullptr);
    return mailslot_ != INVALID_HANDLE_VALUE;
}

void Win32SystemApi::sendSecondCopyNotice() {
    // Addressed to the mailslot itself, so that it can never create an ordinary file.
    HANDLE slot = CreateFileA(kMailslotName, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (slot == INVALID_HANDLE_VALUE) {
        return;
    }
    DWORD written = 0;
    WriteFile(slot, "D", 1, &written, nullptr);
    CloseHandle(slot);
}

// COM is started on this thread before its first use (the shortcut, the help), not at start.
bool Win32SystemApi::initializeCom() {
    wantCom();
    return true;
}

void Win32SystemApi::uninitializeCom() {
    stopCom();
}

HWND Win32SystemApi::applicationWindow() {
    if (application_ == nullptr) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = applicationProc;
        wc.hInstance = instance_;
        wc.lpszClassName = kApplicationClass;
        RegisterClassW(&wc);
        application_ = CreateWindowExW(0, kApplicationClass, L"Lurb", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                       instance_, nullptr);
    }
    return application_;
}

void Win32SystemApi::hideApplicationFromTaskbar() {
    HWND app = applicationWindow();
    SetWindowLongA(app, GWL_EXSTYLE, GetWindowLongA(app, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
}

void Win32SystemApi::setRealtimePriorityClass() {
    SetPriorityClass(GetCurrentProcess(), REALTIME_PRIORITY_CLASS);
}

void Win32SystemApi::setTimeCriticalThreadPriority() {
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
}

std::optional<std::string> Win32SystemApi::windowsDirectory() {
    wchar_t buffer[MAX_PATH + 1] = {};
    const UINT length = GetWindowsDirectoryW(buffer, MAX_PATH + 1);
    if (length == 0 || length >= MAX_PATH + 1) {
        return std::nullopt;
    }
    return lur::utf8FromWide(std::wstring_view(buffer, length));
}

void Win32SystemApi::addFontResource(const std::string& path) {
    AddFontResourceW(lur::wideFromUtf8(path).c_str());
}

void Win32SystemApi::removeFontResource(const std::string& path) {
    RemoveFontResourceW(lur::wideFromUtf8(path).c_str());
}

void Win32SystemApi::broadcastFontChange() {
    // Waits for the windows to answer like a plain broadcast, but a hung window cannot hang us.
    DWORD_PTR result = 0;
    SendMessageTimeoutA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0, SMTO_ABORTIFHUNG, kFontChangeTimeoutMs, &result);
}

void Win32SystemApi::dispatch(MSG& msg) {
    if (preTranslate_ && preTranslate_(msg)) {
        return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

void Win32SystemApi::runMessageLoop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        guarded(msg.hwnd, 0, [&] {
            dispatch(msg);
            return LRESULT{0};
        });
    }
}

lur::Point Win32SystemApi::cursorPos() {
    POINT point{};
    GetCursorPos(&point);
    return {point.x, point.y};
}

void Win32SystemApi::setForegroundToApplication() {
    SetForegroundWindow(applicationWindow());
}

void Win32SystemApi::processWaitingMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Keep the quit for the main loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        dispatch(msg);
    }
}

} // namespace lurwin
