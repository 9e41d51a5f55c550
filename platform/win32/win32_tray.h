// The notification area over Shell_NotifyIconA.
#pragma once

#include "platform/platform.h"
#include "tray/tray_data.h"

#include <windows.h>
#include <shellapi.h>

namespace lurwin {

class Win32TrayApi : public lur::TrayApi {
public:
    void notifyIcon(std::uint32_t message, TTrayData* data) override {
        // TTrayData starts with the shell's record; its cbSize tells the shell how much follows.
        Shell_NotifyIconA(message, reinterpret_cast<NOTIFYICONDATAA*>(data));
    }
};

} // namespace lurwin
