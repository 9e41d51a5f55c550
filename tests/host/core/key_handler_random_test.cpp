// Random key sequences against the key handler, checked against a small model of the keyboard and of
// what the application saw: presses, auto-repeats and releases of letters and of the left and right
// modifiers, releases the hook never sees, Caps Lock and the two switch keys.
//
// LUR_KEY_RANDOM_STEPS (events per run) and LUR_KEY_RANDOM_SEED make a longer or different run by
// hand, e.g. LUR_KEY_RANDOM_STEPS=5000000 ./core_tests --gtest_filter='KeyHandlerRandom.*'.
#include "lurcore/core/key_handler.h"
#include "lurcore/core/virtual_keys.h"
#include "typing_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace lurcore::core::test {
namespace {

enum class Kind { Letter, Digit, Modifier, Caps, Backspace, WordEnd };

struct Key {
    std::uint16_t vk;
    Kind kind;
    const char* name;
};

constexpr std::uint16_t kPeriod = 0xBE;

const Key kLetters[] = {{vk::kA, Kind::Letter, "A"},          {vk::kA + 3, Kind::Letter, "D"},
                        {vk::kA + 4, Kind::Letter, "E"},      {vk::kA + 5, Kind::Letter, "F"},
                        {vk::kA + 7, Kind::Letter, "H"},      {vk::kA + 8, Kind::Letter, "I"},
                        {vk::kA + 9, Kind::Letter, "J"},      {vk::kA + 13, Kind::Letter, "N"},
                        {vk::kA + 14, Kind::Letter, "O"},     {vk::kA + 18, Kind::Letter, "S"},
                        {vk::kA + 19, Kind::Letter, "T"},     {vk::kA + 20, Kind::Letter, "U"},
                        {vk::kA + 22, Kind::Letter, "W"},     {vk::kA + 17, Kind::Letter, "R"},
                        {vk::kA + 23, Kind::Letter, "X"},     {vk::kZ, Kind::Letter, "Z"},
                        {vk::kDigit0 + 1, Kind::Digit, "1"},  {vk::kDigit0 + 6, Kind::Digit, "6"},
                        {vk::kDigit0 + 7, Kind::Digit, "7"},  {vk::kDigit0 + 9, Kind::Digit, "9"},
                        {vk::kBack, Kind::Backspace, "Back"}, {vk::kSpace, Kind::WordEnd, "Space"},
                        {kPeriod, Kind::WordEnd, "Period"}};
const Key kLeftModifiers[] = {{vk::kLShift, Kind::Modifier, "LShift"},
                              {vk::kLControl, Kind::Modifier, "LCtrl"},
                              {vk::kLMenu, Kind::Modifier, "LAlt"},
                              {vk::kLWin, Kind::Modifier, "LWin"}};
const Key kRightModifiers[] = {{vk::kRShift, Kind::Modifier, "RShift"},
                               {vk::kRControl, Kind::Modifier, "RCtrl"},
                               {vk::kRMenu, Kind::Modifier, "RAlt"},
                               {vk::kRWin, Kind::Modifier, "RWin"}};
const Key kCapsLock = {vk::kCapital, Kind::Caps, "Caps"};

// Which keys a run uses, and what may happen to them.
struct Profile {
    const char* name;
    bool rightModifiers = false;
    bool leftModifiers = false;
    bool capsLock = false;
    bool repeatLetters = false;      // letters, digits and Backspace repeat while held
    bool repeatOthers = false;       // modifiers and Caps Lock repeat while held
    bool loseLetterReleases = false; // the hook misses the release (Win+L, a secure desktop)
    bool loseModifierReleases = false;
};

void PrintTo(const Profile& profile, std::ostream* out) {
    *out << profile.name;
}

long envNumber(const char* name, long fallback) {
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::strtol(text, nullptr, 10) : fallback;
}

bool shiftKey(std::uint16_t vk) {
    return vk == vk::kLShift || vk == vk::kRShift;
}
bool controlKey(std::uint16_t vk) {
    return vk == vk::kLControl || vk == vk::kRControl;
}

// One run: the physical keyboard, the application's view and the expected answers.
class KeyboardRun {
public:
    KeyboardRun(const Profile& profile, std::uint32_t seed, InputMethod method, SwitchKey switchKey)
        : profile_(profile), random_(seed), handler_([switchKey] {
              return WordSettings{true, switchKey};
          }),
          reference_({method, CodeTable::Unicode, ToneRule::Free, true}), switchKey_(switchKey) {
        handler_.setInputMethod(method);
        keys_.assign(std::begin(kLetters), std::end(kLetters));
        if (profile.leftModifiers) {
            keys_.insert(keys_.end(), std::begin(kLeftModifiers), std::end(kLeftModifiers));
        }
        if (profile.rightModifiers) {
            keys_.insert(keys_.end(), std::begin(kRightModifiers), std::end(kRightModifiers));
        }
        if (profile.capsLock) {
            keys_.push_back(kCapsLock);
        }
    }

    // Plays `steps` events; false (with the story so far in failure()) at the first wrong answer.
    bool play(long steps) {
        for (long step = 0; step < steps && failure_.empty(); ++step) {
            this->step();
        }
        // Every key still held goes up, and each one whose release was lost is pressed once more:
        // the application must now see every key it saw go down go up.
        while (failure_.empty() && !held_.empty()) {
            release(*held_.begin(), false);
        }
        const std::set<std::uint16_t> stuck = appDown_;
        for (std::uint16_t vk : stuck) {
            if (failure_.empty()) {
                press(keyOf(vk));
            }
            if (failure_.empty()) {
                release(vk, false);
            }
        }
        if (failure_.empty() && !appDown_.empty()) {
            fail("keys left down in the application: " + std::to_string(appDown_.size()));
        }
        return failure_.empty();
    }
    const std::string& failure() const { return failure_; }

private:
    void step() {
        const bool mustRelease = held_.size() >= 4;
        if (!held_.empty() && (mustRelease || chance(0.45))) {
            auto it = held_.begin();
            std::advance(it, pick(held_.size()));
            const Key key = keyOf(*it);
            const bool modifier = key.kind == Kind::Modifier || key.kind == Kind::Caps;
            const bool lose =
                (modifier ? profile_.loseModifierReleases : profile_.loseLetterReleases) && chance(0.15);
            release(*it, lose);
            return;
        }
        const Key key = keys_[pick(keys_.size())];
        if (held_.count(key.vk) != 0) {
            const bool modifier = key.kind == Kind::Modifier || key.kind == Kind::Caps;
            if (!(modifier ? profile_.repeatOthers : profile_.repeatLetters)) {
                return;
            }
        }
        press(key);
    }

    // What the hook samples: the event's own key counted or not yet, as the system may have it.
    KeyState sample(std::uint16_t ownKey, bool ownDown) {
        KeyState state;
        state.capsLock = capsLock_;
        for (std::uint16_t vk : held_) {
            state.held = static_cast<std::uint8_t>(state.held | modifierBit(vk));
        }
        if (chance(0.5)) {
            const std::uint8_t own = modifierBit(ownKey);
            state.held = static_cast<std::uint8_t>(ownDown ? state.held | own : state.held & ~own);
        }
        return state;
    }

    KeyState physical() const {
        KeyState state;
        state.capsLock = capsLock_;
        for (std::uint16_t vk : held_) {
            state.held = static_cast<std::uint8_t>(state.held | modifierBit(vk));
        }
        return state;
    }

    void press(const Key& key) {
        const bool repeat = held_.count(key.vk) != 0;
        log(std::string(repeat ? "repeat " : "down ") + key.name);
        const KeyState sampled = sample(key.vk, true);
        held_.insert(key.vk);
        if (key.kind == Kind::Caps && !repeat) {
            capsLock_ = !capsLock_; // the system toggles at the press, never at a repeat
        }
        const Edit got = handler_.keyDown(key.vk, sampled);
        const Edit expected = expectDown(key, physical());
        check(key, got, expected);
        if (!failure_.empty()) {
            return;
        }
        apply(key, got);
        if (got.pass) {
            appDown_.insert(key.vk);
        }
    }

    void release(std::uint16_t vk, bool lost) {
        const Key key = keyOf(vk);
        log(std::string(lost ? "lost release " : "up ") + key.name);
        const KeyState sampled = sample(vk, false);
        held_.erase(vk);
        if (lost) {
            return; // neither the hook nor the application hears of it
        }
        const Edit got = handler_.keyUp(vk, sampled);
        const bool sawDown = appDown_.count(vk) != 0;
        if (got.pass != sawDown) {
            fail(sawDown ? "the application saw the key go down but not up"
                         : "a lone key-up reached the application");
            return;
        }
        if (!got.pass && (got.backspaces != 0 || !got.text.empty())) {
            fail("a release sent an edit");
            return;
        }
        appDown_.erase(vk);
        if ((shiftKey(vk) || controlKey(vk)) && armed_) {
            armed_ = false;
            if (switchKey_ == SwitchKey::ShiftCtrl) {
                toggle();
            }
        }
        if (composing_ != handler_.composing()) {
            fail("the switch key was missed or taken at the wrong time");
        }
    }

    // The answer from the keyboard's real state: a reference composer fed the characters the user
    // meant, words ended where they end.
    Edit expectDown(const Key& key, const KeyState& state) {
        const bool shortcutHeld = state.control() || state.alt() || state.win();
        if (key.kind == Kind::Modifier) {
            armed_ = (shiftKey(key.vk) || controlKey(key.vk)) && state.shift() && state.control() &&
                     !state.alt() && !state.win();
            return {};
        }
        armed_ = false;
        if (key.kind == Kind::Caps) {
            return {};
        }
        if (key.vk == vk::kZ && state.alt() && !state.control() && !state.win() &&
            switchKey_ == SwitchKey::AltZ) {
            toggle();
            return {false, 0, {}};
        }
        if (!composing_) {
            return {};
        }
        if (shortcutHeld) {
            reference_.endWord();
            return {};
        }
        switch (key.kind) {
        case Kind::Backspace:
            return reference_.backspace();
        case Kind::Letter:
            return reference_.type(
                static_cast<char16_t>((state.shift() != state.capsLock ? u'A' : u'a') + (key.vk - vk::kA)));
        case Kind::Digit:
            if (!state.shift()) {
                return reference_.type(static_cast<char16_t>(u'0' + (key.vk - vk::kDigit0)));
            }
            reference_.endWord();
            return {};
        default:
            reference_.endWord();
            return {};
        }
    }

    void toggle() {
        composing_ = !composing_;
        reference_.endWord();
    }

    void check(const Key& key, const Edit& got, const Edit& expected) {
        if (composing_ != handler_.composing()) {
            fail("typing is switched wrongly");
        } else if (!composing_ && !got.pass && key.vk != vk::kZ) {
            fail("with typing off a key was taken");
        } else if (static_cast<std::size_t>(got.backspaces) > screen_.size() - wordStart_) {
            fail("an erasure reaches out of the word");
        } else if (!(got == expected)) {
            std::ostringstream text;
            text << "expected " << describe(expected) << ", got " << describe(got);
            fail(text.str());
        }
    }

    // What the application's text box does with the answer.
    void apply(const Key& key, const Edit& edit) {
        if (!edit.pass) {
            screen_.resize(screen_.size() - static_cast<std::size_t>(edit.backspaces));
            screen_.append(edit.text.begin(), edit.text.end());
        } else {
            const KeyState state = physical();
            const bool chord = state.control() || state.alt() || state.win();
            if (key.kind == Kind::Backspace && !chord) {
                if (!screen_.empty()) {
                    screen_.pop_back();
                }
            } else if (key.kind == Kind::Letter && !chord) {
                screen_.push_back(static_cast<char16_t>((state.shift() != state.capsLock ? u'A' : u'a') +
                                                        (key.vk - vk::kA)));
            } else if ((key.kind == Kind::Digit || key.kind == Kind::WordEnd) && !chord) {
                screen_.push_back(u'#'); // a digit, a symbol, a space: one character
            }
        }
        if (!reference_.inWord() || wordStart_ > screen_.size()) {
            wordStart_ = screen_.size();
        }
        if (screen_.size() > 1000) {
            screen_.erase(0, 500);
            wordStart_ -= 500;
        }
    }

    static std::string describe(const Edit& edit) {
        if (edit.pass) {
            return "pass";
        }
        return "take(" + std::to_string(edit.backspaces) + " back, \"" +
               toUtf8(std::u16string(edit.text.begin(), edit.text.end())) + "\")";
    }

    Key keyOf(std::uint16_t vk) const {
        for (const Key& key : keys_) {
            if (key.vk == vk) {
                return key;
            }
        }
        return {vk, Kind::WordEnd, "?"};
    }

    bool chance(double p) { return std::bernoulli_distribution(p)(random_); }
    std::size_t pick(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_); }

    void log(std::string line) {
        recent_.push_back(std::move(line));
        if (recent_.size() > 40) {
            recent_.erase(recent_.begin());
        }
    }
    void fail(const std::string& what) {
        std::ostringstream text;
        text << what << "\n  last events:";
        for (const std::string& line : recent_) {
            text << ' ' << line << ',';
        }
        text << "\n  screen: " << toUtf8(screen_.substr(screen_.size() > 40 ? screen_.size() - 40 : 0));
        failure_ = text.str();
    }

    Profile profile_;
    std::mt19937 random_;
    KeyHandler handler_;
    Composer reference_;
    SwitchKey switchKey_;
    std::vector<Key> keys_;

    std::set<std::uint16_t> held_; // physically down
    bool capsLock_ = false;
    std::set<std::uint16_t> appDown_; // down as far as the application knows
    std::u16string screen_;
    std::size_t wordStart_ = 0;
    bool composing_ = true;
    bool armed_ = false; // Shift and Ctrl went down with nothing else: their release switches
    std::vector<std::string> recent_;
    std::string failure_;
};

const Profile kProfiles[] = {
    {.name = "letters repeat", .leftModifiers = false, .repeatLetters = true},
    {.name = "left and right modifiers", .rightModifiers = true, .leftModifiers = true},
    {.name = "lost modifier releases", .leftModifiers = true, .loseModifierReleases = true},
    {.name = "caps lock repeats", .capsLock = true, .repeatOthers = true},
    {.name = "everything",
     .rightModifiers = true,
     .leftModifiers = true,
     .capsLock = true,
     .repeatLetters = true,
     .repeatOthers = true,
     .loseLetterReleases = true,
     .loseModifierReleases = true},
};

class KeyHandlerRandom : public ::testing::TestWithParam<Profile> {};

TEST_P(KeyHandlerRandom, AgreesWithTheKeyboardModel) {
    const long steps = envNumber("LUR_KEY_RANDOM_STEPS", 15000);
    const auto seed = static_cast<std::uint32_t>(envNumber("LUR_KEY_RANDOM_SEED", 20081));
    std::uint32_t run = 0;
    for (InputMethod method : {InputMethod::Telex, InputMethod::Vni}) {
        for (SwitchKey switchKey : {SwitchKey::AltZ, SwitchKey::ShiftCtrl}) {
            KeyboardRun model(GetParam(), seed + run++, method, switchKey);
            EXPECT_TRUE(model.play(steps))
                << GetParam().name << (method == InputMethod::Telex ? ", Telex" : ", VNI")
                << (switchKey == SwitchKey::AltZ ? ", Alt+Z" : ", Shift+Ctrl") << ": " << model.failure();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Profiles, KeyHandlerRandom, ::testing::ValuesIn(kProfiles),
                         [](const ::testing::TestParamInfo<Profile>& info) {
                             std::string name = info.param.name;
                             for (char& c : name) {
                                 c = c == ' ' ? '_' : c;
                             }
                             return name;
                         });

} // namespace
} // namespace lurcore::core::test
