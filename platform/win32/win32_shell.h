// Files, folders and the shell-link object over the Win32 shell and COM.
#pragma once

#include "platform/platform.h"

#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

namespace lurwin {

class Win32ShellLink : public lur::ShellLinkApi {
public:
    Win32ShellLink() = default;
    Win32ShellLink(const Win32ShellLink&) = delete;
    Win32ShellLink& operator=(const Win32ShellLink&) = delete;
    ~Win32ShellLink() override;

    std::int32_t createInstance() override;
    bool queryShellLink() override;
    bool queryPersistFile() override;
    void setPath(const std::string& path) override;
    void setArguments(const std::string& arguments) override;
    void setWorkingDirectory(const std::string& directory) override;
    void setIconLocation(const std::string& path, int index) override;
    void save(const std::u16string& fileName, bool remember) override;
    void releasePersistFile() override;
    void releaseShellLink() override;
    void releaseUnknown() override;

private:
    IUnknown* unknown_ = nullptr;
    IShellLinkW* link_ = nullptr;
    IPersistFile* persist_ = nullptr;
};

class Win32ShellApi : public lur::ShellApi {
public:
    std::optional<std::string> moduleFileName() override;
    std::optional<std::string> desktopDirectory() override;
    std::u16string toUtf16(const std::string& utf8) override;
    std::string systemErrorText(std::int32_t code) override;
    lur::ShellLinkApi& shellLink() override { return link_; }
    void shellExecute(std::uintptr_t window, const std::string& verb, const std::string& file,
                      const std::string& parameters, const std::string& directory, int show) override;

private:
    Win32ShellLink link_;
};

} // namespace lurwin
