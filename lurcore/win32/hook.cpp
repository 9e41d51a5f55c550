// Low-level keyboard and mouse hooks over the portable key handler. They live on a thread of the
// engine's own with its own message loop, so that no handler of the program, however slow, holds a key
// event up past the system's hook time-out (after which Windows skips the hook, and from Windows 7 on
// removes it). The program's calls reach that thread as posted messages, in the order they were made;
// the key handler and everything it holds belong to that thread alone, so nothing is shared between
// the threads and no lock is needed. The settings the handler needs from the block travel the same
// way, read on the caller's thread.
#include "lurcore/win32/hook.h"

#include "engine/lurcore.h"
#include "lurcore/core/key_handler.h"
#include "lurcore/win32/block.h"
#include "lurcore/win32/foreground_process.h"
#include "lurcore/win32/sender.h"
#include "platform/win32/window_ids.h"

#include <windows.h>

namespace lurcore {
namespace {

enum Command : UINT {
    kCommandStart = WM_APP + 1, // wParam: the block's settings, as packSettings makes them
    kCommandStop,
    kCommandSettings,
    kCommandCodeTable, // wParam: the byte
    kCommandInputMethod,
    kCommandToneRule,
    kCommandResetWord,
};

constexpr DWORD kReplyTimeoutMs = 5000;

WPARAM packSettings() {
    const TSharedSettings* block = lurcoreBlock();
    return (block->SpellCheck != 0 ? 1u : 0u) | (block->SwitchKey == 1 ? 2u : 0u);
}

core::WordSettings unpackSettings(WPARAM packed) {
    return {(packed & 1u) != 0, (packed & 2u) != 0 ? core::SwitchKey::ShiftCtrl : core::SwitchKey::AltZ};
}

// The keyboard as the system has it now. The asynchronous state is current for every earlier event
// (a thread's own GetKeyState lags behind it inside a low-level hook); the event's own key is applied
// by the key handler.
core::KeyState sampleKeyState() {
    static constexpr struct {
        int virtualKey;
        std::uint8_t bit;
    } kModifiers[] = {
        {VK_LSHIFT, core::KeyState::kLeftShift},     {VK_RSHIFT, core::KeyState::kRightShift},
        {VK_LCONTROL, core::KeyState::kLeftControl}, {VK_RCONTROL, core::KeyState::kRightControl},
        {VK_LMENU, core::KeyState::kLeftAlt},        {VK_RMENU, core::KeyState::kRightAlt},
        {VK_LWIN, core::KeyState::kLeftWin},         {VK_RWIN, core::KeyState::kRightWin},
    };
    core::KeyState state;
    for (const auto& modifier : kModifiers) {
        if (GetAsyncKeyState(modifier.virtualKey) < 0) {
            state.held = static_cast<std::uint8_t>(state.held | modifier.bit);
        }
    }
    state.capsLock = (GetKeyState(VK_CAPITAL) & 1) != 0;
    return state;
}

// The program's window in this process, to be told of a switch; null when it has none.
HWND programWindow() {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, lurwin::kFormClass, nullptr)) != nullptr) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == GetCurrentProcessId()) {
            return window;
        }
    }
    return nullptr;
}

// Everything the engine's thread owns. Only that thread touches it.
class EngineThread {
public:
    EngineThread() : keys_([this] { return settings_; }) {}

    void command(UINT message, WPARAM value, HANDLE reply) {
        switch (message) {
        case kCommandStart:
            settings_ = unpackSettings(value);
            start();
            SetEvent(reply);
            break;
        case kCommandStop:
            stop();
            SetEvent(reply);
            break;
        case kCommandSettings:
            settings_ = unpackSettings(value);
            break;
        case kCommandCodeTable:
            keys_.setCodeTable(core::codeTableFromByte(static_cast<std::uint8_t>(value)));
            break;
        case kCommandInputMethod:
            keys_.setInputMethod(core::inputMethodFromByte(static_cast<std::uint8_t>(value)));
            break;
        case kCommandToneRule:
            keys_.setToneRule(core::toneRuleFromByte(static_cast<std::uint8_t>(value)));
            break;
        case kCommandResetWord:
            keys_.endWord();
            break;
        default:
            break;
        }
        reportMode();
    }

    LRESULT keyboard(int code, WPARAM message, LPARAM data) {
        const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
        if (key->dwExtraInfo == static_cast<ULONG_PTR>(kOwnInputMarker)) {
            return CallNextHookEx(keyboardHook_, code, message, data);
        }
        const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
        if (down) {
            // Typing in another window starts a new word there.
            const HWND foreground = GetForegroundWindow();
            if (foreground != foreground_) {
                foreground_ = foreground;
                keys_.endWord();
            }
        }
        const core::KeyState state = sampleKeyState();
        const auto virtualKey = static_cast<std::uint16_t>(key->vkCode);
        const bool wasComposing = keys_.composing();
        const core::Edit edit = down ? keys_.keyDown(virtualKey, state) : keys_.keyUp(virtualKey, state);
        LRESULT result = 1;
        if (edit.pass) {
            result = CallNextHookEx(keyboardHook_, code, message, data);
        } else {
            if (keys_.composing() != wasComposing) {
                sendMenuBlocker(); // Alt+Z was swallowed: the lone Alt that remains must not open a menu
            }
            sendEdit(edit, correctionForWindow(foreground_)); // completing fields need more than Backspaces
        }
        reportMode();
        return result;
    }

    LRESULT mouse(int code, WPARAM message, LPARAM data) {
        if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
            message == WM_XBUTTONDOWN) {
            keys_.endWord(); // the caret may have moved
        }
        return CallNextHookEx(mouseHook_, code, message, data);
    }

private:
    void start();
    void stop() {
        if (keyboardHook_ != nullptr) {
            UnhookWindowsHookEx(keyboardHook_);
            keyboardHook_ = nullptr;
        }
        if (mouseHook_ != nullptr) {
            UnhookWindowsHookEx(mouseHook_);
            mouseHook_ = nullptr;
        }
        keys_.endWord();
    }

    // Tells the program whenever the mode typing is really in changes, whoever changed it: the
    // switch key, or a start or stop of the hook. The program starts showing Vietnamese, in step with
    // the first start that it makes (the settings it hands over before that change nothing).
    void reportMode() {
        if (!started_) {
            return;
        }
        const bool vietnamese = keyboardHook_ != nullptr && keys_.composing();
        if (vietnamese == reportedVietnamese_) {
            return;
        }
        reportedVietnamese_ = vietnamese;
        static const UINT message = RegisterWindowMessageA(kTypingModeMessage);
        if (const HWND window = programWindow(); window != nullptr && message != 0) {
            PostMessageW(window, message, vietnamese ? 1 : 0, 0);
        }
    }

    core::WordSettings settings_;
    core::KeyHandler keys_;
    HHOOK keyboardHook_ = nullptr;
    HHOOK mouseHook_ = nullptr;
    HWND foreground_ = nullptr;
    bool started_ = false;
    bool reportedVietnamese_ = true;
};

// Set once by the engine's thread before it runs; read by the hook procedures on that same thread.
EngineThread* g_engine = nullptr;

LRESULT CALLBACK keyboardProc(int code, WPARAM message, LPARAM data) {
    if (code < 0 || g_engine == nullptr) {
        return CallNextHookEx(nullptr, code, message, data);
    }
    return g_engine->keyboard(code, message, data);
}

LRESULT CALLBACK mouseProc(int code, WPARAM message, LPARAM data) {
    if (code < 0 || g_engine == nullptr) {
        return CallNextHookEx(nullptr, code, message, data);
    }
    return g_engine->mouse(code, message, data);
}

HINSTANCE thisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&keyboardProc), &module);
    return module;
}

void EngineThread::start() {
    if (keyboardHook_ == nullptr) {
        foreground_ = GetForegroundWindow();
        keyboardHook_ = SetWindowsHookExA(WH_KEYBOARD_LL, keyboardProc, thisModule(), 0);
    }
    if (mouseHook_ == nullptr) {
        mouseHook_ = SetWindowsHookExA(WH_MOUSE_LL, mouseProc, thisModule(), 0);
    }
    keys_.setComposing(true); // every start begins in Vietnamese, also a start while running
    started_ = true;
}

// `reply` is the event the thread sets once its queue takes commands, and after each start and stop.
DWORD WINAPI engineMain(void* reply) {
    MSG message;
    PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE); // the thread's queue, before anyone posts
    EngineThread engine;
    g_engine = &engine;
    SetEvent(reply);
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.hwnd == nullptr && message.message >= kCommandStart &&
            message.message <= kCommandResetWord) {
            engine.command(message.message, message.wParam, reply);
        } else {
            DispatchMessageW(&message);
        }
    }
    return 0;
}

// The program's side: starts the engine's thread at the first call and hands it each command.
class EngineLink {
public:
    EngineLink() {
        reply_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
        const HANDLE thread = CreateThread(nullptr, 0, engineMain, reply_, 0, &threadId_);
        if (thread == nullptr) {
            threadId_ = 0;
            return;
        }
        SetThreadPriority(thread, THREAD_PRIORITY_TIME_CRITICAL);
        WaitForSingleObject(reply_, kReplyTimeoutMs);
        CloseHandle(thread);
    }

    void post(Command command, WPARAM value = 0) const {
        if (threadId_ != 0) {
            PostThreadMessageW(threadId_, command, value, 0);
        }
    }

    // Start and stop return once the hook is in or out, so that keys typed after them follow them.
    void postAndWait(Command command, WPARAM value = 0) const {
        if (threadId_ != 0 && PostThreadMessageW(threadId_, command, value, 0)) {
            WaitForSingleObject(reply_, kReplyTimeoutMs);
        }
    }

private:
    HANDLE reply_ = nullptr;
    DWORD threadId_ = 0;
};

const EngineLink& engineLink() {
    static const EngineLink link;
    return link;
}

} // namespace

void hookStart() {
    engineLink().postAndWait(kCommandStart, packSettings());
}

void hookStop() {
    engineLink().postAndWait(kCommandStop);
}

void settingsChanged() {
    engineLink().post(kCommandSettings, packSettings());
}

void setCodeTable(std::uint8_t codeTable) {
    engineLink().post(kCommandCodeTable, codeTable);
}
void setInputMethod(std::uint8_t inputMethod) {
    engineLink().post(kCommandInputMethod, inputMethod);
}
void setToneRule(std::uint8_t toneRule) {
    engineLink().post(kCommandToneRule, toneRule);
}
void resetWord() {
    engineLink().post(kCommandResetWord);
}

} // namespace lurcore
