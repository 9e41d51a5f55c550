// The [converter] section of lurio.ini: the key that converts the clipboard's text, and the forms it
// converts from and to.
#pragma once

#include "lurcore/convert/converter.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lurcore::config {

// Windows' own modifier flags for a hot key, so the engine hands them over as they are.
inline constexpr std::uint8_t kHotkeyAlt = 0x1, kHotkeyControl = 0x2, kHotkeyShift = 0x4, kHotkeyWin = 0x8;

struct Hotkey {
    std::uint8_t modifiers = 0;
    std::uint8_t key = 0; // a virtual-key number; 0 for no key at all

    bool operator==(const Hotkey&) const = default;
};

inline constexpr Hotkey kDefaultHotkey = {kHotkeyControl | kHotkeyShift, 0x78}; // Ctrl+Shift+F9

struct ConverterConfig {
    Hotkey hotkey = kDefaultHotkey;
    std::optional<convert::Form> from; // nothing: auto
    convert::Form to = convert::Form::Unicode;

    bool operator==(const ConverterConfig&) const = default;
};

// "Ctrl+Shift+F9", "Alt+K", "F8", or "off"; nothing when the text is no key a user can press alone
// safely (a letter or digit needs Ctrl, Alt or Win, or it could not be typed any more).
std::optional<Hotkey> parseHotkey(std::string_view text);
std::string hotkeyName(const Hotkey& hotkey);

// One "name = value" line of the section, the value already trimmed. False for an unknown name;
// otherwise sets the choice, or its default with `problem` saying why.
bool readConverterOption(std::string_view name, std::string_view value, ConverterConfig& config,
                         std::string& problem);

} // namespace lurcore::config
