// Low-level keyboard and mouse hooks over the portable key handler. They live on a thread of the
// engine's own with its own message loop, so that no handler of the program, however slow, holds a key
// event up past the system's hook time-out (after which Windows skips the hook, and from Windows 7 on
// removes it). The program's calls reach that thread as posted messages, in the order they were made;
// the key handler and everything it holds belong to that thread alone, so nothing is shared between
// the threads and no lock is needed. The settings the handler needs from the block travel the same
// way, read on the caller's thread.
#include "lurcore/win32/hook.h"

#include "engine/lurcore.h"
#include "lurcore/config/typing_mode.h"
#include "lurcore/config/window_rules.h"
#include "lurcore/core/key_handler.h"
#include "lurcore/win32/block.h"
#include "lurcore/win32/command_replies.h"
#include "lurcore/win32/foreground_process.h"
#include "lurcore/win32/program_window.h"
#include "lurcore/win32/sender.h"
#include "lurcore/win32/session_watch.h"
#include "lurcore/win32/user_config_watch.h"

#include <windows.h>

#include <optional>

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
    kCommandUserConfig, // lParam: a config::UserConfig the engine's thread takes over
    kCommandDropHooks,  // the test build's: the hooks go as the system takes them, unknown to the engine
    kCommandLast = kCommandDropHooks,
};
// Start, stop and the dropping of the hooks carry in lParam the number their caller waits for.

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

constexpr DWORD kFullScreenRecheckMs = 500;
constexpr WPARAM kMouseHorizontalWheel = 0x020E; // WM_MOUSEHWHEEL, Vista and later

// Everything the engine's thread owns. Only that thread touches it. Whether typing is Vietnamese is
// decided by the one rule (config::TypingMode); this side tells it what happened and what Windows says
// of the window in front, then carries out its answer: the hook in or out, keys composed or passed,
// the program told.
class EngineThread {
public:
    EngineThread() : keys_([this] { return settings_; }) {}
    ~EngineThread() { // the thread is ending: nothing of it stays with the system
        stop();
        if (foregroundHook_ != nullptr) {
            UnhookWinEvent(foregroundHook_);
        }
    }
    EngineThread(const EngineThread&) = delete;
    EngineThread& operator=(const EngineThread&) = delete;

    void command(UINT message, WPARAM value, LPARAM data, CommandReplies& replies) {
        const auto number = static_cast<std::uint32_t>(data);
        switch (message) {
        case kCommandStart:
            settings_ = unpackSettings(value);
            watchForeground();
            mode_.start();
            keys_.setComposing(true);   // every start begins a word afresh, also a start while running
            reportedVietnamese_ = true; // what the program shows after its start
            apply();
            replies.answer(number);
            return;
        case kCommandStop: {
            mode_.stop();
            reportedVietnamese_ = false; // what the program shows after its stop
            apply();
            // Stopped, with no program whose remembered mode could bring typing back and no converter's
            // key to answer (its thread ends with this one), the thread has nothing to do until the
            // next start: it ends, so that a program that unloads the engine after stopping it leaves
            // nothing behind.
            const bool ending = !mode_.mayListenAgain() && !converterKey_;
            if (ending) {
                PostQuitMessage(0);
            }
            replies.answer(number, ending);
            return;
        }
        case kCommandDropHooks:
            UnhookWindowsHookEx(keyboardHook_);
            UnhookWindowsHookEx(mouseHook_);
            replies.answer(number);
            return;
        case kCommandUserConfig:
            applyUserConfig(std::unique_ptr<config::UserConfig>(reinterpret_cast<config::UserConfig*>(data)));
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
        apply();
    }

    LRESULT keyboard(int code, WPARAM message, LPARAM data) {
        const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
        if (key->dwExtraInfo == static_cast<ULONG_PTR>(kOwnInputMarker)) {
            return CallNextHookEx(keyboardHook_, code, message, data);
        }
        const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
        // Typing in another window starts a new word there, and a chord begun elsewhere switches nothing.
        const HWND foreground = GetForegroundWindow();
        if (foreground != foreground_) {
            foreground_ = foreground;
            keys_.endWord();
            keys_.otherInput();
            focusChanged(foreground); // in case the system's notice has not come yet
        }
        checkWindow(); // at releases too: the keys that switch layouts take effect as they come up
        const core::KeyState state = sampleKeyState();
        const auto virtualKey = static_cast<std::uint16_t>(key->vkCode);
        const bool wasComposing = keys_.composing();
        const core::Edit edit = down ? keys_.keyDown(virtualKey, state) : keys_.keyUp(virtualKey, state);
        const bool switched = keys_.composing() != wasComposing;
        if (switched) {
            mode_.switched(keys_.composing()); // the switch key, in the program in front
        }
        LRESULT result = 1;
        if (edit.pass) {
            result = CallNextHookEx(keyboardHook_, code, message, data);
        } else {
            if (switched) {
                sendMenuBlocker(); // Alt+Z was swallowed: the lone Alt that remains must not open a menu
            }
            sendEdit(edit, window_.correction()); // completing fields need more than Backspaces
        }
        apply();
        return result;
    }

    LRESULT mouse(int code, WPARAM message, LPARAM data) {
        if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
            message == WM_XBUTTONDOWN) {
            keys_.endWord(); // the caret may have moved
            keys_.otherInput();
        } else if (message == WM_MOUSEWHEEL || message == kMouseHorizontalWheel) {
            keys_.otherInput(); // Ctrl+wheel zooms: the keys held are for that
        }
        return CallNextHookEx(mouseHook_, code, message, data);
    }

    // Another window came to the front (the system's notice, on this thread, or a key typed into it).
    void focusChanged(HWND window) {
        if (window == nullptr || window == focused_) {
            return;
        }
        focused_ = window;
        const config::WindowFacts facts = window_.arrived(window, mode_.watchesFullScreen());
        mode_.foreground(facts);
        fullScreenChecked_ = GetTickCount();
        // Our own windows and the taskbar's leave the facts of the program before, its keyboard too.
        focusedProgram_ = !facts.noProgram;
        if (focusedProgram_) {
            readKeyboard(window);
        }
    }

    // Tells the program whenever the mode typing is really in changes, whoever changed it: the switch
    // key, a start or stop, a window that types English. The program starts showing Vietnamese in step
    // with the first start that it makes (the settings it hands over before that change nothing).
    // After its own start it shows Vietnamese: it is told when the window in front keeps typing English.
    void reportMode() {
        if (!mode_.reports()) {
            return;
        }
        const bool vietnamese = mode_.vietnamese();
        if (vietnamese == reportedVietnamese_) {
            return;
        }
        reportedVietnamese_ = vietnamese;
        static const UINT message = RegisterWindowMessageA(kTypingModeMessage);
        if (const HWND window = programWindow(); window != nullptr && message != 0) {
            PostMessageW(window, message, vietnamese ? 1 : 0, 0);
        }
    }

    // The system may have taken the hooks away (see SessionWatch): fresh ones go in before the old
    // ones are removed, so that no key finds none. Typing stays in its mode; the word ends, and keys
    // released meanwhile are known to be up.
    void putHooksBack();

private:
    void start();

    // The facts of the window in front that change while it stays there: its keyboard (layout, input
    // method) at every key event, whether it fills its screen now and then.
    void checkWindow() {
        if (foreground_ == nullptr || foreground_ != focused_ || !focusedProgram_) {
            return;
        }
        if (mode_.watchesFullScreen() && GetTickCount() - fullScreenChecked_ >= kFullScreenRecheckMs) {
            fullScreenChecked_ = GetTickCount();
            focused_ = nullptr;
            focusChanged(foreground_);
            return;
        }
        readKeyboard(foreground_);
    }

    void readKeyboard(HWND window) {
        const config::KeyboardFacts keyboard = window_.keyboard(window);
        mode_.keyboard(config::keyboardComposes(keyboard));
        keys_.setDigitRow(config::digitRowGivesDigits(keyboard));
    }

    // Notices of the window in front, from the program's first start on.
    void watchForeground() {
        if (foregroundHook_ == nullptr) {
            foregroundHook_ = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                                              foregroundProc, 0, 0, WINEVENT_OUTOFCONTEXT);
            focused_ = nullptr;
            focusChanged(GetForegroundWindow());
        }
    }

    void applyUserConfig(std::unique_ptr<config::UserConfig> user) {
        keys_.setToneStyle(user->toneStyle);
        keys_.setQuickTelex(user->quickTelex);
        keys_.setAbbreviations(user->abbreviations->empty() ? nullptr : user->abbreviations);
        window_.setCompleting(std::move(user->completing));
        mode_.configure(user->perAppMode, std::move(user->englishOnly), user->fullScreen);
        converterKey_ = user->converter.hotkey.key != 0;
        if (foregroundHook_ != nullptr) {
            focused_ = nullptr; // the lists may have changed what the window in front is
            focusChanged(GetForegroundWindow());
        }
    }

    // Carries out the rule's answer: the hook in or out, keys composed or passed, the program told.
    void apply() {
        if (mode_.listening() && keyboardHook_ == nullptr) {
            start();
        } else if (!mode_.listening() && keyboardHook_ != nullptr) {
            stop();
        }
        keys_.setEnglishOnly(mode_.passAll());
        if (keys_.composing() != mode_.vietnamese()) {
            keys_.setComposing(mode_.vietnamese());
        }
        reportMode();
    }

    static void CALLBACK foregroundProc(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG, DWORD, DWORD);
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

    core::WordSettings settings_;
    core::KeyHandler keys_;
    HHOOK keyboardHook_ = nullptr;
    HHOOK mouseHook_ = nullptr;
    HWND foreground_ = nullptr; // the window in front at the last key
    HWINEVENTHOOK foregroundHook_ = nullptr;
    HWND focused_ = nullptr;      // the window in front the rule last heard of
    bool focusedProgram_ = false; // and it belongs to a program, not to us or the taskbar
    DWORD fullScreenChecked_ = 0;
    ForegroundWindow window_;
    config::TypingMode mode_;
    bool reportedVietnamese_ = true;
    bool converterKey_ = false; // the user's file names a key for the converter
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

void CALLBACK EngineThread::foregroundProc(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG, DWORD,
                                           DWORD) {
    if (g_engine != nullptr && object == OBJID_WINDOW) {
        g_engine->focusChanged(window);
        g_engine->apply();
    }
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
}

void EngineThread::putHooksBack() {
    const auto replace = [](HHOOK& hook, int kind, HOOKPROC procedure) {
        if (hook == nullptr) {
            return; // not in: stopped, and nothing to put back
        }
        if (const HHOOK fresh = SetWindowsHookExA(kind, procedure, thisModule(), 0); fresh != nullptr) {
            UnhookWindowsHookEx(hook); // fails when the system has removed it already
            hook = fresh;
        }
    };
    replace(keyboardHook_, WH_KEYBOARD_LL, keyboardProc);
    replace(mouseHook_, WH_MOUSE_LL, mouseProc);
    foreground_ = GetForegroundWindow();
    keys_.resync(keysDownNow());
}

// What the program's side hands the engine's thread as it makes it.
struct EngineStart {
    std::shared_ptr<CommandReplies> replies;
    std::uint32_t ready; // answered once the thread's queue takes commands
};

void runEngine(const EngineStart& start) {
    MSG message;
    PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE); // the thread's queue, before anyone posts
    EngineThread engine;
    g_engine = &engine;
    {
        const SessionWatch session([&engine] { engine.putHooksBack(); });
        // The user's own file: each reading comes to this thread, which takes it over.
        const DWORD thread = GetCurrentThreadId();
        const UserConfigWatch userConfig =
            watchUserConfig(lurcoreFolder(), [thread](std::unique_ptr<config::UserConfig> user) {
                if (PostThreadMessageW(thread, kCommandUserConfig, 0, reinterpret_cast<LPARAM>(user.get()))) {
                    user.release();
                }
            });
        start.replies->answer(start.ready);
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            if (message.hwnd == nullptr && message.message >= kCommandStart &&
                message.message <= kCommandLast) {
                engine.command(message.message, message.wParam, message.lParam, *start.replies);
            } else {
                DispatchMessageW(&message);
            }
        }
    }
    g_engine = nullptr;
    // A reading of the user's file still on its way is freed with the queue's other messages.
    while (PeekMessageW(&message, nullptr, kCommandUserConfig, kCommandUserConfig, PM_REMOVE)) {
        delete reinterpret_cast<config::UserConfig*>(message.lParam);
    }
}

// The thread holds a reference on this module, taken for it by its maker, and lets it go with its
// last instruction: the module is never unloaded under it, and nobody waits for it to end (least of
// all the loader, which must not wait on a thread).
DWORD WINAPI engineMain(void* parameter) {
    {
        const std::unique_ptr<EngineStart> start(static_cast<EngineStart*>(parameter));
        runEngine(*start);
    }
    FreeLibraryAndExitThread(thisModule(), 0);
}

// The program's side: starts the engine's thread at the first call and hands it each command. The
// thread ends after a stop that leaves it nothing to do; the next call starts a new one, which is
// given again the choices handed to the last.
class EngineLink {
public:
    EngineLink() { InitializeCriticalSection(&section_); }
    EngineLink(const EngineLink&) = delete;
    EngineLink& operator=(const EngineLink&) = delete;
    ~EngineLink() {
        DeleteCriticalSection(&section_);
        if (ended_ != nullptr) {
            CloseHandle(ended_);
        }
    }

    // A choice made while no thread runs is handed to the next one; nothing else is needed then.
    void post(Command command, WPARAM value = 0) {
        const SectionLock lock(section_);
        remember(command, value);
        if (threadId_ != 0) {
            PostThreadMessageW(threadId_, command, value, 0);
        }
    }

    // Start and stop return once their own command has been carried out, so that keys typed after
    // them follow them.
    void postAndWait(Command command, WPARAM value = 0) {
        const SectionLock lock(section_);
        if (command != kCommandStart && threadId_ == 0) {
            return; // nothing runs that could be stopped
        }
        if (!running()) {
            return;
        }
        const std::uint32_t number = replies_->next();
        if (!PostThreadMessageW(threadId_, command, value, static_cast<LPARAM>(number))) {
            threadId_ = 0; // gone: the next call makes a new one
            return;
        }
        if (replies_->wait(number, kReplyTimeoutMs).ending) {
            threadId_ = 0;
        }
    }

private:
    void remember(Command command, WPARAM value) {
        switch (command) {
        case kCommandCodeTable:
            codeTable_ = value;
            break;
        case kCommandInputMethod:
            inputMethod_ = value;
            break;
        case kCommandToneRule:
            toneRule_ = value;
            break;
        default:
            break;
        }
    }

    // True when the thread is there to take commands, made now if need be.
    bool running() {
        if (threadId_ != 0) {
            return true;
        }
        HMODULE module = nullptr; // the thread's own reference (see engineMain)
        if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                                reinterpret_cast<LPCWSTR>(&engineMain), &module)) {
            return false;
        }
        if (ended_ != nullptr) { // the thread before, which has answered its last stop, ends by itself
            WaitForSingleObject(ended_, kEndTimeoutMs);
            CloseHandle(ended_);
            ended_ = nullptr;
        }
        const std::uint32_t ready = replies_->next();
        auto* start = new EngineStart{replies_, ready};
        const HANDLE thread = CreateThread(nullptr, 0, engineMain, start, 0, &threadId_);
        if (thread == nullptr) {
            delete start;
            FreeLibrary(module);
            threadId_ = 0;
            return false;
        }
        SetThreadPriority(thread, THREAD_PRIORITY_TIME_CRITICAL);
        ended_ = thread;
        replies_->wait(ready, kReplyTimeoutMs);
        for (const auto& [command, value] :
             {std::pair{kCommandCodeTable, codeTable_}, std::pair{kCommandInputMethod, inputMethod_},
              std::pair{kCommandToneRule, toneRule_}}) {
            if (value) {
                PostThreadMessageW(threadId_, command, *value, 0);
            }
        }
        return true;
    }

    static constexpr DWORD kEndTimeoutMs = 5000;

    CRITICAL_SECTION section_;
    std::shared_ptr<CommandReplies> replies_ = std::make_shared<CommandReplies>();
    DWORD threadId_ = 0;
    HANDLE ended_ = nullptr; // the thread, kept to know when it has ended
    std::optional<WPARAM> codeTable_;
    std::optional<WPARAM> inputMethod_;
    std::optional<WPARAM> toneRule_;
};

EngineLink& engineLink() {
    static EngineLink link;
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

void hookDropForTest() {
    engineLink().postAndWait(kCommandDropHooks);
}

} // namespace lurcore
