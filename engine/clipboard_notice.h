// The engine's notice that the converter's key has converted the clipboard (or found nothing to do):
// a registered window message of this name, posted to the program's window so that its tray icon can
// say what was done. wParam: the text's characters; lParam: packed as below.
#pragma once

#include <cstdint>

inline constexpr const char* kClipboardConvertedMessage = "Lurio2008.ClipboardConverted";

struct ClipboardNotice {
    enum class Outcome : std::uint8_t { Converted = 0, Unchanged = 1, Replaced = 2, NoText = 3, Busy = 4 };
    Outcome outcome = Outcome::Converted;
    std::uint8_t from = 0; // the converter's forms, by number
    std::uint8_t to = 0;
    std::uint32_t characters = 0;

    std::uint32_t packed() const {
        return static_cast<std::uint32_t>(outcome) << 16 | static_cast<std::uint32_t>(from) << 8 | to;
    }
    static ClipboardNotice unpack(std::uint32_t characters, std::uint32_t packed) {
        return {static_cast<Outcome>(packed >> 16 & 0xFF), static_cast<std::uint8_t>(packed >> 8 & 0xFF),
                static_cast<std::uint8_t>(packed & 0xFF), characters};
    }
};
