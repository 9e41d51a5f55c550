// The process, the font table and the message loop over Win32.
#pragma once

#include "platform/platform.h"

#include <windows.h>

#include <functional>

namespace lurwin {

class Win32SystemApi : public lur::SystemApi {
public:
    explicit Win32SystemApi(HINSTANCE instance) : instance_(instance) {}
    Win32SystemApi(const Win32SystemApi&) = delete;
    Win32SystemApi& operator=(const Win32SystemApi&) = delete;
    ~Win32SystemApi() override;

    bool createInstanceMailslot() override;
    void sendSecondCopyNotice() override;
    bool initializeCom() override;
    void uninitializeCom() override;
    void hideApplicationFromTaskbar() override;
    void setRealtimePriorityClass() override;
    void setTimeCriticalThreadPriority() override;
    std::optional<std::string> windowsDirectory() override;
    void addFontResource(const std::string& path) override;
    void removeFontResource(const std::string& path) override;
    void broadcastFontChange() override;
    void runMessageLoop() override;
    lur::Point cursorPos() override;
    void setForegroundToApplication() override;
    void processWaitingMessages() override;

    // The hidden top-level window that owns Form1.
    HWND applicationWindow();
    // Gives the window a look at each message before it is dispatched (key preview, dialog keys).
    void setPreTranslate(std::function<bool(MSG&)> preTranslate) { preTranslate_ = std::move(preTranslate); }

private:
    void dispatch(MSG& msg);

    HINSTANCE instance_;
    HANDLE mailslot_ = INVALID_HANDLE_VALUE;
    HWND application_ = nullptr;
    std::function<bool(MSG&)> preTranslate_;
};

} // namespace lurwin
