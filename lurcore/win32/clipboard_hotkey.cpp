#include "lurcore/win32/clipboard_hotkey.h"

#include "engine/clipboard_notice.h"
#include "lurcore/convert/clipboard_text.h"
#include "lurcore/win32/program_window.h"

#include <windows.h>

#include <cstring>

namespace lurcore {
namespace {

constexpr int kHotkeyId = 1;
constexpr const wchar_t* kWindowClass = L"LurioConverterKey";
constexpr DWORD kClipboardRetryMs = 20;
constexpr int kClipboardTries = 25; // another program may hold the clipboard for a moment

HWND makeWindow() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = instance;
    wc.lpszClassName = kWindowClass;
    RegisterClassW(&wc);
    return CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
}

bool openClipboard(HWND window) {
    for (int attempt = 0; attempt < kClipboardTries; ++attempt) {
        if (OpenClipboard(window)) {
            return true;
        }
        Sleep(kClipboardRetryMs);
    }
    return false;
}

std::string number(std::size_t value) {
    // 1.234, as Vietnamese writes thousands
    std::string digits = std::to_string(value);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(static_cast<std::size_t>(at), ".");
    }
    return digits;
}

void tellProgram(const ClipboardNotice& notice) {
    static const UINT message = RegisterWindowMessageA(kClipboardConvertedMessage);
    if (const HWND window = programWindow(); window != nullptr && message != 0) {
        PostMessageW(window, message, notice.characters, static_cast<LPARAM>(notice.packed()));
    }
}

} // namespace

ClipboardHotkey::ClipboardHotkey(std::function<void(const std::string&)> note) : note_(std::move(note)) {
    window_ = makeWindow();
}

ClipboardHotkey::~ClipboardHotkey() {
    if (registered_) {
        UnregisterHotKey(static_cast<HWND>(window_), kHotkeyId);
    }
    if (window_ != nullptr) {
        DestroyWindow(static_cast<HWND>(window_));
    }
}

void ClipboardHotkey::configure(const config::ConverterConfig& config) {
    const bool sameKey = configured_ && config.hotkey == config_.hotkey;
    config_ = config;
    configured_ = true;
    if (sameKey || window_ == nullptr) {
        return;
    }
    if (registered_) {
        UnregisterHotKey(static_cast<HWND>(window_), kHotkeyId);
        registered_ = false;
    }
    if (config.hotkey.key == 0) {
        return;
    }
    registered_ = RegisterHotKey(static_cast<HWND>(window_), kHotkeyId, config.hotkey.modifiers,
                                 config.hotkey.key) != 0;
    if (!registered_) {
        note_("converter: the key " + config::hotkeyName(config.hotkey) +
              " cannot be registered (another program holds it); choose another in [converter] hotkey");
    }
}

void ClipboardHotkey::handleMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_HOTKEY && message.wParam == kHotkeyId) {
            convertClipboard();
            continue;
        }
        DispatchMessageW(&message);
    }
}

void ClipboardHotkey::convertClipboard() {
    ClipboardNotice notice;
    notice.to = static_cast<std::uint8_t>(config_.to);
    const HWND window = static_cast<HWND>(window_);
    if (!openClipboard(window)) {
        notice.outcome = ClipboardNotice::Outcome::Busy;
        note_("converter: the clipboard is held by another program; nothing was converted");
        tellProgram(notice);
        return;
    }
    std::u16string text;
    bool hasText = false;
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT); data != nullptr) {
        if (const auto* units = static_cast<const char16_t*>(GlobalLock(data)); units != nullptr) {
            const SIZE_T capacity = GlobalSize(data) / sizeof(char16_t);
            SIZE_T length = 0;
            while (length < capacity && units[length] != 0) {
                ++length;
            }
            text.assign(units, length);
            hasText = true;
            GlobalUnlock(data);
        }
    }
    if (!hasText) {
        CloseClipboard();
        notice.outcome = ClipboardNotice::Outcome::NoText;
        note_("converter: the clipboard holds no text");
        tellProgram(notice);
        return;
    }
    const convert::ClipboardConversion done = convert::convertClipboardText(text, config_.from, config_.to);
    notice.from = static_cast<std::uint8_t>(done.from);
    notice.characters = static_cast<std::uint32_t>(done.characters);
    notice.outcome = done.outcome == convert::ClipboardConversion::Outcome::Unchanged
                         ? ClipboardNotice::Outcome::Unchanged
                     : done.outcome == convert::ClipboardConversion::Outcome::Replaced
                         ? ClipboardNotice::Outcome::Replaced
                         : ClipboardNotice::Outcome::Converted;
    bool written = true;
    if (notice.outcome != ClipboardNotice::Outcome::Unchanged) {
        written = false;
        const SIZE_T bytes = (text.size() + 1) * sizeof(char16_t);
        if (const HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, bytes); copy != nullptr) {
            if (void* target = GlobalLock(copy); target != nullptr) {
                std::memcpy(target, text.c_str(), bytes);
                GlobalUnlock(copy);
                // Only once the new text is ready is the old one given up.
                if (EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, copy) != nullptr) {
                    written = true;
                }
            }
            if (!written) {
                GlobalFree(copy);
            }
        }
    }
    CloseClipboard();
    const std::string forms =
        std::string(convert::formTitle(done.from)) + " -> " + std::string(convert::formTitle(done.to));
    if (!written) {
        notice.outcome = ClipboardNotice::Outcome::Busy;
        note_("converter: " + forms + ": the clipboard could not be written; it holds the text as it was");
    } else if (notice.outcome == ClipboardNotice::Outcome::Unchanged) {
        note_("converter: " + forms + ": nothing to change in " + number(done.characters) + " characters");
    } else {
        note_("converter: " + forms + ": " + number(done.characters) + " characters" +
              (done.replaced > 0 ? ", " + number(done.replaced) + " written as ?" : std::string()));
    }
    tellProgram(notice);
}

} // namespace lurcore
