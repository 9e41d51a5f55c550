// The notification area over Shell_NotifyIconA.
#pragma once

#include "platform/platform.h"
#include "tray/tray_data.h"

#include <windows.h>
#include <shellapi.h>

#include <iterator>
#include <string>

namespace lurwin {

// An icon the shell does not take (at log-on the shell may still be starting, and nothing tells a
// program when it is ready unless it restarts) is not given up: it is added again after a delay that
// grows with each refusal, until the shell takes it, the way it is added again after TaskbarCreated.
// Changes of the icon meanwhile go into what is added; removing the icon ends the tries. The tries
// run on a timer of the icon's window, so on the program's own thread.
class Win32TrayApi : public lur::TrayApi {
public:
    Win32TrayApi() = default;
    Win32TrayApi(const Win32TrayApi&) = delete;
    Win32TrayApi& operator=(const Win32TrayApi&) = delete;
    ~Win32TrayApi() override;

    void notifyIcon(std::uint32_t message, TTrayData* data) override;
    void showBalloon(const TTrayData& data, const std::u16string& title, const std::u16string& text) override;

    static constexpr UINT_PTR kRetryTimer = 0x4C52; // "LR"
    static constexpr UINT kFirstDelayMs = 250;
    static constexpr UINT kLongestDelayMs = 16000;

private:
    static void CALLBACK retryTimer(HWND window, UINT, UINT_PTR, DWORD);
    bool addNow(); // the waiting record, added (or already there); true when the shell has it
    void scheduleRetry();
    void cancelRetry();

    TTrayData waiting_{}; // the icon as it should show once the shell takes it
    bool retrying_ = false;
    UINT_PTR timer_ = 0;
    UINT delayMs_ = kFirstDelayMs;
};

} // namespace lurwin
