// Key events as the hook sees them: Shift and Caps Lock for capitals, the two switch keys, chords and
// other keys that end a word, and the block's settings taken when a word starts.
#include "lurcore/core/key_handler.h"
#include "lurcore/core/virtual_keys.h"
#include "typing_support.h"

#include <gtest/gtest.h>

#include <sstream>

namespace lurcore::core::test {
namespace {

// Plays a script against the handler and an edit box. Tokens: shift+ shift- ctrl+ ctrl- alt+ alt-
// (down, up), caps, bs, space; anything else is typed key by key.
class Keyboard {
public:
    explicit Keyboard(InputMethod method) : handler_([this] { return settings; }) {
        handler_.setInputMethod(method);
    }

    std::u16string play(const std::string& script) {
        std::stringstream tokens(script);
        std::string token;
        while (tokens >> token) {
            if (token.size() > 1 && (token.back() == '+' || token.back() == '-')) {
                const std::string name = token.substr(0, token.size() - 1);
                const std::uint16_t key = name == "shift"  ? vk::kLShift
                                          : name == "ctrl" ? vk::kLControl
                                                           : vk::kLMenu;
                const bool down = token.back() == '+';
                down ? handler_.keyDown(key, state_) : handler_.keyUp(key, state_);
                state_.held = static_cast<std::uint8_t>(down ? state_.held | modifierBit(key)
                                                             : state_.held & ~modifierBit(key));
            } else if (token == "caps") {
                tap(vk::kCapital, 0);
                state_.capsLock = !state_.capsLock;
            } else if (token == "bs") {
                tap(vk::kBack, u'\b');
            } else if (token == "space") {
                tap(vk::kSpace, u' ');
            } else {
                for (char c : token) {
                    typeChar(c);
                }
            }
        }
        return screen_;
    }

    WordSettings settings;
    KeyHandler& handler() { return handler_; }

private:
    void typeChar(char c) {
        if (c >= 'a' && c <= 'z') {
            const bool upper = state_.shift() != state_.capsLock;
            tap(static_cast<std::uint16_t>(vk::kA + (c - 'a')),
                static_cast<char16_t>((upper ? 'A' : 'a') + (c - 'a')));
        } else if (c >= '0' && c <= '9') {
            tap(static_cast<std::uint16_t>(vk::kDigit0 + (c - '0')),
                state_.shift() ? u")!@#$%^&*("[c - '0'] : char16_t(c));
        }
    }

    // What the application does with a key that goes through, or with the edit sent instead.
    void tap(std::uint16_t key, char16_t appChar) {
        const Edit edit = handler_.keyDown(key, state_);
        handler_.keyUp(key, state_);
        if (!edit.pass) {
            screen_.resize(screen_.size() - edit.backspaces);
            screen_ += edit.text;
        } else if (appChar == u'\b') {
            if (!screen_.empty()) {
                screen_.pop_back();
            }
        } else if (appChar != 0 && !state_.control() && !state_.alt()) {
            screen_.push_back(appChar);
        }
    }

    KeyHandler handler_;
    std::u16string screen_;
    KeyState state_;
};

struct Case {
    const char* name;
    InputMethod method;
    SwitchKey switchKey;
    const char* script;
    const char16_t* shows;
};

const Case kCases[] = {
    {"shift makes a capital", InputMethod::Telex, SwitchKey::AltZ, "shift+ v shift- ieetj", u"Việt"},
    {"caps lock", InputMethod::Telex, SwitchKey::AltZ, "caps vieetj caps", u"VIỆT"},
    {"shift under caps lock", InputMethod::Telex, SwitchKey::AltZ, "caps shift+ a shift- caps space as",
     u"a á"},
    {"alt z switches off", InputMethod::Telex, SwitchKey::AltZ, "alt+ z alt- vieetj", u"vieetj"},
    {"alt z switches back", InputMethod::Telex, SwitchKey::AltZ, "alt+ z z alt- vieetj", u"việt"},
    {"alt z is a chord under shift ctrl", InputMethod::Telex, SwitchKey::ShiftCtrl, "alt+ z alt- vieetj",
     u"việt"},
    {"shift ctrl switches off", InputMethod::Telex, SwitchKey::ShiftCtrl, "shift+ ctrl+ ctrl- shift- vieetj",
     u"vieetj"},
    {"shift ctrl twice", InputMethod::Telex, SwitchKey::ShiftCtrl,
     "shift+ ctrl+ ctrl- shift- ctrl+ shift+ shift- ctrl- vieetj", u"việt"},
    {"shift ctrl is nothing under alt z", InputMethod::Telex, SwitchKey::AltZ,
     "shift+ ctrl+ ctrl- shift- vieetj", u"việt"},
    {"a shortcut with shift ctrl does not switch", InputMethod::Telex, SwitchKey::ShiftCtrl,
     "ctrl+ shift+ t shift- ctrl- vieetj", u"việt"},
    {"a chord ends the word", InputMethod::Telex, SwitchKey::AltZ, "vieet ctrl+ c ctrl- j", u"viêtj"},
    {"space ends the word", InputMethod::Telex, SwitchKey::AltZ, "tieeng space s", u"tiêng s"},
    {"backspace in the word", InputMethod::Telex, SwitchKey::AltZ, "tieengs bs bs", u"tiế"},
    {"backspace after the word", InputMethod::Telex, SwitchKey::AltZ, "as space bs bs", u""},
    {"shifted digits end the word", InputMethod::Vni, SwitchKey::AltZ, "a shift+ 1 shift- 1", u"a!1"},
    {"vni digits", InputMethod::Vni, SwitchKey::AltZ, "tie61ng space vie65t", u"tiếng việt"},
    {"passing keys leave backspace alone", InputMethod::Vni, SwitchKey::AltZ, "alt+ z alt- a1 bs", u"a"},
};

TEST(KeyHandler, Scripts) {
    for (const Case& c : kCases) {
        Keyboard keyboard(c.method);
        keyboard.settings.switchKey = c.switchKey;
        EXPECT_EQ(toUtf8(keyboard.play(c.script)), toUtf8(c.shows)) << c.name;
    }
}

TEST(KeyHandler, SpellingCheckIsTakenWhenAWordStarts) {
    Keyboard keyboard(InputMethod::Telex);
    keyboard.settings.spellCheck = true;
    keyboard.play("hocr");
    keyboard.settings.spellCheck = false; // written into the block in the middle of the word
    keyboard.play("space");
    EXPECT_EQ(toUtf8(keyboard.play("hocr")), "hocr hỏc");
}

TEST(KeyHandler, SwitchKeyIsTakenFromTheBlockWhenItIsPressed) {
    Keyboard keyboard(InputMethod::Telex);
    keyboard.settings.switchKey = SwitchKey::ShiftCtrl;
    keyboard.play("as");
    keyboard.settings.switchKey = SwitchKey::AltZ;
    EXPECT_EQ(toUtf8(keyboard.play("alt+ z alt- as")), "áas");
    EXPECT_FALSE(keyboard.handler().composing());
}

TEST(KeyHandler, ReleaseFollowsWhatTheApplicationSaw) {
    KeyHandler handler([] { return WordSettings{}; });
    handler.setInputMethod(InputMethod::Telex);
    const auto letter = [](char c) { return static_cast<std::uint16_t>(vk::kA + (c - 'a')); };
    const KeyState none;

    // E goes through, its repeat is taken over (ê): the application saw E go down, so it sees it go up.
    EXPECT_TRUE(handler.keyDown(letter('e'), none).pass);
    const Edit repeat = handler.keyDown(letter('e'), none);
    EXPECT_FALSE(repeat.pass);
    EXPECT_EQ(repeat.backspaces, 1);
    EXPECT_TRUE(handler.keyUp(letter('e'), none).pass);

    // The tone key is taken over (the word is rewritten), and so is its release.
    EXPECT_FALSE(handler.keyDown(letter('s'), none).pass);
    EXPECT_FALSE(handler.keyDown(letter('s'), none).pass) << "auto-repeat: undo the tone";
    EXPECT_FALSE(handler.keyUp(letter('s'), none).pass);

    // A word end goes through, press and release.
    EXPECT_TRUE(handler.keyDown(vk::kSpace, none).pass);
    EXPECT_TRUE(handler.keyUp(vk::kSpace, none).pass);

    // Alt+Z switches off: Z and its release are taken, Alt's release goes through.
    const KeyState alt{KeyState::kRightAlt, false};
    EXPECT_TRUE(handler.keyDown(vk::kRMenu, none).pass);
    EXPECT_FALSE(handler.keyDown(vk::kZ, alt).pass);
    EXPECT_FALSE(handler.composing());
    EXPECT_FALSE(handler.keyUp(vk::kZ, alt).pass);
    EXPECT_TRUE(handler.keyUp(vk::kRMenu, alt).pass);

    // Switched off, everything goes through.
    EXPECT_TRUE(handler.keyDown(letter('s'), none).pass);
    EXPECT_TRUE(handler.keyUp(letter('s'), none).pass);
}

TEST(KeyHandler, SettingsFromTheProgramEndTheWord) {
    Keyboard keyboard(InputMethod::Telex);
    keyboard.play("a");
    keyboard.handler().setCodeTable(CodeTable::VniWindows);
    EXPECT_FALSE(keyboard.handler().inWord());
    EXPECT_EQ(keyboard.handler().options().codeTable, CodeTable::VniWindows);
    keyboard.handler().setToneRule(ToneRule::AfterVowel);
    EXPECT_EQ(toUtf8(keyboard.play("toans")), "atoans");
}

} // namespace
} // namespace lurcore::core::test
