// The notification area over Shell_NotifyIconA.
#pragma once

#include "platform/platform.h"
#include "tray/tray_data.h"

#include <windows.h>
#include <shellapi.h>

#include <iterator>
#include <string>

namespace lurwin {

class Win32TrayApi : public lur::TrayApi {
public:
    void notifyIcon(std::uint32_t message, TTrayData* data) override {
        // TTrayData starts with the shell's record; its cbSize tells the shell how much follows.
        Shell_NotifyIconA(message, reinterpret_cast<NOTIFYICONDATAA*>(data));
    }

    void showBalloon(const TTrayData& data, const std::u16string& title,
                     const std::u16string& text) override {
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
};

} // namespace lurwin
