#include "lurcore/core/key_handler.h"

#include "lurcore/core/virtual_keys.h"

namespace lurcore::core {
namespace {

constexpr std::uint8_t kShiftBits = KeyState::kLeftShift | KeyState::kRightShift;
constexpr std::uint8_t kControlBits = KeyState::kLeftControl | KeyState::kRightControl;

bool endsWordForAbbreviation(std::uint16_t key) {
    return key == vk::kSpace || key == vk::kReturn || (key >= vk::kDigit0 && key <= vk::kDigit9) ||
           (key >= vk::kMultiply && key <= vk::kDivide && key != vk::kSeparator) ||
           (key >= vk::kOem1 && key <= vk::kOem3) || (key >= vk::kOem4 && key <= vk::kOem8) ||
           key == vk::kOem102;
}

Edit passKey() {
    return {};
}
Edit swallowKey() {
    return {false, 0, {}};
}

} // namespace

std::uint8_t modifierBit(std::uint16_t key) {
    switch (key) {
    case vk::kShift:
    case vk::kLShift:
        return KeyState::kLeftShift;
    case vk::kRShift:
        return KeyState::kRightShift;
    case vk::kControl:
    case vk::kLControl:
        return KeyState::kLeftControl;
    case vk::kRControl:
        return KeyState::kRightControl;
    case vk::kMenu:
    case vk::kLMenu:
        return KeyState::kLeftAlt;
    case vk::kRMenu:
        return KeyState::kRightAlt;
    case vk::kLWin:
        return KeyState::kLeftWin;
    case vk::kRWin:
        return KeyState::kRightWin;
    default:
        return 0;
    }
}

KeyHandler::KeyHandler(std::function<WordSettings()> readSettings)
    : readSettings_(std::move(readSettings)),
      composer_({InputMethod::Vni, CodeTable::Unicode, ToneRule::Free, true}) {
    settings_ = readSettings_();
}

void KeyHandler::setInputMethod(InputMethod method) {
    setOption(&Options::inputMethod, method);
}

void KeyHandler::setCodeTable(CodeTable table) {
    setOption(&Options::codeTable, table);
}

void KeyHandler::setToneRule(ToneRule rule) {
    setOption(&Options::toneRule, rule);
}

void KeyHandler::setToneStyle(ToneStyle style) {
    setOption(&Options::toneStyle, style);
}

void KeyHandler::setQuickTelex(bool on) {
    setOption(&Options::quickTelex, on);
}

void KeyHandler::setAbbreviations(std::shared_ptr<const Abbreviations> abbreviations) {
    abbreviations_ = std::move(abbreviations);
}

void KeyHandler::setComposing(bool on) {
    composing_ = on;
    composer_.endWord();
}

void KeyHandler::setEnglishOnly(bool on) {
    englishOnly_ = on;
    if (on) {
        setComposing(false);
    }
}

void KeyHandler::otherInput() {
    shiftControlAlone_ = false;
    chordSpoiled_ = true;
}

void KeyHandler::toggle() {
    setComposing(!composing_);
}

void KeyHandler::startWordIfNeeded() {
    if (composer_.inWord()) {
        return;
    }
    settings_ = readSettings_();
    Options options = composer_.options();
    options.spellCheck = settings_.spellCheck;
    composer_.setOptions(options);
}

void KeyHandler::resync(const std::bitset<256>& down) {
    composer_.endWord();
    passedDown_ &= down;
    takenDown_ &= down;
    shiftControlAlone_ = false;
}

Edit KeyHandler::keyDown(std::uint16_t key, KeyState state) {
    state.held |= modifierBit(key);
    Edit edit = decideKeyDown(key, state);
    (edit.pass ? passedDown_ : takenDown_).set(key & 0xFF);
    return edit;
}

Edit KeyHandler::decideKeyDown(std::uint16_t key, KeyState state) {
    const std::uint8_t bit = modifierBit(key);
    if ((bit & (kShiftBits | kControlBits)) != 0) {
        // The first Shift or Ctrl begins a chord afresh; the keys' repeats continue it.
        if ((state.held & ~bit & (kShiftBits | kControlBits)) == 0) {
            chordSpoiled_ = false;
        }
        // Only Shift and Ctrl keys held: a release now is the Shift+Ctrl switch key.
        shiftControlAlone_ = !chordSpoiled_ && state.shift() && state.control() &&
                             (state.held & ~(kShiftBits | kControlBits)) == 0;
        return passKey();
    }
    shiftControlAlone_ = false;
    if (bit != 0 || key == vk::kCapital) {
        return passKey();
    }
    if (key == vk::kZ && state.alt() && !state.control() && !state.win() && !englishOnly_) {
        settings_ = readSettings_();
        if (settings_.switchKey == SwitchKey::AltZ) {
            toggle();
            return swallowKey();
        }
    }
    if (!composing_) {
        return passKey();
    }
    if (state.control() || state.alt() || state.win()) {
        composer_.endWord(); // a shortcut may move the caret or change the text
        return passKey();
    }
    if (key == vk::kBack) {
        return composer_.backspace();
    }
    return typeKey(key, state);
}

Edit KeyHandler::typeKey(std::uint16_t key, KeyState state) {
    char16_t character = 0;
    if (key >= vk::kA && key <= vk::kZ) {
        const bool upper = state.shift() != state.capsLock;
        character = static_cast<char16_t>((upper ? u'A' : u'a') + (key - vk::kA));
    } else if (key >= vk::kDigit0 && key <= vk::kDigit9 && !state.shift() && digitRow_) {
        character = static_cast<char16_t>(u'0' + (key - vk::kDigit0));
    }
    if (character == 0) {
        const Edit expanded = expandAbbreviation(key);
        composer_.endWord(); // space, punctuation, Enter, Tab, arrows and the rest
        return expanded;
    }
    startWordIfNeeded();
    return composer_.type(character);
}

// Space, Enter or punctuation after a word that is an abbreviation's key: the word is replaced by the
// text, and the key that ended it follows. Any other key, or another word, goes through.
Edit KeyHandler::expandAbbreviation(std::uint16_t endKey) {
    if (abbreviations_ == nullptr || !composer_.inWord() || !endsWordForAbbreviation(endKey)) {
        return passKey();
    }
    const int units = abbreviations_->expand(composer_.wordText(), composer_.options().codeTable, expansion_);
    if (units < 0) {
        return passKey();
    }
    Edit edit = swallowKey();
    edit.backspaces = composer_.shownUnits();
    edit.expansion = std::u16string_view(expansion_.data(), static_cast<std::size_t>(units));
    edit.replayKey = endKey;
    return edit;
}

Edit KeyHandler::keyUp(std::uint16_t key, KeyState /*state*/) {
    const std::size_t index = key & 0xFF;
    const bool applicationSawIt = passedDown_.test(index) || !takenDown_.test(index);
    passedDown_.reset(index);
    takenDown_.reset(index);
    if (!applicationSawIt) {
        return swallowKey();
    }
    if ((modifierBit(key) & (kShiftBits | kControlBits)) != 0 && shiftControlAlone_ && !englishOnly_) {
        shiftControlAlone_ = false;
        settings_ = readSettings_();
        if (settings_.switchKey == SwitchKey::ShiftCtrl) {
            toggle();
        }
    }
    return passKey();
}

} // namespace lurcore::core
