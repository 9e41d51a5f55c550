// Key events as the hook sees them: Shift and Caps Lock for capitals, the two switch keys, chords and
// other keys that end a word, and the block's settings taken when a word starts.
#include "lurcore/core/key_handler.h"
#include "lurcore/core/virtual_keys.h"
#include "typing_support.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

namespace lurcore::core::test {
namespace {

// Plays a script against the handler and an edit box. Tokens: shift+ shift- ctrl+ ctrl- alt+ alt-
// (down, up; a second down is the key's repeat), click, caps, bs, space; anything else is typed key by key.
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
            } else if (token == "click") {
                handler_.otherInput(); // a mouse button or wheel, or another window in front
            } else if (token == "caps") {
                tap(vk::kCapital, 0);
                state_.capsLock = !state_.capsLock;
            } else if (token == "bs") {
                tap(vk::kBack, u'\b');
            } else if (token == "space") {
                tap(vk::kSpace, u' ');
            } else if (token == "enter") {
                tap(vk::kReturn, u'\n');
            } else if (token == "dot") {
                tap(vk::kOem1 + 4, u'.'); // the period key
            } else if (token == "tab") {
                tap(0x09, u'\t');
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
            if (edit.backspaces > static_cast<int>(screen_.size())) {
                throw std::runtime_error("erased more than was typed");
            }
            screen_.resize(screen_.size() - edit.backspaces);
            screen_ += edit.text;
            screen_ += edit.expansion;
            if (edit.replayKey == key) {
                screen_.push_back(appChar); // sent again after the text, as the system would type it
            } else if (edit.replayKey != 0) {
                throw std::runtime_error("replayed another key");
            }
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
    {"shift ctrl click selects, switches nothing", InputMethod::Telex, SwitchKey::ShiftCtrl,
     "ctrl+ shift+ click shift+ ctrl+ shift- ctrl- vieetj", u"việt"},
    {"shift ctrl wheel zooms, switches nothing", InputMethod::Telex, SwitchKey::ShiftCtrl,
     "shift+ ctrl+ click ctrl- ctrl+ ctrl- shift- vieetj", u"việt"},
    {"the next chord alone switches again", InputMethod::Telex, SwitchKey::ShiftCtrl,
     "ctrl+ shift+ click shift- ctrl- ctrl+ shift+ shift- ctrl- vieetj", u"vieetj"},
    {"a click before the chord spoils nothing", InputMethod::Telex, SwitchKey::ShiftCtrl,
     "click ctrl+ click ctrl- shift+ ctrl+ ctrl- shift- vieetj", u"vieetj"},
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

// On a keyboard whose number row does not give the digits (French), those keys are not VNI's tone keys.
TEST(KeyHandler, ANumberRowWithoutDigitsTypesNoToneKeys) {
    Keyboard keyboard(InputMethod::Vni);
    keyboard.handler().setDigitRow(false);
    EXPECT_EQ(keyboard.play("vie65t"), u"vie65t");
    keyboard.handler().setDigitRow(true);
    EXPECT_EQ(keyboard.play("space vie65t"), u"vie65t việt");
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

// After the hooks were put back, a key whose taken press is still held keeps its release taken; one
// the keyboard has up (its release went by unseen, straight to the application) is forgotten, so a
// later release of it is not taken; and a word in progress ends.
TEST(KeyHandler, ResyncForgetsOnlyTheKeysThatAreUp) {
    KeyHandler handler([] { return WordSettings{}; });
    handler.setInputMethod(InputMethod::Telex);
    const KeyState none;
    const auto letter = [](char c) { return static_cast<std::uint16_t>(vk::kA + (c - 'a')); };
    EXPECT_TRUE(handler.keyDown(letter('a'), none).pass);
    EXPECT_FALSE(handler.keyDown(letter('s'), none).pass); // á
    EXPECT_FALSE(handler.keyDown(letter('f'), none).pass); // à
    std::bitset<256> down;
    down.set(letter('s'));
    handler.resync(down);
    EXPECT_FALSE(handler.inWord());
    EXPECT_FALSE(handler.keyUp(letter('s'), none).pass)
        << "S is still held, and the application never saw it";
    EXPECT_TRUE(handler.keyUp(letter('f'), none).pass) << "F was up already: nothing of it is remembered";
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

std::shared_ptr<Abbreviations> someAbbreviations() {
    auto abbreviations = std::make_shared<Abbreviations>();
    abbreviations->add(u"vn", u"Việt Nam");
    abbreviations->add(u"dc", u"được");
    abbreviations->add(u"đi", u"đi đâu");
    abbreviations->add(u"k", u"không");
    abbreviations->add(u"hcm", u"Hồ Chí Minh");
    return abbreviations;
}

TEST(KeyHandler, AbbreviationsExpandWhenTheWordEnds) {
    struct Script {
        InputMethod method;
        const char* keys;
        const char16_t* shows;
    };
    const Script scripts[] = {
        {InputMethod::Telex, "vn space", u"Việt Nam "},
        {InputMethod::Telex, "shift+ v shift- n space", u"Việt Nam "},
        {InputMethod::Telex, "shift+ vn shift- space", u"VIỆT NAM "},
        {InputMethod::Telex, "caps vn caps space", u"VIỆT NAM "},
        {InputMethod::Telex, "v shift+ n shift- space", u"Việt Nam "}, // no case rule fits: as written
        {InputMethod::Telex, "vn dot", u"Việt Nam."},
        {InputMethod::Telex, "vn enter", u"Việt Nam\n"},
        {InputMethod::Telex, "vn shift+ 1 shift-", u"Việt Nam!"},
        {InputMethod::Telex, "vn tab", u"vn\t"}, // not a word end that expands
        {InputMethod::Telex, "dc space shift+ dc shift- space", u"được ĐƯỢC "},
        {InputMethod::Vni, "dc space", u"được "},
        {InputMethod::Telex, "ddi space ddis space", u"đi đâu đí "}, // a key that composes: as it shows
        {InputMethod::Telex, "k space shift+ k shift- space", u"không Không "},
        {InputMethod::Telex, "vnn space vn bs n space", u"vnn Việt Nam "},
        {InputMethod::Telex, "hcm space", u"Hồ Chí Minh "},
        {InputMethod::Telex, "xvn space", u"xvn "},
        {InputMethod::Telex, "alt+ z alt- vn space", u"vn "}, // typing English
        {InputMethod::Telex, "vn ctrl+ c ctrl- space", u"vn "},
    };
    for (const Script& script : scripts) {
        Keyboard keyboard(script.method);
        keyboard.handler().setAbbreviations(someAbbreviations());
        EXPECT_EQ(toUtf8(keyboard.play(script.keys)), toUtf8(script.shows)) << script.keys;
    }
}

TEST(KeyHandler, AbbreviationsComeOutInTheCodeTable) {
    const ReferenceTables reference;
    for (CodeTable table : {CodeTable::Unicode, CodeTable::Tcvn3, CodeTable::VniWindows}) {
        Keyboard keyboard(InputMethod::Telex);
        keyboard.handler().setCodeTable(table);
        keyboard.handler().setAbbreviations(someAbbreviations());
        EXPECT_EQ(toUtf8(keyboard.play("tieengs space vn space dc space")),
                  toUtf8(reference.encode(u"tiếng Việt Nam được ", table)))
            << static_cast<int>(table);
    }
}

TEST(KeyHandler, TheKeyThatEndsAnAbbreviationIsTakenPressAndRelease) {
    KeyHandler handler([] { return WordSettings{}; });
    handler.setAbbreviations(someAbbreviations());
    handler.keyDown(vk::kA + ('v' - 'a'), {});
    handler.keyDown(vk::kA + ('n' - 'a'), {});
    const Edit edit = handler.keyDown(vk::kSpace, {});
    EXPECT_FALSE(edit.pass);
    EXPECT_EQ(edit.backspaces, 2);
    EXPECT_EQ(edit.replayKey, vk::kSpace);
    EXPECT_FALSE(handler.keyUp(vk::kSpace, {}).pass) << "the replayed key brings its own release";
    EXPECT_FALSE(handler.inWord());
    EXPECT_TRUE(handler.keyDown(vk::kSpace, {}).pass);
    EXPECT_TRUE(handler.keyUp(vk::kSpace, {}).pass);
    handler.setAbbreviations(nullptr);
    handler.keyDown(vk::kA + ('v' - 'a'), {});
    handler.keyDown(vk::kA + ('n' - 'a'), {});
    EXPECT_TRUE(handler.keyDown(vk::kSpace, {}).pass);
}

TEST(KeyHandler, AnEnglishOnlyProgramGetsEveryKeyAndTheSwitchKeys) {
    for (SwitchKey switchKey : {SwitchKey::AltZ, SwitchKey::ShiftCtrl}) {
        Keyboard keyboard(InputMethod::Telex);
        keyboard.settings.switchKey = switchKey;
        keyboard.handler().setAbbreviations(someAbbreviations());
        keyboard.handler().setEnglishOnly(true);
        EXPECT_EQ(toUtf8(keyboard.play("vieetj alt+ z alt- shift+ ctrl+ ctrl- shift- vn space as")),
                  "vieetjvn as");
        EXPECT_FALSE(keyboard.handler().composing());
        keyboard.handler().setEnglishOnly(false);
        keyboard.handler().setComposing(true);
        EXPECT_EQ(toUtf8(keyboard.play(" space as")), "vieetjvn as á");
    }
}

TEST(KeyHandler, ToneStyleAndQuickTelexFromTheUsersFile) {
    Keyboard keyboard(InputMethod::Telex);
    keyboard.handler().setToneStyle(ToneStyle::Modern);
    keyboard.handler().setQuickTelex(true);
    EXPECT_EQ(toUtf8(keyboard.play("hoaf space kkoong")), "hoà không");
    keyboard.handler().setQuickTelex(false);
    EXPECT_FALSE(keyboard.handler().inWord()) << "a new choice starts a new word";
    EXPECT_EQ(toUtf8(keyboard.play(" space tt")), "hoà không tt");
}

} // namespace
} // namespace lurcore::core::test
