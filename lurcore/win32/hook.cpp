// Low-level keyboard and mouse hooks over the portable key handler. Everything runs on the thread
// that started the hook, inside its message loop: no locks, and nothing here waits.
#include "lurcore/win32/hook.h"

#include "lurcore/core/key_handler.h"
#include "lurcore/win32/block.h"
#include "lurcore/win32/foreground_process.h"
#include "lurcore/win32/sender.h"

#include <windows.h>

namespace lurcore {
namespace {

HHOOK g_keyboardHook = nullptr;
HHOOK g_mouseHook = nullptr;
HWND g_foreground = nullptr;

core::WordSettings blockSettings() {
    const TSharedSettings* block = lurcoreBlock();
    return {block->SpellCheck != 0,
            block->SwitchKey == 1 ? core::SwitchKey::ShiftCtrl : core::SwitchKey::AltZ};
}

core::KeyHandler& handler() {
    static core::KeyHandler keys(blockSettings);
    return keys;
}

LRESULT CALLBACK keyboardProc(int code, WPARAM message, LPARAM data) {
    if (code < 0) {
        return CallNextHookEx(g_keyboardHook, code, message, data);
    }
    const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
    if (key->dwExtraInfo == static_cast<ULONG_PTR>(kOwnInputMarker)) {
        return CallNextHookEx(g_keyboardHook, code, message, data);
    }
    const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    if (down) {
        // Typing in another window starts a new word there.
        const HWND foreground = GetForegroundWindow();
        if (foreground != g_foreground) {
            g_foreground = foreground;
            handler().endWord();
        }
    }
    const bool wasComposing = handler().composing();
    const core::Edit edit = down ? handler().keyDown(static_cast<std::uint16_t>(key->vkCode))
                                 : handler().keyUp(static_cast<std::uint16_t>(key->vkCode));
    if (edit.pass) {
        return CallNextHookEx(g_keyboardHook, code, message, data);
    }
    if (handler().composing() != wasComposing) {
        sendMenuBlocker(); // Alt+Z was swallowed: the lone Alt that remains must not open a menu
    }
    sendEdit(edit, correctionForWindow(g_foreground)); // fields that complete text need more than Backspaces
    return 1;
}

LRESULT CALLBACK mouseProc(int code, WPARAM message, LPARAM data) {
    if (code >= 0 && (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
                      message == WM_XBUTTONDOWN)) {
        handler().endWord(); // the caret may have moved
    }
    return CallNextHookEx(g_mouseHook, code, message, data);
}

HINSTANCE thisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&keyboardProc), &module);
    return module;
}

} // namespace

void hookStart() {
    if (g_keyboardHook == nullptr) {
        handler().setComposing(true); // a start while running keeps what the switch key chose
        // Caps Lock once from the system; after this the hook's own events keep it.
        handler().setCapsLock((GetKeyState(VK_CAPITAL) & 1) != 0);
        g_foreground = GetForegroundWindow();
        g_keyboardHook = SetWindowsHookExA(WH_KEYBOARD_LL, keyboardProc, thisModule(), 0);
    }
    if (g_mouseHook == nullptr) {
        g_mouseHook = SetWindowsHookExA(WH_MOUSE_LL, mouseProc, thisModule(), 0);
    }
}

void hookStop() {
    if (g_keyboardHook != nullptr) {
        UnhookWindowsHookEx(g_keyboardHook);
        g_keyboardHook = nullptr;
    }
    if (g_mouseHook != nullptr) {
        UnhookWindowsHookEx(g_mouseHook);
        g_mouseHook = nullptr;
    }
    handler().endWord();
}

void setCodeTable(std::uint8_t codeTable) {
    handler().setCodeTable(core::codeTableFromByte(codeTable));
}
void setInputMethod(std::uint8_t inputMethod) {
    handler().setInputMethod(core::inputMethodFromByte(inputMethod));
}
void setToneRule(std::uint8_t toneRule) {
    handler().setToneRule(core::toneRuleFromByte(toneRule));
}
void resetWord() {
    handler().endWord();
}

} // namespace lurcore
