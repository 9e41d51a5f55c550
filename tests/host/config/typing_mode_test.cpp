// The one rule for the mode: random sequences of windows coming to the front (administrators' windows,
// full-screen ones, English-only programs, keyboards that do not compose, our own and the taskbar's),
// switches by the user, and changes of the user's file, against a plain model. The mode the user chose
// comes back whenever a window that does not force English is in front.
#include "lurcore/config/typing_mode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

namespace lurcore::config {
namespace {

struct Model {
    bool started = false;
    bool listening = false;
    bool chosen = true;
    bool perProgram = false;
    std::vector<std::string> englishOnly;
    FullScreenRule rule = FullScreenRule::Keep;
    WindowFacts window;
    bool keyboardComposes = true;
    std::map<std::string, bool> remembered;
    std::string current;

    bool listedEnglish() const {
        return std::find(englishOnly.begin(), englishOnly.end(), current) != englishOnly.end();
    }
    bool forced() const {
        return listedEnglish() || window.elevated || !keyboardComposes ||
               (window.fullScreen && rule == FullScreenRule::English);
    }
    bool vietnamese() const { return started && listening && chosen && !forced(); }
    void remember() {
        if (perProgram && !current.empty()) {
            remembered[current] = chosen;
        }
    }
    void listenIfChosen() {
        if (started && chosen && !listedEnglish()) {
            listening = true;
        }
    }
};

TEST(TypingMode, RandomWindowsAndSwitchesAgreeWithAModel) {
    const std::vector<std::string> programs = {"a.exe", "b.exe", "c.exe", ""};
    std::mt19937 random(19);
    int comebacks = 0;
    for (int run = 0; run < 300; ++run) {
        TypingMode mode;
        Model model;
        bool lastChoice = true; // the user's own last choice: the program's menu or the switch key
        for (int step = 0; step < 150; ++step) {
            const int what = static_cast<int>(random() % 20);
            bool plainWindowArrived = false;
            if (what < 8) {
                WindowFacts window;
                window.program = programs[random() % programs.size()];
                window.noProgram = random() % 6 == 0;
                window.elevated = random() % 5 == 0;
                window.fullScreen = random() % 5 == 0;
                mode.foreground(window);
                if (!window.noProgram) {
                    model.window = window;
                    model.keyboardComposes = true;
                    if (!window.program.empty() && window.program != model.current) {
                        model.current = window.program;
                        if (model.perProgram) {
                            model.chosen =
                                model.remembered.try_emplace(model.current, model.chosen).first->second;
                            lastChoice = model.chosen; // the choice the user made in this program
                        }
                    }
                    model.listenIfChosen();
                    plainWindowArrived = !model.forced();
                }
            } else if (what < 10) {
                const bool composes = random() % 3 != 0;
                mode.keyboard(composes);
                model.keyboardComposes = composes;
            } else if (what < 12) {
                mode.start();
                model.started = model.listening = model.chosen = lastChoice = true;
                model.remember();
            } else if (what < 14) {
                mode.stop();
                model.listening = model.chosen = lastChoice = false;
                model.remember();
            } else if (what < 18) {
                // The switch key reaches the rule only where the hook takes keys.
                if (!mode.listening() || mode.passAll()) {
                    continue;
                }
                const bool vietnamese = random() % 2 == 0;
                mode.switched(vietnamese);
                model.chosen = lastChoice = vietnamese;
                model.remember();
            } else {
                const bool perProgram = random() % 3 == 0;
                std::vector<std::string> english;
                for (const std::string& program : programs) {
                    if (!program.empty() && random() % 4 == 0) {
                        english.push_back(program);
                    }
                }
                const FullScreenRule rule =
                    random() % 2 == 0 ? FullScreenRule::Keep : FullScreenRule::English;
                mode.configure(perProgram, english, rule);
                if (perProgram != model.perProgram) {
                    model.remembered.clear();
                    model.perProgram = perProgram;
                    model.remember();
                }
                model.englishOnly = english;
                model.rule = rule;
                model.listenIfChosen();
            }
            ASSERT_EQ(mode.vietnamese(), model.vietnamese()) << "run " << run << " step " << step;
            ASSERT_EQ(mode.passAll(), model.forced()) << "run " << run << " step " << step;
            ASSERT_EQ(mode.listening(), model.started && model.listening)
                << "run " << run << " step " << step;
            ASSERT_EQ(mode.reports(), model.started);
            if (mode.reason() == EnglishReason::Elevated || mode.reason() == EnglishReason::FullScreen ||
                mode.reason() == EnglishReason::Keyboard) {
                ASSERT_FALSE(mode.vietnamese());
            }
            ASSERT_EQ(mode.vietnamese(), mode.reason() == EnglishReason::None);
            // Without the per-program memory, a window that forces nothing gives back the user's choice.
            if (plainWindowArrived && !model.perProgram && model.started) {
                ASSERT_EQ(mode.vietnamese(), lastChoice) << "run " << run << " step " << step;
                ++comebacks;
            }
        }
    }
    EXPECT_GT(comebacks, 1000); // the property was tried often
}

// The reasons in the order the help gives them, one window at a time.
TEST(TypingMode, EachWindowThatCannotTakeVietnameseSaysWhy) {
    TypingMode mode;
    mode.configure(false, {"mstsc.exe"}, FullScreenRule::English);
    EXPECT_EQ(mode.reason(), EnglishReason::NotStarted);
    mode.start();
    EXPECT_TRUE(mode.vietnamese());
    mode.foreground({"regedit.exe", false, true, false});
    EXPECT_EQ(mode.reason(), EnglishReason::Elevated);
    mode.foreground({"", true, false, false}); // the taskbar: the window before still counts
    EXPECT_EQ(mode.reason(), EnglishReason::Elevated);
    mode.foreground({"mstsc.exe", false, false, false});
    EXPECT_EQ(mode.reason(), EnglishReason::EnglishOnly);
    mode.foreground({"game.exe", false, false, true});
    EXPECT_EQ(mode.reason(), EnglishReason::FullScreen);
    mode.foreground({"notepad.exe", false, false, false});
    mode.keyboard(false);
    EXPECT_EQ(mode.reason(), EnglishReason::Keyboard);
    mode.keyboard(true);
    EXPECT_TRUE(mode.vietnamese());
    mode.stop();
    EXPECT_EQ(mode.reason(), EnglishReason::Chosen);
    EXPECT_FALSE(mode.listening());
    // With the rule at keep, a full-screen window changes nothing.
    mode.start();
    mode.configure(false, {}, FullScreenRule::Keep);
    mode.foreground({"game.exe", false, false, true});
    EXPECT_TRUE(mode.vietnamese());
    EXPECT_FALSE(mode.passAll());
}

} // namespace
} // namespace lurcore::config
