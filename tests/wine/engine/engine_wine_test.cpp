// The real lurcore.dll as the program sees it. Runs under Wine.
#include "engine/lurcore.h"
#include "engine/product_names.h"
#include "lurcore/store/settings_file.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <set>
#include <string>
#include <vector>

TSharedSettings* SharedSettings = nullptr;

namespace {

std::string settingsFile() {
    char appData[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData);
    return std::string(appData) + "\\" LUR_SETTINGS_FOLDER "\\" LUR_SETTINGS_FILE;
}

std::string thisExe() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

// Runs this program again as a fresh process that only reads the block, and returns its ten bytes.
std::vector<int> blockSeenByANewProcess() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string out = std::string(temp) + "lurcore-child.txt";
    DeleteFileA(out.c_str());
    std::string command = "\"" + thisExe() + "\" --read-block \"" + out + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return {};
    }
    WaitForSingleObject(process.hProcess, 30000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::vector<int> bytes;
    std::ifstream in(out);
    for (int value; in >> value;) {
        bytes.push_back(value);
    }
    return bytes;
}

std::vector<int> asInts(const TSharedSettings& block) {
    const auto* raw = reinterpret_cast<const std::uint8_t*>(&block);
    return {raw, raw + sizeof block};
}

std::set<std::string> exportedNames(const char* dll) {
    std::set<std::string> names;
    HMODULE module = LoadLibraryExA(dll, nullptr, DONT_RESOLVE_DLL_REFERENCES);
    if (module == nullptr) {
        return names;
    }
    const auto* base = reinterpret_cast<const unsigned char*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew); // of this build's size
    const auto& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    const auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
    const auto* nameRvas = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
        names.insert(reinterpret_cast<const char*>(base + nameRvas[i]));
    }
    FreeLibrary(module);
    return names;
}

std::string runValue(const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0, KEY_READ,
                      &key) != ERROR_SUCCESS) {
        return "(no key)";
    }
    char value[1024] = {};
    DWORD size = sizeof value - 1;
    DWORD type = 0;
    const LONG result = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? std::string(value) : "(none)";
}

} // namespace

TEST(EngineDll, ExportsExactlyTheTenUndecoratedNames) {
    const std::set<std::string> expected = {
        "GetSharedData",    "WriteToFile", "SetRegValue", "DeleteRegKey", "StartKeyBoardHook",
        "StopKeyBoardHook", "SetCSet",     "SetKMode",    "SetBDau",      "InitVariable"};
    EXPECT_EQ(exportedNames("lurcore.dll"), expected);
    EXPECT_EQ(exportedNames("rec\\lurcore.dll"), expected) << "the recording engine has the same boundary";
}

TEST(EngineDll, StoredSettingsAreReadByTheNextProcess) {
    DeleteFileA(settingsFile().c_str());
    EXPECT_EQ(blockSeenByANewProcess(), asInts(lurcore::kDefaultSettings)) << "defaults before any store";

    GetSharedData(&SharedSettings);
    ASSERT_NE(SharedSettings, nullptr);
    const TSharedSettings stored{1, 0, 0, 1, 0, 0, 2, 1, 1, 1};
    *SharedSettings = stored;
    WriteToFile(&SharedSettings);
    EXPECT_EQ(blockSeenByANewProcess(), asInts(stored));

    TSharedSettings* again = nullptr;
    GetSharedData(&again);
    EXPECT_EQ(again, SharedSettings) << "one block per process";
}

TEST(EngineDll, DamagedFileReadsAsDefaults) {
    for (const std::string& content :
         {std::string("LURS"), std::string(19, '\x7f'), std::string(5000, 'x')}) {
        std::ofstream(settingsFile(), std::ios::binary | std::ios::trunc) << content;
        EXPECT_EQ(blockSeenByANewProcess(), asInts(lurcore::kDefaultSettings)) << content.size() << " bytes";
    }
    DeleteFileA(settingsFile().c_str());
}

TEST(EngineDll, StartupEntryIsQuotedAndRemovable) {
    const char* path = "C:\\Program Files\\Lurio 2008\\Lurb.exe";
    SetRegValue("Lurb", &path);
    EXPECT_EQ(runValue("Lurb"), "\"C:\\Program Files\\Lurio 2008\\Lurb.exe\"");
    DeleteRegKey("Lurb");
    EXPECT_EQ(runValue("Lurb"), "(none)");
    DeleteRegKey("Lurb"); // removing an absent entry is harmless
    SetRegValue("Lurb", nullptr);
    SetRegValue(nullptr, &path);
    EXPECT_EQ(runValue("Lurb"), "(none)");
}

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--read-block") == 0) {
        GetSharedData(&SharedSettings);
        if (FILE* out = std::fopen(argv[2], "w")) {
            for (int value : asInts(*SharedSettings)) {
                std::fprintf(out, "%d ", value);
            }
            std::fclose(out);
        }
        return 0;
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
