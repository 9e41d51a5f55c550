// A stand-in engine for end-to-end tests of the program: it appends every call and its arguments to
// lurcore.log beside the DLL, and keeps the block as ten raw bytes in lurcore.blk beside the DLL, where a
// test can seed it before a run and read it afterwards.
#include "engine/lurcore.h"
#include "lurcore/store/settings_file.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

TSharedSettings g_block = lurcore::kDefaultSettings;
bool g_loaded = false;

std::string besideDll(const char* name) {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&besideDll), &module);
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
    std::string folder(path, length);
    folder.erase(folder.find_last_of('\\') + 1);
    return folder + name;
}

void record(const std::string& line) {
    if (FILE* log = std::fopen(besideDll("lurcore.log").c_str(), "ab")) {
        std::fprintf(log, "%s\n", line.c_str());
        std::fclose(log);
    }
}

std::string blockHex() {
    std::string hex;
    const auto* raw = reinterpret_cast<const unsigned char*>(&g_block);
    for (std::size_t i = 0; i < sizeof g_block; ++i) {
        char two[4];
        std::snprintf(two, sizeof two, "%s%02x", i ? " " : "", raw[i]);
        hex += two;
    }
    return hex;
}

TSharedSettings* block() {
    if (!g_loaded) {
        g_loaded = true;
        if (FILE* file = std::fopen(besideDll("lurcore.blk").c_str(), "rb")) {
            TSharedSettings seeded{};
            if (std::fread(&seeded, 1, sizeof seeded, file) == sizeof seeded) {
                g_block = seeded;
            }
            std::fclose(file);
        }
    }
    return &g_block;
}

} // namespace

extern "C" {

void LUR_STDCALL GetSharedData(TSharedSettings** settings) {
    record("GetSharedData");
    if (settings != nullptr) {
        *settings = block();
    }
}

void LUR_STDCALL WriteToFile(TSharedSettings** /*settings*/) {
    block();
    record("WriteToFile " + blockHex());
    if (FILE* file = std::fopen(besideDll("lurcore.blk").c_str(), "wb")) {
        std::fwrite(&g_block, 1, sizeof g_block, file);
        std::fclose(file);
    }
}

void LUR_STDCALL SetRegValue(const char* name, const char* const* path) {
    record(std::string("SetRegValue ") + (name ? name : "(null)") + " " + (path && *path ? *path : "(null)"));
}

void LUR_STDCALL DeleteRegKey(const char* name) {
    record(std::string("DeleteRegKey ") + (name ? name : "(null)"));
}
void LUR_STDCALL StartKeyBoardHook() {
    record("StartKeyBoardHook");
}
void LUR_STDCALL StopKeyBoardHook() {
    record("StopKeyBoardHook");
}
void LUR_STDCALL SetCSet(std::uint8_t codeTable) {
    record("SetCSet " + std::to_string(codeTable));
}
void LUR_STDCALL SetKMode(std::uint8_t inputMethod) {
    record("SetKMode " + std::to_string(inputMethod));
}
void LUR_STDCALL SetBDau(std::uint8_t toneRule) {
    record("SetBDau " + std::to_string(toneRule));
}
void LUR_STDCALL InitVariable() {
    record("InitVariable");
}

} // extern "C"
