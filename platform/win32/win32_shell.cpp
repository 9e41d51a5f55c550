#include "platform/win32/win32_shell.h"

#include <shellapi.h>

namespace lurwin {

namespace {

constexpr int kDesktopDirectoryFolder = 16; // CSIDL_DESKTOPDIRECTORY
constexpr DWORD kInprocAndLocalServer = CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER;

template <typename Interface> void release(Interface*& pointer) {
    if (pointer != nullptr) {
        pointer->Release();
        pointer = nullptr;
    }
}

} // namespace

Win32ShellLink::~Win32ShellLink() {
    release(persist_);
    release(link_);
    release(unknown_);
}

std::int32_t Win32ShellLink::createInstance() {
    release(unknown_);
    return CoCreateInstance(CLSID_ShellLink, nullptr, kInprocAndLocalServer, IID_IUnknown,
                            reinterpret_cast<void**>(&unknown_));
}

bool Win32ShellLink::queryShellLink() {
    return unknown_ != nullptr &&
           SUCCEEDED(unknown_->QueryInterface(IID_IShellLinkA, reinterpret_cast<void**>(&link_)));
}

bool Win32ShellLink::queryPersistFile() {
    return unknown_ != nullptr &&
           SUCCEEDED(unknown_->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist_)));
}

void Win32ShellLink::setPath(const std::string& path) {
    link_->SetPath(path.c_str());
}

void Win32ShellLink::setArguments(const std::string& arguments) {
    link_->SetArguments(arguments.c_str());
}

void Win32ShellLink::setWorkingDirectory(const std::string& directory) {
    link_->SetWorkingDirectory(directory.c_str());
}

void Win32ShellLink::setIconLocation(const std::string& path, int index) {
    link_->SetIconLocation(path.c_str(), index);
}

void Win32ShellLink::save(const std::u16string& fileName, bool remember) {
    persist_->Save(reinterpret_cast<LPCOLESTR>(fileName.c_str()), remember ? TRUE : FALSE);
}

void Win32ShellLink::releasePersistFile() {
    release(persist_);
}

void Win32ShellLink::releaseShellLink() {
    release(link_);
}

void Win32ShellLink::releaseUnknown() {
    release(unknown_);
}

std::optional<std::string> Win32ShellApi::moduleFileName() {
    char buffer[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    // A result that fills the buffer is a truncated path.
    if (length == 0 || length >= sizeof buffer) {
        return std::nullopt;
    }
    return std::string(buffer, length);
}

std::optional<std::string> Win32ShellApi::desktopDirectory() {
    LPITEMIDLIST list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, kDesktopDirectoryFolder, &list)) || list == nullptr) {
        return std::nullopt;
    }
    char buffer[MAX_PATH + 1] = {};
    const BOOL found = SHGetPathFromIDListA(list, buffer);
    CoTaskMemFree(list);
    if (!found || buffer[0] == '\0') {
        return std::nullopt;
    }
    return std::string(buffer);
}

std::u16string Win32ShellApi::toUtf16(const std::string& ansi) {
    if (ansi.empty()) {
        return {};
    }
    const int size = static_cast<int>(ansi.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, nullptr, 0);
    std::u16string wide(static_cast<std::size_t>(length), u'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, reinterpret_cast<wchar_t*>(wide.data()), length);
    return wide;
}

std::string Win32ShellApi::systemErrorText(std::int32_t code) {
    char buffer[1024] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                        static_cast<DWORD>(code), 0, buffer, sizeof buffer, nullptr);
    std::string text(buffer, length);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) {
        text.pop_back();
    }
    return text;
}

void Win32ShellApi::shellExecute(std::uintptr_t window, const std::string& verb, const std::string& file,
                                 const std::string& parameters, const std::string& directory, int show) {
    ShellExecuteA(reinterpret_cast<HWND>(window), verb.c_str(), file.c_str(), parameters.c_str(),
                  directory.c_str(), show);
}

} // namespace lurwin
