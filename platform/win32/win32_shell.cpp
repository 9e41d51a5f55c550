#include "platform/win32/win32_shell.h"

#include "engine/utf8.h"
#include "platform/win32/system_dll.h"

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
    return createComInstance(CLSID_ShellLink, kInprocAndLocalServer, IID_IUnknown,
                             reinterpret_cast<void**>(&unknown_));
}

bool Win32ShellLink::queryShellLink() {
    return unknown_ != nullptr &&
           SUCCEEDED(unknown_->QueryInterface(IID_IShellLinkW, reinterpret_cast<void**>(&link_)));
}

bool Win32ShellLink::queryPersistFile() {
    return unknown_ != nullptr &&
           SUCCEEDED(unknown_->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist_)));
}

void Win32ShellLink::setPath(const std::string& path) {
    link_->SetPath(lur::wideFromUtf8(path).c_str());
}

void Win32ShellLink::setArguments(const std::string& arguments) {
    link_->SetArguments(lur::wideFromUtf8(arguments).c_str());
}

void Win32ShellLink::setWorkingDirectory(const std::string& directory) {
    link_->SetWorkingDirectory(lur::wideFromUtf8(directory).c_str());
}

void Win32ShellLink::setIconLocation(const std::string& path, int index) {
    link_->SetIconLocation(lur::wideFromUtf8(path).c_str(), index);
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
    wchar_t buffer[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH + 1);
    // A result that fills the buffer is a truncated path.
    if (length == 0 || length >= MAX_PATH + 1) {
        return std::nullopt;
    }
    return lur::utf8FromWide(std::wstring_view(buffer, length));
}

std::optional<std::string> Win32ShellApi::desktopDirectory() {
    LPITEMIDLIST list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, kDesktopDirectoryFolder, &list)) || list == nullptr) {
        return std::nullopt;
    }
    wchar_t buffer[MAX_PATH + 1] = {};
    const BOOL found = SHGetPathFromIDListW(list, buffer);
    freeComMemory(list);
    if (!found || buffer[0] == L'\0') {
        return std::nullopt;
    }
    return lur::utf8FromWide(buffer);
}

std::u16string Win32ShellApi::toUtf16(const std::string& utf8) {
    return lur::utf8ToUtf16(utf8).value_or(std::u16string());
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
    startComIfWanted(); // some verbs' handlers are COM objects
    ShellExecuteW(reinterpret_cast<HWND>(window), lur::wideFromUtf8(verb).c_str(),
                  lur::wideFromUtf8(file).c_str(), lur::wideFromUtf8(parameters).c_str(),
                  lur::wideFromUtf8(directory).c_str(), show);
}

} // namespace lurwin
