// Reading lurio.ini: every option, comments, what bad lines and values say and leave in force, text that
// is not UTF-8, a huge file, and the file the engine first writes.
#include "lurcore/config/user_config.h"

#include <gtest/gtest.h>

#include <array>

namespace lurcore::config {
namespace {

ReadResult read(std::string_view text) {
    return readUserConfig({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

std::string expand(const UserConfig& config, std::u16string_view word) {
    std::array<char16_t, core::Abbreviations::kMaxUnits> out{};
    const int units = config.abbreviations->expand(word, core::CodeTable::Unicode, out);
    if (units < 0) {
        return "(none)";
    }
    std::string utf8;
    for (int at = 0; at < units; ++at) { // the tests' texts are ASCII and a few Vietnamese letters
        const char16_t c = out[static_cast<std::size_t>(at)];
        if (c < 0x80) {
            utf8.push_back(static_cast<char>(c));
        } else {
            utf8 += "\\u" + std::to_string(c);
        }
    }
    return utf8;
}

std::string problemsOf(const ReadResult& result) {
    std::string all;
    for (const Problem& problem : result.problems) {
        all += std::to_string(problem.line) + ": " + problem.text + "\n";
    }
    return all;
}

TEST(UserConfig, EveryOptionSet) {
    const ReadResult result = read("\xEF\xBB\xBF"
                                   "; the user's own notes\r\n"
                                   "# and more\r\n"
                                   "\r\n"
                                   "[Typing]\r\n"
                                   "  tone_style = Modern\r\n"
                                   "quick_telex=on   ; faster\r\n"
                                   "per_app_mode = yes\r\n"
                                   "[english_only]\r\n"
                                   "MSTSC.EXE\r\n"
                                   "putty.exe\r\n"
                                   "mstsc.exe\r\n"
                                   "[abbreviations]\r\n"
                                   "vn = Viet Nam\r\n"
                                   "ko=khong ; not a comment here\r\n"
                                   "em = e = mc2\r\n");
    EXPECT_EQ(problemsOf(result), "");
    const UserConfig& config = result.config;
    EXPECT_EQ(config.toneStyle, core::ToneStyle::Modern);
    EXPECT_TRUE(config.quickTelex);
    EXPECT_TRUE(config.perAppMode);
    EXPECT_EQ(config.englishOnly, (std::vector<std::string>{"mstsc.exe", "putty.exe"}));
    EXPECT_EQ(expand(config, u"VN"), "VIET NAM");
    EXPECT_EQ(expand(config, u"ko"), "khong ; not a comment here");
    EXPECT_EQ(expand(config, u"em"), "e = mc2");
}

TEST(UserConfig, TheFirstFileIsTheDefaultsAndSaysEveryOption) {
    const std::string text = defaultUserConfigText();
    const ReadResult result = read(text);
    EXPECT_EQ(problemsOf(result), "");
    EXPECT_EQ(result.config.toneStyle, core::ToneStyle::Classic);
    EXPECT_FALSE(result.config.quickTelex);
    EXPECT_FALSE(result.config.perAppMode);
    EXPECT_TRUE(result.config.englishOnly.empty());
    EXPECT_TRUE(result.config.abbreviations->empty());
    for (const char* written : {"tone_style = classic", "quick_telex = off", "per_app_mode = off", "[typing]",
                                "[english_only]", "[abbreviations]", "; mstsc.exe", "; vn = Việt Nam"}) {
        EXPECT_NE(text.find(written), std::string::npos) << written;
    }
    EXPECT_TRUE(text.starts_with("\xEF\xBB\xBF"));
    // Taking the comment marks off the examples turns them on.
    std::string examples = text;
    for (const char* example : {"; mstsc.exe", "; vn = "}) {
        examples.erase(examples.find(example), 2);
    }
    const ReadResult used = read(examples);
    EXPECT_EQ(problemsOf(used), "");
    EXPECT_EQ(used.config.englishOnly, std::vector<std::string>{"mstsc.exe"});
    EXPECT_EQ(expand(used.config, u"vn"), "Vi\\u7879t Nam");
}

// Each bad line gives its problem on its own line number; everything else in the file is used.
TEST(UserConfig, BadLinesAndValuesAreReportedAndTheRestIsUsed) {
    const ReadResult result = read("orphan = 1\n"          // 1
                                   "[typing]\n"            // 2
                                   "tone_style = moden\n"  // 3
                                   "quick_telex = maybe\n" // 4
                                   "per_app_mode = on\n"   // 5
                                   "colour = blue\n"       // 6
                                   "per_app_mode\n"        // 7
                                   "[mystery]\n"           // 8
                                   "anything = at all\n"   // 9
                                   "[english_only\n"       // 10
                                   "skipped.exe\n"         // 11
                                   "[english_only]\n"      // 12
                                   "C:\\Games\\Game.exe\n" // 13
                                   "notepad\n"             // 14
                                   "[abbreviations]\n"     // 15
                                   "no equals sign\n"      // 16
                                   "two words = x\n"       // 17
                                   "empty =\n"             // 18
                                   " = nothing\n"          // 19
                                   "vn = Viet Nam\n"       // 20
                                   "VN = Viet Nam again\n" // 21
                                   "bell = ding\x07\n"     // 22
                                   "[typing]\n"            // 23
                                   "quick_telex = on\n"    // 24
                                   "quick_telex = off\n"); // 25
    const struct {
        int line;
        const char* says;
    } expected[] = {
        {1, "before any [section]"},
        {3, "tone_style is \"moden\"; it must be classic or modern. classic is used"},
        {4, "quick_telex is \"maybe\"; it must be on or off. off is used"},
        {6, "unknown option \"colour\""},
        {7, "is not \"name = value\""},
        {8, "unknown section [mystery]"},
        {10, "is not a section name"},
        {13, "is a path: only the program's file name counts, so \"Game.exe\" is used"},
        {14, "does not end in .exe; it is used as written"},
        {16, "is not \"abbreviation = text\""},
        {17, "must be one word of letters and digits"},
        {18, "has no text"},
        {19, "must be one word"},
        {21, "was already given on line 20; this line's text is used"},
        {22, "control character"},
        {24, "quick_telex was already given on line 4"},
        {25, "quick_telex was already given on line 24; this line's value is used"},
    };
    ASSERT_EQ(result.problems.size(), std::size(expected)) << problemsOf(result);
    for (std::size_t at = 0; at < std::size(expected); ++at) {
        EXPECT_EQ(result.problems[at].line, expected[at].line) << problemsOf(result);
        EXPECT_NE(result.problems[at].text.find(expected[at].says), std::string::npos)
            << result.problems[at].text << " / " << expected[at].says;
    }
    const UserConfig& config = result.config;
    EXPECT_EQ(config.toneStyle, core::ToneStyle::Classic);
    EXPECT_FALSE(config.quickTelex);
    EXPECT_TRUE(config.perAppMode);
    EXPECT_EQ(config.englishOnly, (std::vector<std::string>{"game.exe", "notepad"}));
    EXPECT_EQ(expand(config, u"vn"), "Viet Nam again");
    EXPECT_EQ(expand(config, u"bell"), "(none)");
    EXPECT_EQ(config.abbreviations->size(), 1u);
}

// [completing] reads like [english_only]; fullscreen takes english or keep, anything else is logged
// and keeps the default.
TEST(UserConfig, CompletingProgramsAndFullScreen) {
    const ReadResult result = read("[typing]\n"                 // 1
                                   "fullscreen = English\n"     // 2
                                   "[completing]\n"             // 3
                                   "Ledger.EXE\n"               // 4
                                   "D:\\Apps\\sheet.exe\n"      // 5
                                   "ledger.exe\n"               // 6
                                   "\\\n"                       // 7
                                   "[english_only]\n"           // 8
                                   "game.exe\n"                 // 9
                                   "[typing]\n"                 // 10
                                   "fullscreen = sometimes\n"); // 11
    const struct {
        int line;
        const char* says;
    } expected[] = {
        {5, "is a path: only the program's file name counts, so \"sheet.exe\" is used"},
        {7, "is a path"},
        {7, "is no program file name"},
        {11, "fullscreen was already given on line 2"},
        {11, "fullscreen is \"sometimes\"; it must be english or keep. keep is used"},
    };
    ASSERT_EQ(result.problems.size(), std::size(expected)) << problemsOf(result);
    for (std::size_t at = 0; at < std::size(expected); ++at) {
        EXPECT_EQ(result.problems[at].line, expected[at].line) << problemsOf(result);
        EXPECT_NE(result.problems[at].text.find(expected[at].says), std::string::npos)
            << result.problems[at].text << " / " << expected[at].says;
    }
    EXPECT_EQ(result.config.completing, (std::vector<std::string>{"ledger.exe", "sheet.exe"}));
    EXPECT_EQ(result.config.englishOnly, std::vector<std::string>{"game.exe"});
    EXPECT_EQ(result.config.fullScreen, FullScreenRule::Keep);
    EXPECT_EQ(read("[typing]\nfullscreen = english\n").config.fullScreen, FullScreenRule::English);
    EXPECT_EQ(read("[typing]\nfullscreen = keep ; the default\n").config.fullScreen, FullScreenRule::Keep);
    EXPECT_NE(defaultUserConfigText().find("fullscreen = keep"), std::string::npos);
    EXPECT_NE(defaultUserConfigText().find("[completing]"), std::string::npos);
}

TEST(UserConfig, TextThatIsNotUtf8) {
    // A line saved in a legacy code page is skipped; the lines around it are used.
    const ReadResult legacy = read("[abbreviations]\n"
                                   "vn = Vi\xD2t Nam\n"
                                   "hn = Ha Noi\n");
    ASSERT_EQ(legacy.problems.size(), 1u);
    EXPECT_EQ(legacy.problems[0].line, 2);
    EXPECT_NE(legacy.problems[0].text.find("not UTF-8"), std::string::npos);
    EXPECT_EQ(expand(legacy.config, u"vn"), "(none)");
    EXPECT_EQ(expand(legacy.config, u"hn"), "Ha Noi");

    // A file saved as UTF-16 is one problem, not one per line, and nothing of it is used.
    const std::string utf16("\xFF\xFE[\0t\0y\0p\0i\0n\0g\0]\0", 18);
    const ReadResult wide = read(utf16);
    ASSERT_EQ(wide.problems.size(), 1u);
    EXPECT_EQ(wide.problems[0].line, 0);
    EXPECT_NE(wide.problems[0].text.find("UTF-16"), std::string::npos);

    // Many bad lines give a bounded list and a count of the rest.
    std::string many = "[typing]\n";
    for (int line = 0; line < 500; ++line) {
        many += "nonsense\n";
    }
    const ReadResult noisy = read(many);
    EXPECT_EQ(noisy.problems.size(), kMaxProblems);
    EXPECT_EQ(noisy.moreProblems, 500 - static_cast<int>(kMaxProblems));
}

TEST(UserConfig, AHugeFileIsReadUpToTheLimit) {
    std::string text = "[typing]\ntone_style = modern\n[abbreviations]\n";
    int lines = 3;
    while (text.size() <= 2 * kMaxFileBytes) {
        text += "w" + std::to_string(lines) + " = word number " + std::to_string(lines) + "\n";
        ++lines;
    }
    text += "[typing]\ntone_style = classic\n"; // beyond the limit: not read
    const ReadResult result = read(text);
    ASSERT_EQ(result.problems.size(), 1u) << problemsOf(result);
    EXPECT_EQ(result.problems[0].line, 0);
    EXPECT_NE(result.problems[0].text.find("larger than 1 MB"), std::string::npos);
    EXPECT_EQ(result.config.toneStyle, core::ToneStyle::Modern);
    EXPECT_EQ(expand(result.config, u"w3"), "word number 3");
    EXPECT_GT(result.config.abbreviations->size(), 30000u);
    EXPECT_LT(result.config.abbreviations->size(), static_cast<std::size_t>(lines) * 3 / 5);

    // One line longer than the limit: nothing of it, and no crash.
    const ReadResult oneLine = read("[abbreviations]\nx = " + std::string(kMaxFileBytes + 10, 'y'));
    EXPECT_TRUE(oneLine.config.abbreviations->empty());
    const ReadResult longValue = read("[abbreviations]\nx = " + std::string(1000, 'y') + "\n");
    ASSERT_EQ(longValue.problems.size(), 1u);
    EXPECT_NE(longValue.problems[0].text.find("longer than 255"), std::string::npos);
    EXPECT_LT(longValue.problems[0].text.size(), 200u) << "a problem quotes only the start of a long value";
}

TEST(UserConfig, ProgramNames) {
    EXPECT_EQ(programName(u"C:\\Windows\\System32\\MSTSC.EXE"), "mstsc.exe");
    EXPECT_EQ(programName(u"/usr/bin/Putty.exe"), "putty.exe");
    EXPECT_EQ(programName(u"TRÒCHƠI.EXE"), "tròchơi.exe");
    EXPECT_EQ(programName(u""), "");
}

} // namespace
} // namespace lurcore::config
