#include "lurcore/win32/session_watch.h"

#include <windows.h>
#include <wtsapi32.h>

namespace lurcore {
namespace {

// Only these notices can follow a time in which our hooks were taken away or skipped.
bool hooksMayBeGone(UINT message, WPARAM wParam) {
    switch (message) {
    case WM_WTSSESSION_CHANGE:
        return wParam == WTS_SESSION_UNLOCK || wParam == WTS_CONSOLE_CONNECT ||
               wParam == WTS_REMOTE_CONNECT || wParam == WTS_SESSION_LOGON;
    case WM_POWERBROADCAST:
        return wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND;
    case WM_DISPLAYCHANGE:
        return true;
    default:
        return false;
    }
}

LRESULT CALLBACK watchProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    } else if (hooksMayBeGone(message, wParam)) {
        if (const auto* notice =
                reinterpret_cast<const std::function<void()>*>(GetWindowLongPtrW(window, GWLP_USERDATA))) {
            (*notice)();
        }
        if (message == WM_POWERBROADCAST) {
            return TRUE;
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HINSTANCE thisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&watchProc), &module);
    return module;
}

} // namespace

SessionWatch::SessionWatch(std::function<void()> notice) : notice_(std::move(notice)) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = watchProc;
    windowClass.hInstance = thisModule();
    windowClass.lpszClassName = kSessionWatchClass;
    RegisterClassW(&windowClass); // unregistered with the window: the next one may be a new module's
    // Never shown, and not a message-only window: those get no broadcasts.
    const HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, kSessionWatchClass, L"", WS_POPUP, 0, 0, 0, 0,
                                        nullptr, nullptr, thisModule(), &notice_);
    window_ = window;
    if (window != nullptr) {
        registered_ = WTSRegisterSessionNotification(window, NOTIFY_FOR_THIS_SESSION) != FALSE;
    }
}

SessionWatch::~SessionWatch() {
    const auto window = static_cast<HWND>(window_);
    if (window == nullptr) {
        return;
    }
    if (registered_) {
        WTSUnRegisterSessionNotification(window);
    }
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
    UnregisterClassW(kSessionWatchClass, thisModule());
}

std::bitset<256> keysDownNow() {
    std::bitset<256> down;
    for (int key = 1; key < 256; ++key) {
        if (GetAsyncKeyState(key) < 0) {
            down.set(static_cast<std::size_t>(key));
        }
    }
    return down;
}

} // namespace lurcore
