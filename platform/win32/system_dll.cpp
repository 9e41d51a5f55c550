#include "platform/win32/system_dll.h"

#include <objbase.h>

#include <string>

namespace lurwin {

namespace {

enum class ComState { NotWanted, Wanted, Started, Failed };
ComState g_com = ComState::NotWanted;

} // namespace

FARPROC systemProc(const wchar_t* dll, const char* name) {
    // By its full path, so a file of the same name beside the program is never taken for it.
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return nullptr;
    }
    const std::wstring path = std::wstring(folder, length) + L"\\" + dll;
    HMODULE module = GetModuleHandleW(path.c_str());
    if (module == nullptr) {
        module = LoadLibraryW(path.c_str());
    }
    return module != nullptr ? GetProcAddress(module, name) : nullptr;
}

void wantCom() {
    if (g_com == ComState::NotWanted) {
        g_com = ComState::Wanted;
    }
}

bool startComIfWanted() {
    if (g_com == ComState::Wanted) {
        static auto* const initialize = systemFunction<decltype(CoInitialize)>(L"ole32.dll", "CoInitialize");
        g_com =
            initialize != nullptr && SUCCEEDED(initialize(nullptr)) ? ComState::Started : ComState::Failed;
    }
    return g_com == ComState::Started;
}

void stopCom() {
    if (g_com == ComState::Started) {
        static auto* const uninitialize =
            systemFunction<decltype(CoUninitialize)>(L"ole32.dll", "CoUninitialize");
        uninitialize();
    }
    g_com = ComState::NotWanted;
}

HRESULT createComInstance(REFCLSID type, DWORD context, REFIID wanted, void** object) {
    startComIfWanted();
    static auto* const create = systemFunction<decltype(CoCreateInstance)>(L"ole32.dll", "CoCreateInstance");
    if (create == nullptr) {
        *object = nullptr;
        return REGDB_E_CLASSNOTREG;
    }
    return create(type, nullptr, context, wanted, object);
}

void freeComMemory(void* memory) {
    static auto* const release = systemFunction<decltype(CoTaskMemFree)>(L"ole32.dll", "CoTaskMemFree");
    if (release != nullptr) {
        release(memory);
    }
}

} // namespace lurwin
