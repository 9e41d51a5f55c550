// The [converter] section: keys as people write them, forms by name, and every wrong value falling
// back to its default with a line that says why.
#include "lurcore/config/user_config.h"

#include <gtest/gtest.h>

namespace lurcore::config {
namespace {

TEST(ConverterConfig, HotkeysAsWrittenAndRefused) {
    struct Case {
        const char* text;
        std::uint8_t modifiers;
        std::uint8_t key;
    };
    for (const Case& c :
         {Case{"Ctrl+Shift+F9", kHotkeyControl | kHotkeyShift, 0x78}, Case{"alt + k", kHotkeyAlt, 'K'},
          Case{"F8", 0, 0x77}, Case{"Shift+F24", kHotkeyShift, 0x87},
          Case{"Win+Ctrl+0", kHotkeyWin | kHotkeyControl, '0'}, Case{"Control+Insert", kHotkeyControl, 0x2D},
          Case{"OFF", 0, 0}}) {
        const auto hotkey = parseHotkey(c.text);
        ASSERT_TRUE(hotkey.has_value()) << c.text;
        EXPECT_EQ(*hotkey, (Hotkey{c.modifiers, c.key})) << c.text;
        EXPECT_EQ(parseHotkey(hotkeyName(*hotkey)), hotkey) << hotkeyName(*hotkey);
    }
    for (const char* wrong :
         {"K", "Shift+K", "Ctrl+", "Ctrl+Ctrl+K", "Ctrl+F25", "Ctrl+F0", "Hyper+K", "", "Ctrl+KK"}) {
        EXPECT_FALSE(parseHotkey(wrong).has_value()) << wrong;
    }
}

TEST(ConverterConfig, SectionReadWithDefaultsForWhatIsWrong) {
    const std::string good = "[converter]\nhotkey = Alt+K\nfrom = TCVN3\nto = vni ; a comment\n";
    ReadResult read = readUserConfig({reinterpret_cast<const std::uint8_t*>(good.data()), good.size()});
    EXPECT_TRUE(read.problems.empty()) << read.problems.front().text;
    EXPECT_EQ(read.config.converter,
              (ConverterConfig{{kHotkeyAlt, 'K'}, convert::Form::Tcvn3, convert::Form::Vni}));

    const std::string bad = "[converter]\nhotkey = Shift+K\nfrom = latin1\nto = auto\ncolour = red\n";
    read = readUserConfig({reinterpret_cast<const std::uint8_t*>(bad.data()), bad.size()});
    EXPECT_EQ(read.config.converter, ConverterConfig{});
    ASSERT_EQ(read.problems.size(), 4u);
    EXPECT_EQ(read.problems[0].line, 2);
    EXPECT_NE(read.problems[0].text.find("Ctrl+Shift+F9 is used"), std::string::npos);
    EXPECT_NE(read.problems[3].text.find("unknown option"), std::string::npos);

    const std::string text = defaultUserConfigText();
    read = readUserConfig({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
    EXPECT_TRUE(read.problems.empty());
    EXPECT_EQ(read.config.converter, ConverterConfig{});
    EXPECT_NE(text.find("\r\nhotkey = Ctrl+Shift+F9\r\n"), std::string::npos);
}

} // namespace
} // namespace lurcore::config
