// Per-program modes as a small state machine: scripted steps, then random ones against a plain model.
#include "lurcore/config/app_modes.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

namespace lurcore::config {
namespace {

TEST(AppModes, EachProgramKeepsItsMode) {
    AppModes modes;
    EXPECT_TRUE(modes.configure(true, {}));
    EXPECT_TRUE(modes.focus("word.exe"));
    EXPECT_FALSE(modes.switched(false));
    EXPECT_FALSE(modes.focus("notepad.exe")) << "seen for the first time: the mode in force";
    EXPECT_TRUE(modes.switched(true));
    EXPECT_FALSE(modes.focus("word.exe"));
    EXPECT_TRUE(modes.focus("notepad.exe"));
    EXPECT_TRUE(modes.focus("notepad.exe")) << "the same program again changes nothing";
    EXPECT_FALSE(modes.focus("word.exe"));

    // Turning the choice off keeps the mode in force everywhere; turned on again, it starts afresh.
    EXPECT_FALSE(modes.configure(false, {}));
    EXPECT_FALSE(modes.focus("notepad.exe"));
    EXPECT_TRUE(modes.switched(true));
    EXPECT_TRUE(modes.focus("word.exe"));
    EXPECT_TRUE(modes.configure(true, {}));
    EXPECT_TRUE(modes.focus("notepad.exe"));
}

TEST(AppModes, EnglishOnlyProgramsStayEnglish) {
    AppModes modes;
    modes.configure(false, {"mstsc.exe"});
    EXPECT_TRUE(modes.focus("word.exe"));
    EXPECT_FALSE(modes.focus("mstsc.exe"));
    EXPECT_TRUE(modes.englishOnly());
    EXPECT_FALSE(modes.switched(true)) << "the switch key cannot turn it on there";
    EXPECT_TRUE(modes.focus("word.exe")) << "the mode from before comes back";
    EXPECT_FALSE(modes.switched(false));
    EXPECT_FALSE(modes.focus("mstsc.exe"));
    EXPECT_FALSE(modes.focus("word.exe"));

    // The list changes while the program is in front: it takes effect at once, both ways.
    EXPECT_TRUE(modes.switched(true));
    EXPECT_FALSE(modes.configure(false, {"word.exe"}));
    EXPECT_TRUE(modes.configure(false, {}));
}

// Random focus changes, switches and file changes, against a model that simply keeps a map.
TEST(AppModes, RandomStepsAgreeWithAPlainModel) {
    const std::vector<std::string> programs = {"a.exe", "b.exe", "c.exe", "d.exe", "e.exe", ""};
    std::mt19937 random(15);
    for (int run = 0; run < 200; ++run) {
        AppModes modes;
        bool perProgram = false;
        std::vector<std::string> english;
        std::map<std::string, bool> remembered;
        std::string current;
        bool chosen = true;
        for (int step = 0; step < 200; ++step) {
            const int what = static_cast<int>(random() % 10);
            bool mode = false;
            if (what < 5) {
                const std::string& next = programs[random() % programs.size()];
                mode = modes.focus(next);
                if (next != current) {
                    current = next;
                    if (perProgram && !current.empty()) {
                        chosen = remembered.try_emplace(current, chosen).first->second;
                    }
                }
            } else if (what < 9) {
                const bool on = random() % 2 == 0;
                mode = modes.switched(on);
                const bool forced = std::find(english.begin(), english.end(), current) != english.end();
                if (!forced) {
                    chosen = on;
                    if (perProgram && !current.empty()) {
                        remembered[current] = on;
                    }
                }
            } else {
                const bool nextPerProgram = random() % 3 != 0;
                english.clear();
                for (const std::string& program : programs) {
                    if (!program.empty() && random() % 4 == 0) {
                        english.push_back(program);
                    }
                }
                mode = modes.configure(nextPerProgram, english);
                if (nextPerProgram != perProgram) {
                    remembered.clear();
                    if (nextPerProgram && !current.empty()) {
                        remembered[current] = chosen;
                    }
                }
                perProgram = nextPerProgram;
            }
            const bool forced = std::find(english.begin(), english.end(), current) != english.end();
            ASSERT_EQ(mode, chosen && !forced) << "run " << run << " step " << step;
            ASSERT_EQ(modes.englishOnly(), forced);
        }
    }
}

} // namespace
} // namespace lurcore::config
