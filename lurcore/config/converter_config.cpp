#include "lurcore/config/converter_config.h"

#include <array>

namespace lurcore::config {
namespace {

std::string lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return out;
}

struct NamedKey {
    std::string_view name;
    std::uint8_t key;
};
constexpr std::array<NamedKey, 10> kNamedKeys = {{
    {"space", 0x20},
    {"pageup", 0x21},
    {"pagedown", 0x22},
    {"end", 0x23},
    {"home", 0x24},
    {"insert", 0x2D},
    {"delete", 0x2E},
    {"pause", 0x13},
    {"scrolllock", 0x91},
    {"tab", 0x09},
}};

std::optional<std::uint8_t> keyOf(const std::string& name) {
    if (name.size() == 1 && ((name[0] >= 'a' && name[0] <= 'z') || (name[0] >= '0' && name[0] <= '9'))) {
        return static_cast<std::uint8_t>(name[0] >= 'a' ? name[0] - 'a' + 'A' : name[0]);
    }
    if (name.size() >= 2 && name.size() <= 3 && name[0] == 'f') {
        int number = 0;
        for (std::size_t i = 1; i < name.size(); ++i) {
            if (name[i] < '0' || name[i] > '9') {
                return std::nullopt;
            }
            number = number * 10 + (name[i] - '0');
        }
        if (number >= 1 && number <= 24) {
            return static_cast<std::uint8_t>(0x70 + number - 1);
        }
        return std::nullopt;
    }
    for (const auto& named : kNamedKeys) {
        if (named.name == name) {
            return named.key;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<Hotkey> parseHotkey(std::string_view text) {
    const std::string all = lower(text);
    if (all == "off" || all == "none") {
        return Hotkey{};
    }
    Hotkey hotkey;
    std::size_t from = 0;
    for (;;) {
        const std::size_t plus = all.find('+', from);
        std::string part = all.substr(from, plus == std::string::npos ? std::string::npos : plus - from);
        while (!part.empty() && part.front() == ' ') {
            part.erase(part.begin());
        }
        while (!part.empty() && part.back() == ' ') {
            part.pop_back();
        }
        if (plus == std::string::npos) {
            const auto key = keyOf(part);
            if (!key) {
                return std::nullopt;
            }
            hotkey.key = *key;
            break;
        }
        const std::uint8_t modifier = (part == "ctrl" || part == "control") ? kHotkeyControl
                                      : part == "shift"                     ? kHotkeyShift
                                      : part == "alt"                       ? kHotkeyAlt
                                      : part == "win"                       ? kHotkeyWin
                                                                            : 0;
        if (modifier == 0 || (hotkey.modifiers & modifier) != 0) {
            return std::nullopt;
        }
        hotkey.modifiers = static_cast<std::uint8_t>(hotkey.modifiers | modifier);
        from = plus + 1;
    }
    const bool functionKey = hotkey.key >= 0x70 && hotkey.key <= 0x87;
    if (!functionKey && (hotkey.modifiers & (kHotkeyControl | kHotkeyAlt | kHotkeyWin)) == 0) {
        return std::nullopt;
    }
    return hotkey;
}

std::string hotkeyName(const Hotkey& hotkey) {
    if (hotkey.key == 0) {
        return "off";
    }
    std::string name;
    name += (hotkey.modifiers & kHotkeyControl) != 0 ? "Ctrl+" : "";
    name += (hotkey.modifiers & kHotkeyAlt) != 0 ? "Alt+" : "";
    name += (hotkey.modifiers & kHotkeyShift) != 0 ? "Shift+" : "";
    name += (hotkey.modifiers & kHotkeyWin) != 0 ? "Win+" : "";
    if (hotkey.key >= 0x70 && hotkey.key <= 0x87) {
        return name + "F" + std::to_string(hotkey.key - 0x70 + 1);
    }
    for (const auto& named : kNamedKeys) {
        if (named.key == hotkey.key) {
            std::string shown(named.name);
            shown[0] = static_cast<char>(shown[0] - 'a' + 'A');
            return name + shown;
        }
    }
    return name + static_cast<char>(hotkey.key);
}

bool readConverterOption(std::string_view name, std::string_view value, ConverterConfig& config,
                         std::string& problem) {
    const std::string word = lower(value);
    if (name == "hotkey") {
        const auto hotkey = parseHotkey(value);
        config.hotkey = hotkey.value_or(kDefaultHotkey);
        if (!hotkey) {
            problem = "hotkey is \"" + std::string(value) +
                      "\"; it must be a key like Ctrl+Shift+F9 or Alt+K (a letter or digit with Ctrl, Alt or "
                      "Win), or off. Ctrl+Shift+F9 is used";
        }
        return true;
    }
    if (name == "from") {
        if (word == "auto") {
            config.from.reset();
            return true;
        }
        config.from = convert::formFromName(word);
        if (!config.from) {
            problem = "from is \"" + std::string(value) +
                      "\"; it must be auto or a form such as tcvn3, vni, unicode. auto is used";
        }
        return true;
    }
    if (name == "to") {
        const auto form = convert::formFromName(word);
        config.to = form.value_or(convert::Form::Unicode);
        if (!form) {
            problem = "to is \"" + std::string(value) +
                      "\"; it must be a form such as unicode, tcvn3, vni. unicode is used";
        }
        return true;
    }
    return false;
}

} // namespace lurcore::config
