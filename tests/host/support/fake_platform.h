// Recording fakes of the platform interfaces; every call goes into the same log as the engine's.
#pragma once

#include "app/form.h"
#include "tests/host/support/call_log.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace fake {

struct FakeSystem : lur::SystemApi {
    bool mailslotFree = true;
    bool comOk = true;
    std::optional<std::string> windowsDir = std::string("C:\\WINDOWS");
    lur::Point cursor{100, 200};
    // What the message loop does: the test's script of user actions.
    std::function<void()> loop;

    bool createInstanceMailslot() override;
    void sendSecondCopyNotice() override { record("SecondCopyNotice"); }
    bool initializeCom() override;
    void uninitializeCom() override { record("CoUninitialize"); }
    void hideApplicationFromTaskbar() override { record("ToolWindowStyle"); }
    void setRealtimePriorityClass() override { record("SetPriorityClass 256"); }
    void setTimeCriticalThreadPriority() override { record("SetThreadPriority 15"); }
    std::optional<std::string> windowsDirectory() override { return windowsDir; }
    void addFontResource(const std::string& path) override { record("AddFontResourceA " + path); }
    void removeFontResource(const std::string& path) override { record("RemoveFontResourceA " + path); }
    void broadcastFontChange() override { record("WM_FONTCHANGE"); }
    void runMessageLoop() override;
    lur::Point cursorPos() override;
    void setForegroundToApplication() override { record("SetForegroundWindow"); }
    void processWaitingMessages() override { record("ProcessMessages"); }
};

struct FakeWindow : lur::WindowApi {
    TForm1* form = nullptr;
    bool shown = false;
    std::function<void()> whilePopupOpen;

    std::uintptr_t handle() override { return 0x1234; }
    void setHeight(int height) override { record("Height " + std::to_string(height)); }
    void setWidth(int width) override { record("Width " + std::to_string(width)); }
    int sideBarPictureWidth() override { return 28; }
    bool visible() override { return shown; }
    void setVisible(bool visible) override;
    void close() override;
    void sendNull() override { record("WM_NULL"); }
    void popupMenu(lur::Point at) override;
    std::uintptr_t vietnameseIcon() override { return 0x71; }
    std::uintptr_t englishIcon() override { return 0xE1; }
};

struct FakeTray : lur::TrayApi {
    std::vector<TTrayData> records;
    void notifyIcon(std::uint32_t message, TTrayData* data) override;
    std::vector<std::u16string> balloons; // title, then text
    void showBalloon(const TTrayData& data, const std::u16string& title, const std::u16string& text) override;
};

struct FakeShellLink : lur::ShellLinkApi {
    std::int32_t createResult = 0;
    bool hasShellLink = true;
    bool hasPersistFile = true;
    int held = 0; // interfaces obtained and not yet released
    std::u16string savedName;

    std::int32_t createInstance() override;
    bool queryShellLink() override;
    bool queryPersistFile() override;
    void setPath(const std::string& path) override { record("SetPath " + path); }
    void setArguments(const std::string& arguments) override { record("SetArguments [" + arguments + "]"); }
    void setWorkingDirectory(const std::string& dir) override { record("SetWorkingDirectory " + dir); }
    void setIconLocation(const std::string& path, int index) override;
    void save(const std::u16string& fileName, bool remember) override;
    void releasePersistFile() override;
    void releaseShellLink() override;
    void releaseUnknown() override;
};

struct FakeShell : lur::ShellApi {
    std::optional<std::string> exePath = std::string("C:\\Program Files\\Lurio 2008\\Lurb.exe");
    std::optional<std::string> desktop = std::string("C:\\Users\\me\\Desktop");
    std::string errorText;
    FakeShellLink link;

    std::optional<std::string> moduleFileName() override { return exePath; }
    std::optional<std::string> desktopDirectory() override;
    std::u16string toUtf16(const std::string& utf8) override;
    std::string systemErrorText(std::int32_t) override { return errorText; }
    lur::ShellLinkApi& shellLink() override { return link; }
    void shellExecute(std::uintptr_t window, const std::string& verb, const std::string& file,
                      const std::string& parameters, const std::string& directory, int show) override;
};

// Form1 over the fakes, with the engine's block seeded.
struct Rig : FormHost {
    FakeSystem system;
    FakeWindow window;
    FakeTray tray;
    FakeShell shell;
    lur::Platform platform{system, window, tray, shell};
    std::unique_ptr<TForm1> form;

    explicit Rig(const TSharedSettings& block);
    ~Rig() override;
    // Module start-up and FormCreate, as the program does them, then the log is cleared.
    TForm1& created();
    TForm1& createForm() override;
    void destroyForm() override;
};

std::string narrow(const std::u16string& text);

} // namespace fake
