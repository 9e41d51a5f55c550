#include "lurcore/config/window_rules.h"

#include <algorithm>

namespace lurcore::config {

bool runsHigher(std::optional<std::uint32_t> theirs, std::optional<std::uint32_t> ours) {
    if (!ours) {
        return false;
    }
    return !theirs || *theirs > *ours;
}

bool mayHaveInputMethod(std::uint32_t layout) {
    const std::uint32_t primaryLanguage = layout & 0x3FF;
    constexpr std::uint32_t kChinese = 0x04;
    constexpr std::uint32_t kJapanese = 0x11;
    constexpr std::uint32_t kKorean = 0x12;
    const bool imeLayout = (layout & 0xF0000000u) == 0xE0000000u;
    return imeLayout || primaryLanguage == kChinese || primaryLanguage == kJapanese ||
           primaryLanguage == kKorean;
}

bool keyboardComposes(const KeyboardFacts& keyboard) {
    constexpr std::uint32_t kVietnamese = 0x2A;
    if ((keyboard.layout & 0x3FF) == kVietnamese || keyboard.inputMethod == InputMethodState::Open) {
        return false;
    }
    // A key that gives nothing says nothing; one that gives another letter than its own does.
    for (std::size_t index = 0; index < keyboard.letters.size(); ++index) {
        const char16_t given = keyboard.letters[index];
        const auto upper = static_cast<char16_t>(u'A' + index);
        const auto lower = static_cast<char16_t>(u'a' + index);
        if (given != 0 && given != upper && given != lower) {
            return false;
        }
    }
    return true;
}

KeyboardFacts KeyboardWatch::read(KeyboardSource& source) {
    KeyboardFacts facts;
    facts.layout = source.layout();
    if (layout_ != facts.layout) {
        layout_ = facts.layout;
        for (std::size_t index = 0; index < letters_.size(); ++index) {
            letters_[index] = source.letterKey(facts.layout, static_cast<int>(index));
        }
        for (std::size_t digit = 0; digit < digits_.size(); ++digit) {
            digits_[digit] = source.digitKey(facts.layout, static_cast<int>(digit));
        }
    }
    facts.letters = letters_;
    facts.digits = digits_;
    if (mayHaveInputMethod(facts.layout)) {
        if (const std::optional<bool> open = source.inputMethodOpen()) {
            inputMethod_ = *open ? InputMethodState::Open : InputMethodState::Closed;
        }
        facts.inputMethod = inputMethod_;
    }
    return facts;
}

bool digitRowGivesDigits(const KeyboardFacts& keyboard) {
    for (std::size_t digit = 0; digit < keyboard.digits.size(); ++digit) {
        if (keyboard.digits[digit] != 0 && keyboard.digits[digit] != static_cast<char16_t>(u'0' + digit)) {
            return false;
        }
    }
    return true;
}

bool isFullScreen(const ScreenFacts& screen) {
    if (screen.desktop) {
        return false;
    }
    if (screen.notificationState == kNotificationBusy ||
        screen.notificationState == kNotificationDirect3dFullScreen) {
        return true;
    }
    const Rectangle& window = screen.window;
    const Rectangle& monitor = screen.monitor;
    const bool monitorKnown = monitor.right > monitor.left && monitor.bottom > monitor.top;
    return monitorKnown && window.left <= monitor.left && window.top <= monitor.top &&
           window.right >= monitor.right && window.bottom >= monitor.bottom;
}

} // namespace lurcore::config
