#include "lurcore/win32/sender.h"

#include "lurcore/core/abbreviations.h"

#include <windows.h>

#include <array>

namespace lurcore {
namespace {

constexpr WORD kUnassignedKey = 0xE8;

// Every key goes down and up: two inputs for each stroke of an edit, and for each unit of the longest
// abbreviation in the widest table and the key that ended it.
constexpr std::size_t kEditInputs = 2 * core::Strokes::kCapacity;
constexpr std::size_t kExpansionInputs = 2 * core::Abbreviations::kMaxUnits + 2;

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
    // The keys that replace what is on screen; then an abbreviation's text, and the key that ended it as
    // an ordinary key (the application types that with the Shift state held now, and Enter stays Enter).
    // All sent as one piece, so that no key typed meanwhile lands inside it. Kept off the stack for its
    // size; only the engine's thread sends.
    static std::array<INPUT, kEditInputs + kExpansionInputs> inputs;
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
    // The abbreviation's text is never longer than kMaxUnits (the reader of the user's file refuses
    // longer ones), so nothing is cut here.
    for (const char16_t unit : edit.expansion.substr(0, core::Abbreviations::kMaxUnits)) {
        inputs[count++] = keyInput(0, unit, KEYEVENTF_UNICODE);
        inputs[count++] = keyInput(0, unit, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP);
    }
    if (edit.replayKey != 0) {
        inputs[count++] = keyInput(edit.replayKey, 0, 0);
        inputs[count++] = keyInput(edit.replayKey, 0, KEYEVENTF_KEYUP);
    }
    if (count > 0) {
        SendInput(count, inputs.data(), sizeof(INPUT));
    }
}

void sendMenuBlocker() {
    INPUT inputs[] = {keyInput(kUnassignedKey, 0, 0), keyInput(kUnassignedKey, 0, KEYEVENTF_KEYUP)};
    SendInput(2, inputs, sizeof(INPUT));
}

} // namespace lurcore
