// The ten functions the program calls. Each is safe to call in any state and with null arguments.
#include "engine/product_names.h"
#include "engine/utf8.h"
#include "lurcore/store/run_command.h"
#include "lurcore/store/settings_store.h"
#include "lurcore/win32/block.h"
#include "lurcore/win32/hook.h"
#include "lurcore/win32/win32_file_ops.h"

#include <windows.h>
#include <shlobj.h>

#include <string>

namespace {

constexpr const wchar_t* kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kSettingsFolder = "\\" LUR_SETTINGS_FOLDER;
constexpr const char* kSettingsFile = "\\" LUR_SETTINGS_FILE;

// The folder for the settings (UTF-8), made if missing; empty when the user's data folder is unknown.
std::string settingsFolder() {
    wchar_t appData[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData))) {
        return {};
    }
    std::string folder = lur::utf8FromWide(appData) + kSettingsFolder;
    CreateDirectoryW(lur::wideFromUtf8(folder).c_str(), nullptr);
    return folder;
}

lurcore::SettingsStore& settingsStore() {
    static lurcore::Win32FileOps ops;
    static lurcore::SettingsStore store = [] {
        const std::string folder = lurcoreFolder();
        lurcore::SettingsStore loaded(ops, folder.empty() ? std::string() : folder + kSettingsFile,
                                      [](int milliseconds) { Sleep(static_cast<DWORD>(milliseconds)); });
        loaded.load();
        return loaded;
    }();
    return store;
}

// 8-bit text from the program is UTF-8. Text that is not (an older caller's ANSI path) is read in the
// system's code page, as it was meant.
std::wstring wideFromCaller(const char* text) {
    const auto utf16 = lur::utf8ToUtf16(text);
    if (utf16) {
        return std::wstring(utf16->begin(), utf16->end());
    }
    const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 1) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
    wide.resize(static_cast<std::size_t>(length - 1));
    return wide;
}

} // namespace

std::string lurcoreFolder() {
    static const std::string folder = settingsFolder();
    return folder;
}

TSharedSettings* lurcoreBlock() {
    return &settingsStore().block();
}

extern "C" {

void LUR_STDCALL GetSharedData(TSharedSettings** settings) {
    if (settings != nullptr) {
        *settings = lurcoreBlock();
    }
}

void LUR_STDCALL WriteToFile(TSharedSettings** /*settings*/) {
    // The block stored is always the engine's own; the argument only names the caller's pointer to it.
    lurcore::settingsChanged();
    settingsStore().store();
}

void LUR_STDCALL SetRegValue(const char* name, const char* const* path) {
    if (name == nullptr || *name == '\0' || path == nullptr || *path == nullptr) {
        return;
    }
    const std::wstring valueName = wideFromCaller(name);
    const std::wstring command =
        lur::wideFromUtf8(lurcore::runCommandFor(lur::utf8FromWide(wideFromCaller(*path))));
    if (valueName.empty() || command.empty()) {
        return;
    }
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        return;
    }
    RegSetValueExW(key, valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                   static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

void LUR_STDCALL DeleteRegKey(const char* name) {
    if (name == nullptr || *name == '\0') {
        return;
    }
    const std::wstring valueName = wideFromCaller(name);
    HKEY key = nullptr;
    if (valueName.empty() ||
        RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) {
        return;
    }
    RegDeleteValueW(key, valueName.c_str());
    RegCloseKey(key);
}

void LUR_STDCALL StartKeyBoardHook() {
    lurcore::hookStart();
}
void LUR_STDCALL StopKeyBoardHook() {
    lurcore::hookStop();
}
void LUR_STDCALL SetCSet(std::uint8_t codeTable) {
    lurcore::setCodeTable(codeTable);
}
void LUR_STDCALL SetKMode(std::uint8_t inputMethod) {
    lurcore::setInputMethod(inputMethod);
}
void LUR_STDCALL SetBDau(std::uint8_t toneRule) {
    lurcore::setToneRule(toneRule);
}
void LUR_STDCALL InitVariable() {
    lurcore::resetWord();
}

} // extern "C"
