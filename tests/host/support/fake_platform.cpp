#include "tests/host/support/fake_platform.h"

#include "app/typing_options.h"
#include "engine/utf8.h"

#include <cstdio>

namespace fake {

std::string narrow(const std::u16string& text) {
    return lur::utf16ToUtf8(text);
}

bool FakeSystem::createInstanceMailslot() {
    record("CreateMailslotA");
    return mailslotFree;
}

bool FakeSystem::initializeCom() {
    record("CoInitialize");
    return comOk;
}

void FakeSystem::runMessageLoop() {
    record("MessageLoop");
    if (loop) {
        loop();
    }
}

lur::Point FakeSystem::cursorPos() {
    record("GetCursorPos");
    return cursor;
}

void FakeWindow::setVisible(bool visible) {
    record(std::string("Visible ") + (visible ? "1" : "0"));
    const bool wasShown = shown;
    shown = visible;
    if (visible && !wasShown && form != nullptr) {
        form->FormShow();
    }
}

void FakeWindow::close() {
    record("Close");
    if (form != nullptr) {
        form->FormClose();
    }
    shown = false;
}

void FakeWindow::popupMenu(lur::Point at) {
    record("Popup " + std::to_string(at.x) + "," + std::to_string(at.y));
    if (whilePopupOpen) {
        whilePopupOpen();
    }
}

void FakeTray::notifyIcon(std::uint32_t message, TTrayData* data) {
    static const char* const names[] = {"NIM_ADD", "NIM_MODIFY", "NIM_DELETE"};
    record(std::string("Shell_NotifyIconA ") + (message < 3 ? names[message] : "?") +
           (data == &TrayData ? "" : " (not TrayData)"));
    records.push_back(*data);
}

void FakeTray::showBalloon(const TTrayData& data, const std::u16string& title, const std::u16string& text) {
    record(std::string("balloon") + (&data == &TrayData ? "" : " (not TrayData)"));
    balloons.push_back(title);
    balloons.push_back(text);
}

std::int32_t FakeShellLink::createInstance() {
    record("CoCreateInstance");
    if (createResult >= 0) {
        ++held;
    }
    return createResult;
}

bool FakeShellLink::queryShellLink() {
    record("QueryInterface IShellLinkW");
    held += hasShellLink ? 1 : 0;
    return hasShellLink;
}

bool FakeShellLink::queryPersistFile() {
    record("QueryInterface IPersistFile");
    held += hasPersistFile ? 1 : 0;
    return hasPersistFile;
}

void FakeShellLink::setIconLocation(const std::string& path, int index) {
    record("SetIconLocation [" + path + "] " + std::to_string(index));
}

void FakeShellLink::save(const std::u16string& fileName, bool remember) {
    savedName = fileName;
    record("Save " + narrow(fileName) + (remember ? " remember" : " forget"));
}

void FakeShellLink::releasePersistFile() {
    record("Release IPersistFile");
    --held;
}

void FakeShellLink::releaseShellLink() {
    record("Release IShellLinkW");
    --held;
}

void FakeShellLink::releaseUnknown() {
    record("Release IUnknown");
    --held;
}

std::optional<std::string> FakeShell::desktopDirectory() {
    record("DesktopDirectory");
    return desktop;
}

std::u16string FakeShell::toUtf16(const std::string& utf8) {
    return lur::utf8ToUtf16(utf8).value_or(u"(not UTF-8)");
}

void FakeShell::shellExecute(std::uintptr_t window, const std::string& verb, const std::string& file,
                             const std::string& parameters, const std::string& directory, int show) {
    char text[64];
    std::snprintf(text, sizeof text, "ShellExecuteW %#lx ", static_cast<unsigned long>(window));
    record(text + verb + " " + file + " [" + parameters + "] " + directory + " " + std::to_string(show));
}

Rig::Rig(const TSharedSettings& block) {
    resetEngine(block);
    TrayData = TTrayData{};
    SharedSettings = nullptr;
}

Rig::~Rig() {
    form.reset();
    moduleShutdownTypingOptions();
    SharedSettings = nullptr;
}

TForm1& Rig::createForm() {
    form = std::make_unique<TForm1>(platform);
    window.form = form.get();
    form->FormCreate();
    return *form;
}

void Rig::destroyForm() {
    if (form) {
        form->FormDestroy();
    }
}

TForm1& Rig::created() {
    moduleStartup();
    createForm();
    clearCalls();
    storedBlocks().clear();
    return *form;
}

} // namespace fake
