#include "lurcore/win32/sender.h"

#include "lurcore/core/abbreviations.h"

#include <windows.h>

#include <memory>

namespace lurcore {
namespace {

constexpr WORD kUnassignedKey = 0xE8;

// Keys that sit apart from the number pad's keys of the same scan code: they carry the extended flag.
bool extendedKey(WORD virtualKey) {
    switch (virtualKey) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_INSERT:
    case VK_DELETE:
    case VK_RCONTROL:
    case VK_RMENU:
    case VK_LWIN:
    case VK_RWIN:
    case VK_APPS:
    case VK_DIVIDE:
    case VK_NUMLOCK:
        return true;
    default:
        return false;
    }
}

// The layout of the window that gets the keys: programs that read scan codes (remote desktops, virtual
// machines, games) see the key of that layout, as if it had been typed.
HKL targetLayout() {
    const HKL layout = GetKeyboardLayout(GetWindowThreadProcessId(GetForegroundWindow(), nullptr));
    return layout != nullptr ? layout : GetKeyboardLayout(0); // Wine tells no other process's layout
}

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

// A virtual key going down or up with its scan code and, where the key has one, the extended flag.
INPUT realKey(WORD virtualKey, HKL layout, bool up) {
    constexpr UINT kVirtualKeyToScanCodeExtended = 4; // MAPVK_VK_TO_VSC_EX, Vista and later: 0xE0xx
    UINT scan = MapVirtualKeyExW(virtualKey, kVirtualKeyToScanCodeExtended, layout);
    if (scan == 0) {
        scan = MapVirtualKeyExW(virtualKey, MAPVK_VK_TO_VSC, layout);
    }
    const bool extended = (scan & 0xFF00) == 0xE000 || (scan & 0xFF00) == 0xE100 || extendedKey(virtualKey);
    return keyInput(virtualKey, static_cast<WORD>(scan & 0xFF),
                    (extended ? KEYEVENTF_EXTENDEDKEY : 0) | (up ? KEYEVENTF_KEYUP : 0));
}

} // namespace

void sendEdit(const core::Edit& edit, core::Correction correction) {
    // The keys that replace what is on screen; then an abbreviation's text, and the key that ended it as
    // an ordinary key (the application types that with the Shift state held now, and Enter stays Enter).
    // All sent as one piece, so that no key typed meanwhile lands inside it. Kept off the stack for its
    // size, and made at the first edit rather than carried in the file; only the engine's thread sends.
    static const std::unique_ptr<INPUT[]> inputs(new INPUT[kEditInputs + kExpansionInputs]);
    UINT count = 0;
    const HKL layout = targetLayout();
    for (const core::Stroke& key : core::strokesFor(edit, correction)) {
        using Kind = core::Stroke::Kind;
        if (key.kind == Kind::Unit) {
            inputs[count++] = keyInput(0, key.code, KEYEVENTF_UNICODE);
            inputs[count++] = keyInput(0, key.code, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP);
            continue;
        }
        if (key.kind != Kind::Release) {
            inputs[count++] = realKey(key.code, layout, false);
        }
        if (key.kind != Kind::Hold) {
            inputs[count++] = realKey(key.code, layout, true);
        }
    }
    // The abbreviation's text is never longer than kMaxUnits (the reader of the user's file refuses
    // longer ones), so nothing is cut here.
    for (const char16_t unit : edit.expansion.substr(0, core::Abbreviations::kMaxUnits)) {
        inputs[count++] = keyInput(0, unit, KEYEVENTF_UNICODE);
        inputs[count++] = keyInput(0, unit, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP);
    }
    if (edit.replayKey != 0) {
        inputs[count++] = realKey(edit.replayKey, layout, false);
        inputs[count++] = realKey(edit.replayKey, layout, true);
    }
    if (count > 0) {
        SendInput(count, inputs.get(), sizeof(INPUT));
    }
}

void sendMenuBlocker() {
    const HKL layout = targetLayout();
    INPUT inputs[] = {realKey(kUnassignedKey, layout, false), realKey(kUnassignedKey, layout, true)};
    SendInput(2, inputs, sizeof(INPUT));
}

} // namespace lurcore
