#include "lurcore/win32/hook.h"

#include <windows.h>

namespace lurcore {
namespace {

HHOOK g_hook = nullptr;
std::uint8_t g_codeTable = 0;
std::uint8_t g_inputMethod = 0;
std::uint8_t g_toneRule = 0;

LRESULT CALLBACK keyboardProc(int code, WPARAM wParam, LPARAM lParam) {
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

HINSTANCE thisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&keyboardProc), &module);
    return module;
}

} // namespace

void hookStart() {
    if (g_hook == nullptr) {
        g_hook = SetWindowsHookExA(WH_KEYBOARD_LL, keyboardProc, thisModule(), 0);
    }
}

void hookStop() {
    if (g_hook != nullptr) {
        UnhookWindowsHookEx(g_hook);
        g_hook = nullptr;
    }
}

void setCodeTable(std::uint8_t codeTable) { g_codeTable = codeTable; }
void setInputMethod(std::uint8_t inputMethod) { g_inputMethod = inputMethod; }
void setToneRule(std::uint8_t toneRule) { g_toneRule = toneRule; }
void resetWord() {}

} // namespace lurcore
