#include "lurcore/win32/sender.h"

#include <windows.h>

#include <array>
#include <vector>

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

void send(std::vector<INPUT>& inputs) {
    if (!inputs.empty()) {
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    }
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
}

void sendMenuBlocker() {
    std::vector<INPUT> inputs = {keyInput(kUnassignedKey, 0, 0),
                                 keyInput(kUnassignedKey, 0, KEYEVENTF_KEYUP)};
    send(inputs);
}

} // namespace lurcore
