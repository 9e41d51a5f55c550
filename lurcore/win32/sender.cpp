#include "lurcore/win32/sender.h"

#include <windows.h>

#include <array>

namespace lurcore {
namespace {

constexpr WORD kUnassignedKey = 0xE8;

INPUT keyInput(WORD virtualKey, WORD scan, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = scan;
    input.ki.dwFlags = flags;
    input.ki.dwExtraInfo = static_cast<ULONG_PTR>(kOwnInputMarker);
    return input;
}

} // namespace

void sendEdit(const core::Edit& edit, core::Correction correction) {
    // Every key goes down and up; a held key's press and release are two of them. Kept on the stack:
    // this runs for every key typed.
    std::array<INPUT, 2 * core::Strokes::kCapacity> inputs;
    UINT count = 0;
    for (const core::Stroke& key : core::strokesFor(edit, correction)) {
        using Kind = core::Stroke::Kind;
        if (key.kind == Kind::Unit) {
            inputs[count++] = keyInput(0, key.code, KEYEVENTF_UNICODE);
            inputs[count++] = keyInput(0, key.code, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP);
            continue;
        }
        const DWORD extended = key.code == VK_LEFT ? KEYEVENTF_EXTENDEDKEY : 0;
        if (key.kind != Kind::Release) {
            inputs[count++] = keyInput(key.code, 0, extended);
        }
        if (key.kind != Kind::Hold) {
            inputs[count++] = keyInput(key.code, 0, extended | KEYEVENTF_KEYUP);
        }
    }
    if (count > 0) {
        SendInput(count, inputs.data(), sizeof(INPUT));
    }
    // An abbreviation's text, and the key that ended it as an ordinary key: the application types that
    // with the Shift state held now, and Enter stays Enter. Only at the end of a word.
    std::array<INPUT, 128> more;
    UINT queued = 0;
    const auto flush = [&] {
        if (queued > 0) {
            SendInput(queued, more.data(), sizeof(INPUT));
            queued = 0;
        }
    };
    for (const char16_t unit : edit.expansion) {
        if (queued + 2 > more.size()) {
            flush();
        }
        more[queued++] = keyInput(0, unit, KEYEVENTF_UNICODE);
        more[queued++] = keyInput(0, unit, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP);
    }
    if (edit.replayKey != 0) {
        if (queued + 2 > more.size()) {
            flush();
        }
        more[queued++] = keyInput(edit.replayKey, 0, 0);
        more[queued++] = keyInput(edit.replayKey, 0, KEYEVENTF_KEYUP);
    }
    flush();
}

void sendMenuBlocker() {
    INPUT inputs[] = {keyInput(kUnassignedKey, 0, 0), keyInput(kUnassignedKey, 0, KEYEVENTF_KEYUP)};
    SendInput(2, inputs, sizeof(INPUT));
}

} // namespace lurcore
