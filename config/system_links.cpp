// Start with the system, the desktop shortcut and the help file. Paths come from the running
// executable, so they stay right whatever the working directory of the start.
#include "app/form.h"
#include "config/paths.h"
#include "engine/lurcore.h"
#include "engine/product_names.h"

#include <functional>

namespace {

constexpr const char* kStartupEntryName = LUR_STARTUP_ENTRY;
constexpr const char* kShortcutName = "\\" LUR_PRODUCT_NAME ".lnk";
constexpr const char* kHelpName = "\\" LUR_HELP_FILE;
constexpr int kSwShow = 5;

class ReleaseOnExit {
public:
    explicit ReleaseOnExit(std::function<void()> release) : release_(std::move(release)) {}
    ReleaseOnExit(const ReleaseOnExit&) = delete;
    ReleaseOnExit& operator=(const ReleaseOnExit&) = delete;
    ~ReleaseOnExit() { release_(); }

private:
    std::function<void()> release_;
};

} // namespace

void TForm1::getDir(std::string& dir) {
    if (auto exe = p_.shell.moduleFileName()) {
        dir = lur::folderOf(*exe);
    }
}

void TForm1::chksysClick() {
    if (loading_) {
        return;
    }
    SharedSettings->StartWithSystem = chksys.checked() ? 1 : 0;
    WriteToFile(&SharedSettings);
    if (!chksys.checked()) {
        DeleteRegKey(kStartupEntryName);
        return;
    }
    // Without the program's own path, registering anything would start a file that does not exist.
    if (auto exe = p_.shell.moduleFileName()) {
        const char* path = exe->c_str();
        SetRegValue(kStartupEntryName, &path);
    }
}

void TForm1::chkDestopClick() {
    const auto exe = p_.shell.moduleFileName();
    if (!exe) {
        return;
    }
    lur::ShellLinkApi& link = p_.shell.shellLink();
    const std::int32_t created = link.createInstance();
    if (created < 0) {
        return raiseHandlerError(lur::oleErrorMessage(created, p_.shell.systemErrorText(created)));
    }
    ReleaseOnExit unknown([&link] { link.releaseUnknown(); });
    if (!link.queryShellLink()) {
        return raiseHandlerError(lur::kInterfaceNotSupported);
    }
    ReleaseOnExit shellLink([&link] { link.releaseShellLink(); });
    if (!link.queryPersistFile()) {
        return raiseHandlerError(lur::kInterfaceNotSupported);
    }
    ReleaseOnExit persistFile([&link] { link.releasePersistFile(); });

    link.setPath(*exe);
    link.setArguments("");
    link.setWorkingDirectory(lur::workingDirectoryOf(*exe));
    link.setIconLocation("", 0);
    const auto desktop = p_.shell.desktopDirectory();
    if (!desktop) {
        return;
    }
    link.save(p_.shell.toUtf16(lur::joinPath(*desktop, kShortcutName)), false);
}

void TForm1::TntSpeedButton1Click() {
    std::string folder;
    getDir(folder);
    if (folder.empty()) {
        return;
    }
    const std::string helpPath = lur::joinPath(folder, kHelpName);
    std::string workingDirectory;
    getDir(workingDirectory);
    p_.shell.shellExecute(p_.window.handle(), "Open", helpPath, "", workingDirectory, kSwShow);
}
