#include "platform/win32/win32_tray.h"

namespace lurwin {
namespace {

// The one icon of the program whose tries are under way; the timer finds it here.
Win32TrayApi* g_retrying = nullptr;

bool notify(DWORD message, TTrayData* data) {
    // TTrayData starts with the shell's record; its cbSize tells the shell how much follows.
    return Shell_NotifyIconA(message, reinterpret_cast<NOTIFYICONDATAA*>(data)) != FALSE;
}

} // namespace

Win32TrayApi::~Win32TrayApi() {
    cancelRetry();
}

void Win32TrayApi::notifyIcon(std::uint32_t message, TTrayData* data) {
    switch (message) {
    case NIM_ADD:
        waiting_ = *data;
        if (addNow()) {
            cancelRetry();
        } else {
            scheduleRetry();
        }
        break;
    case NIM_MODIFY:
        if (retrying_) {
            waiting_ = *data; // not in the notification area yet: the next try adds it as it is now
        }
        notify(NIM_MODIFY, data);
        break;
    case NIM_DELETE:
        cancelRetry();
        notify(NIM_DELETE, data);
        break;
    default:
        notify(message, data);
        break;
    }
}

void Win32TrayApi::showBalloon(const TTrayData& data, const std::u16string& title,
                               const std::u16string& text) {
    // The icon's own record is the first version's, which has no balloon: a longer one for this.
    NOTIFYICONDATAW balloon{};
    balloon.cbSize = NOTIFYICONDATAW_V2_SIZE;
    balloon.hWnd = reinterpret_cast<HWND>(data.hWnd);
    balloon.uID = data.uID;
    balloon.uFlags = NIF_INFO;
    balloon.dwInfoFlags = NIIF_INFO;
    balloon.uTimeout = 4000;
    title.copy(reinterpret_cast<char16_t*>(balloon.szInfoTitle), std::size(balloon.szInfoTitle) - 1);
    text.copy(reinterpret_cast<char16_t*>(balloon.szInfo), std::size(balloon.szInfo) - 1);
    Shell_NotifyIconW(NIM_MODIFY, &balloon);
}

bool Win32TrayApi::addNow() {
    // An icon that is there already (added before the shell answered late) is brought up to date.
    return notify(NIM_ADD, &waiting_) || notify(NIM_MODIFY, &waiting_);
}

void Win32TrayApi::scheduleRetry() {
    if (!retrying_) {
        delayMs_ = kFirstDelayMs;
    }
    g_retrying = this;
    // Without a window the timer is the thread's, under a number of the system's choosing.
    timer_ = SetTimer(reinterpret_cast<HWND>(waiting_.hWnd), retrying_ ? timer_ : kRetryTimer, delayMs_,
                      retryTimer);
    retrying_ = timer_ != 0;
}

void Win32TrayApi::cancelRetry() {
    if (retrying_) {
        KillTimer(reinterpret_cast<HWND>(waiting_.hWnd), timer_);
        retrying_ = false;
    }
    if (g_retrying == this) {
        g_retrying = nullptr;
    }
}

void CALLBACK Win32TrayApi::retryTimer(HWND /*window*/, UINT, UINT_PTR, DWORD) {
    Win32TrayApi* const tray = g_retrying;
    if (tray == nullptr || !tray->retrying_) {
        return;
    }
    if (tray->addNow()) {
        tray->cancelRetry();
        return;
    }
    tray->delayMs_ = tray->delayMs_ * 2 < kLongestDelayMs ? tray->delayMs_ * 2 : kLongestDelayMs;
    tray->scheduleRetry();
}

} // namespace lurwin
