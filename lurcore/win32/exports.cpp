// The ten functions the program calls. Each is safe to call in any state and with null arguments.
#include "lurcore/store/atomic_file.h"
#include "lurcore/store/run_command.h"
#include "lurcore/store/settings_file.h"
#include "lurcore/win32/block.h"
#include "lurcore/win32/hook.h"
#include "lurcore/win32/win32_file_ops.h"

#include <windows.h>
#include <shlobj.h>

#include <string>

namespace {

constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kSettingsFolder = "\\Lurio 2008";
constexpr const char* kSettingsFile = "\\lurcore.cfg";
// Larger than any valid file, so an oversize file is seen as such rather than read in part.
constexpr std::size_t kReadLimit = 4096;

TSharedSettings g_block = lurcore::kDefaultSettings;
bool g_loaded = false;

// The folder for the settings, made if missing; empty when the user's data folder is unknown.
std::string settingsFolder() {
    char appData[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData))) {
        return {};
    }
    std::string folder = std::string(appData) + kSettingsFolder;
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

} // namespace

TSharedSettings* lurcoreBlock() {
    if (!g_loaded) {
        g_loaded = true;
        const std::string folder = settingsFolder();
        if (!folder.empty()) {
            lurcore::Win32FileOps ops;
            g_block = lurcore::settingsOrDefaults(ops.read(folder + kSettingsFile, kReadLimit));
        }
    }
    return &g_block;
}

extern "C" {

void LUR_STDCALL GetSharedData(TSharedSettings** settings) {
    if (settings != nullptr) {
        *settings = lurcoreBlock();
    }
}

void LUR_STDCALL WriteToFile(TSharedSettings** /*settings*/) {
    // The block stored is always the engine's own; the argument only names the caller's pointer to it.
    const TSharedSettings block = *lurcoreBlock();
    lurcore::settingsChanged();
    const std::string folder = settingsFolder();
    if (folder.empty()) {
        return;
    }
    lurcore::Win32FileOps ops;
    lurcore::saveAtomically(ops, folder + kSettingsFile, lurcore::encodeSettings(block));
}

void LUR_STDCALL SetRegValue(const char* name, const char* const* path) {
    if (name == nullptr || *name == '\0' || path == nullptr || *path == nullptr) {
        return;
    }
    const std::string command = lurcore::runCommandFor(*path);
    if (command.empty()) {
        return;
    }
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        return;
    }
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                   static_cast<DWORD>(command.size() + 1));
    RegCloseKey(key);
}

void LUR_STDCALL DeleteRegKey(const char* name) {
    if (name == nullptr || *name == '\0') {
        return;
    }
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) {
        return;
    }
    RegDeleteValueA(key, name);
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
