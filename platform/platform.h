// The narrow interfaces through which the program's handlers reach Windows. The Windows build
// implements them over Win32 (platform/win32/); host tests use recording fakes. Texts and paths are
// UTF-8, so that a folder name in any script survives the trip.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct TTrayData;

namespace lur {

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// The process, the system's font table and the message loop.
class SystemApi {
public:
    virtual ~SystemApi() = default;
    // True when this copy now holds the single-instance mailslot.
    virtual bool createInstanceMailslot() = 0;
    virtual void sendSecondCopyNotice() = 0;
    // True when the component object model was initialised (and so must be uninitialised at the end).
    virtual bool initializeCom() = 0;
    virtual void uninitializeCom() = 0;
    // WS_EX_TOOLWINDOW on the application's hidden owner window: no taskbar button, no Alt+Tab entry.
    virtual void hideApplicationFromTaskbar() = 0;
    virtual void setRealtimePriorityClass() = 0;
    virtual void setTimeCriticalThreadPriority() = 0;
    // The Windows directory, or nothing when it cannot be read.
    virtual std::optional<std::string> windowsDirectory() = 0;
    virtual void addFontResource(const std::string& path) = 0;
    virtual void removeFontResource(const std::string& path) = 0;
    virtual void broadcastFontChange() = 0;
    virtual void runMessageLoop() = 0;
    virtual Point cursorPos() = 0;
    virtual void setForegroundToApplication() = 0;
    virtual void processWaitingMessages() = 0;
};

// The one window, Form1, as its handlers see it.
class WindowApi {
public:
    virtual ~WindowApi() = default;
    virtual std::uintptr_t handle() = 0;
    virtual void setHeight(int height) = 0;
    virtual void setWidth(int width) = 0;
    virtual int sideBarPictureWidth() = 0;
    virtual bool visible() = 0;
    // Showing a hidden window runs its FormShow handler.
    virtual void setVisible(bool visible) = 0;
    // Runs FormClose, then ends the message loop.
    virtual void close() = 0;
    virtual void sendNull() = 0;
    // Opens the tray menu at a screen point; returns when the menu has closed.
    virtual void popupMenu(Point at) = 0;
    virtual std::uintptr_t vietnameseIcon() = 0;
    virtual std::uintptr_t englishIcon() = 0;
};

// The notification area.
class TrayApi {
public:
    virtual ~TrayApi() = default;
    virtual void notifyIcon(std::uint32_t message, TTrayData* data) = 0;
    // A short balloon from the icon that `data` names.
    virtual void showBalloon(const TTrayData& data, const std::u16string& title,
                             const std::u16string& text) = 0;
};

// The shell-link object, step by step, so that the order and the releases can be checked.
class ShellLinkApi {
public:
    virtual ~ShellLinkApi() = default;
    // CoCreateInstance of the shell-link class asking for IUnknown; the result code.
    virtual std::int32_t createInstance() = 0;
    virtual bool queryShellLink() = 0;
    virtual bool queryPersistFile() = 0;
    virtual void setPath(const std::string& path) = 0;
    virtual void setArguments(const std::string& arguments) = 0;
    virtual void setWorkingDirectory(const std::string& directory) = 0;
    virtual void setIconLocation(const std::string& path, int index) = 0;
    virtual void save(const std::u16string& fileName, bool remember) = 0;
    virtual void releasePersistFile() = 0;
    virtual void releaseShellLink() = 0;
    virtual void releaseUnknown() = 0;
};

// Files and folders of the shell.
class ShellApi {
public:
    virtual ~ShellApi() = default;
    // The running executable's full path; nothing when it does not fit or cannot be had.
    virtual std::optional<std::string> moduleFileName() = 0;
    // The user's desktop folder (CSIDL_DESKTOPDIRECTORY); nothing when it cannot be had.
    virtual std::optional<std::string> desktopDirectory() = 0;
    virtual std::u16string toUtf16(const std::string& utf8) = 0;
    // The system's text for a failure code; empty when it has none.
    virtual std::string systemErrorText(std::int32_t code) = 0;
    virtual ShellLinkApi& shellLink() = 0;
    virtual void shellExecute(std::uintptr_t window, const std::string& verb, const std::string& file,
                              const std::string& parameters, const std::string& directory, int show) = 0;
};

struct Platform {
    SystemApi& system;
    WindowApi& window;
    TrayApi& tray;
    ShellApi& shell;
};

} // namespace lur
