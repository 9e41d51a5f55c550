#include "platform/win32/system_dll.h"

#include <objbase.h>

#include <string>

namespace lurwin {

namespace {

// Loaded by its name alone: the manifest's activation context then gives version 6 from the side-by-side
// store, before any folder is searched.
template <typename Function> Function* commonControlsFunction(const char* name) {
    static const HMODULE module = LoadLibraryW(L"comctl32.dll");
    return module != nullptr
               ? reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name)))
               : nullptr;
}

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

void initCommonControls() {
    static auto* const initialize =
        commonControlsFunction<decltype(InitCommonControlsEx)>("InitCommonControlsEx");
    if (initialize != nullptr) {
        INITCOMMONCONTROLSEX common{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
        initialize(&common);
    }
}

BOOL setWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data) {
    static auto* const set = commonControlsFunction<decltype(SetWindowSubclass)>("SetWindowSubclass");
    return set != nullptr ? set(window, procedure, id, data) : FALSE;
}

BOOL removeWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id) {
    static auto* const remove =
        commonControlsFunction<decltype(RemoveWindowSubclass)>("RemoveWindowSubclass");
    return remove != nullptr ? remove(window, procedure, id) : FALSE;
}

LRESULT defSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    static auto* const next = commonControlsFunction<decltype(DefSubclassProc)>("DefSubclassProc");
    return next != nullptr ? next(window, message, wParam, lParam)
                           : DefWindowProcW(window, message, wParam, lParam);
}

} // namespace lurwin
