#include "lurcore/win32/sender.h"

#include <windows.h>

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

void sendEdit(const core::Edit& edit) {
    std::vector<INPUT> inputs;
    inputs.reserve(2 * (edit.backspaces + edit.text.size() + edit.expansion.size() + 1));
    for (int count = 0; count < edit.backspaces; ++count) {
        inputs.push_back(keyInput(VK_BACK, 0, 0));
        inputs.push_back(keyInput(VK_BACK, 0, KEYEVENTF_KEYUP));
    }
    for (char16_t unit : edit.text) {
        inputs.push_back(keyInput(0, unit, KEYEVENTF_UNICODE));
        inputs.push_back(keyInput(0, unit, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
    }
    for (char16_t unit : edit.expansion) {
        inputs.push_back(keyInput(0, unit, KEYEVENTF_UNICODE));
        inputs.push_back(keyInput(0, unit, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
    }
    if (edit.replayKey != 0) {
        // The key that ended an abbreviation, as an ordinary key: the application types it with the
        // Shift state held now, Enter stays Enter.
        inputs.push_back(keyInput(edit.replayKey, 0, 0));
        inputs.push_back(keyInput(edit.replayKey, 0, KEYEVENTF_KEYUP));
    }
    send(inputs);
}

void sendMenuBlocker() {
    std::vector<INPUT> inputs = {keyInput(kUnassignedKey, 0, 0),
                                 keyInput(kUnassignedKey, 0, KEYEVENTF_KEYUP)};
    send(inputs);
}

} // namespace lurcore
