// The rules about the window in front, driven by fakes of what Windows would say: which keyboards
// compose (real layout ids, the letters each layout's letter keys give, the input method open or
// closed), which processes run with more rights, which windows are full screen.
#include "lurcore/config/window_rules.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace lurcore::config {
namespace {

// What the letter keys A..Z give unshifted, from the layouts' published charts (Windows gives the
// capitals for letters).
const std::u16string kLatin = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ";
const std::u16string kRussian = u"ФИСВУАПРШОЛДЬТЩЗЙКЫЕГМЦЧНЯ";
const std::u16string kGreek = u"ΑΒΨΔΕΦΓΗΙΞΚΛΜΝΟΠ;ΡΣΤΘΩςΧΥΖ";
// The number row 0..9 of the French AZERTY keyboard, unshifted.
const std::u16string kFrenchDigitRow = u"à&é\"'(-è_ç";

// The foreground's keyboard as a test sets it; counts what is asked.
class FakeKeyboard : public KeyboardSource {
public:
    std::uint32_t layoutId = 0x04090409;
    std::map<std::uint32_t, std::u16string> letters;
    std::optional<bool> open = false; // the input method's answer; empty for no answer
    int letterQueries = 0;
    int inputMethodQueries = 0;

    std::uint32_t layout() override { return layoutId; }
    char16_t letterKey(std::uint32_t layout, int index) override {
        ++letterQueries;
        const auto found = letters.find(layout);
        return found == letters.end() ? kLatin[static_cast<std::size_t>(index)]
                                      : found->second[static_cast<std::size_t>(index)];
    }
    char16_t digitKey(std::uint32_t layout, int digit) override {
        return layout == 0x040C040C ? kFrenchDigitRow[static_cast<std::size_t>(digit)]
                                    : static_cast<char16_t>(u'0' + digit);
    }
    std::optional<bool> inputMethodOpen() override {
        ++inputMethodQueries;
        return open;
    }
};

TEST(KeyboardRule, LatinLayoutsComposeOthersAndOpenInputMethodsDoNot) {
    const struct {
        const char* name;
        std::uint32_t layout;
        std::optional<bool> inputMethodOpen;
        bool composes;
    } cases[] = {
        {"US", 0x04090409, false, true},
        {"French", 0x040C040C, false, true},
        {"German", 0x04070407, false, true},
        {"Russian", 0x04190419, false, false},
        {"Greek", 0x04080408, false, false},
        {"Windows' Vietnamese", 0x042A042A, false, false},
        {"Japanese, input method open", 0xE0010411, true, false},
        {"Japanese, input method closed", 0xE0010411, false, true},
        {"Japanese keyboard without the input method's layout id", 0x04110411, true, false},
        {"Korean, input method open", 0xE0010412, true, false},
        {"Korean, input method closed", 0x04120412, false, true},
        {"Chinese (PRC), input method open", 0x08040804, true, false},
        {"Chinese (PRC), input method closed", 0x08040804, false, true},
    };
    for (const auto& test : cases) {
        FakeKeyboard fake;
        fake.letters[0x04190419] = kRussian;
        fake.letters[0x04080408] = kGreek;
        fake.layoutId = test.layout;
        fake.open = test.inputMethodOpen;
        KeyboardWatch watch;
        const KeyboardFacts keyboard = watch.read(fake);
        EXPECT_EQ(keyboardComposes(keyboard), test.composes) << test.name;
        EXPECT_EQ(digitRowGivesDigits(keyboard), test.layout != 0x040C040C) << test.name;
        // Only a layout that may have an input method is worth the question (it goes to another process).
        EXPECT_EQ(fake.inputMethodQueries, mayHaveInputMethod(test.layout) ? 1 : 0) << test.name;
        const bool cjk =
            (test.layout & 0xFF) == 0x11 || (test.layout & 0xFF) == 0x12 || (test.layout & 0xFF) == 0x04;
        EXPECT_EQ(mayHaveInputMethod(test.layout), cjk) << test.name;
    }
}

// Letters are read once per layout; the input method is asked at every read, a time-out keeps the last
// answer, and another window forgets it.
TEST(KeyboardRule, WhatIsAskedAndWhatANonAnswerMeans) {
    FakeKeyboard fake;
    fake.letters[0x04190419] = kRussian;
    KeyboardWatch watch;
    EXPECT_TRUE(keyboardComposes(watch.read(fake)));
    EXPECT_TRUE(keyboardComposes(watch.read(fake)));
    EXPECT_EQ(fake.letterQueries, 26);
    fake.layoutId = 0x04190419; // Alt+Shift to Russian
    EXPECT_FALSE(keyboardComposes(watch.read(fake)));
    EXPECT_EQ(fake.letterQueries, 52);
    fake.layoutId = 0xE0010411;
    fake.open = true;
    EXPECT_FALSE(keyboardComposes(watch.read(fake)));
    fake.open = std::nullopt; // the window is busy
    EXPECT_FALSE(keyboardComposes(watch.read(fake)));
    fake.open = false; // the user closed the input method
    EXPECT_TRUE(keyboardComposes(watch.read(fake)));
    fake.open = true;
    EXPECT_FALSE(keyboardComposes(watch.read(fake)));
    watch.windowChanged(); // a window that never answers types as if no input method were open
    fake.open = std::nullopt;
    EXPECT_TRUE(keyboardComposes(watch.read(fake)));
    EXPECT_EQ(fake.inputMethodQueries, 5);
}

TEST(KeyboardRule, LetterKeysThatGiveNothingSayNothing) {
    KeyboardFacts keyboard;
    EXPECT_TRUE(keyboardComposes(keyboard)); // Windows could not tell
    keyboard.letters[3] = u'd';
    EXPECT_TRUE(keyboardComposes(keyboard));
    keyboard.letters[3] = u'đ'; // a layout that puts another letter on D
    EXPECT_FALSE(keyboardComposes(keyboard));
}

TEST(IntegrityRule, HigherOrUnreadableProcessesCountAsHigher) {
    constexpr std::uint32_t kLow = 0x1000, kMedium = 0x2000, kHigh = 0x3000, kSystem = 0x4000;
    EXPECT_TRUE(runsHigher(kHigh, kMedium)); // an administrator's window, the engine not
    EXPECT_TRUE(runsHigher(kSystem, kHigh));
    EXPECT_TRUE(runsHigher(std::nullopt, kMedium)); // a process the engine cannot open
    EXPECT_FALSE(runsHigher(kMedium, kMedium));
    EXPECT_FALSE(runsHigher(kLow, kMedium));  // a sandboxed browser tab
    EXPECT_FALSE(runsHigher(kMedium, kHigh)); // the engine itself runs as administrator
    EXPECT_FALSE(runsHigher(kHigh, kHigh));
    EXPECT_FALSE(runsHigher(std::nullopt, std::nullopt)); // a system without integrity levels
    EXPECT_FALSE(runsHigher(kSystem, std::nullopt));
}

TEST(FullScreenRule, TheSystemsWordOrAWindowThatCoversItsMonitor) {
    const Rectangle monitor{0, 0, 1920, 1080};
    const Rectangle second{1920, 0, 3200, 1024};
    ScreenFacts screen;
    screen.monitor = monitor;
    screen.window = {100, 100, 800, 600};
    EXPECT_FALSE(isFullScreen(screen));
    screen.window = {-8, -8, 1928, 1048}; // maximized, the taskbar still shown
    EXPECT_FALSE(isFullScreen(screen));
    screen.window = {0, 0, 1920, 1080};
    EXPECT_TRUE(isFullScreen(screen));
    screen.window = {-3, -3, 1923, 1083};
    EXPECT_TRUE(isFullScreen(screen));
    screen.desktop = true; // the desktop covers its screen and is no program
    EXPECT_FALSE(isFullScreen(screen));
    screen.desktop = false;
    screen.monitor = second; // the window on the first monitor does not cover the second one
    screen.window = {0, 0, 1920, 1080};
    EXPECT_FALSE(isFullScreen(screen));
    screen.window = second;
    EXPECT_TRUE(isFullScreen(screen));
    screen.monitor = {}; // no monitor known: only the system's word counts
    EXPECT_FALSE(isFullScreen(screen));
    for (const int state : {kNotificationBusy, kNotificationDirect3dFullScreen}) {
        screen.notificationState = state;
        EXPECT_TRUE(isFullScreen(screen)) << state;
    }
    for (const int state : {1, kNotificationPresentation, 5, 6, 7}) {
        screen.notificationState = state;
        EXPECT_FALSE(isFullScreen(screen)) << state;
    }
}

} // namespace
} // namespace lurcore::config
