// The typing rules, case by case from data/typing.tsv: what an edit box shows after the keys.
#include "typing_support.h"

#include <gtest/gtest.h>

namespace lurcore::core::test {
namespace {

Options optionsFrom(const std::vector<std::string>& row) {
    Options options;
    options.inputMethod = row.at(0) == "vni" ? InputMethod::Vni : InputMethod::Telex;
    options.spellCheck = row.at(1) == "on";
    options.toneRule = row.at(2) == "after"     ? ToneRule::AfterVowel
                       : row.at(2) == "neither" ? ToneRule::Neither
                                                : ToneRule::Free;
    options.codeTable = row.at(3) == "tcvn3"    ? CodeTable::Tcvn3
                        : row.at(3) == "vniwin" ? CodeTable::VniWindows
                                                : CodeTable::Unicode;
    // An optional seventh column: the choices from the user's file, "modern" and "quick".
    const std::string extras = row.size() > 6 ? row.at(6) : std::string();
    options.toneStyle = extras.find("modern") != std::string::npos ? ToneStyle::Modern : ToneStyle::Classic;
    options.quickTelex = extras.find("quick") != std::string::npos;
    return options;
}

TEST(Typing, EveryCaseOfTheTable) {
    const ReferenceTables reference;
    const auto rows = readTable("typing.tsv");
    ASSERT_GT(rows.size(), 100u);
    for (const auto& row : rows) {
        ASSERT_GE(row.size(), 6u) << "short line in typing.tsv";
        const Options options = optionsFrom(row);
        Composer composer(options);
        const std::u16string keys = fromUtf8(row.at(4));
        const std::u16string expected = reference.encode(fromUtf8(row.at(5)), options.codeTable);
        EXPECT_EQ(toUtf8(typeOnScreen(composer, keys)), toUtf8(expected))
            << row.at(0) << " spelling " << row.at(1) << " rule " << row.at(2) << " table " << row.at(3)
            << " keys \"" << row.at(4) << "\"" << (row.size() > 6 ? " " + row.at(6) : std::string());
    }
}

TEST(Typing, PlainLettersGoThroughAndMarksAreSent) {
    Composer composer;
    EXPECT_TRUE(composer.type(u'v').pass);
    EXPECT_TRUE(composer.type(u'i').pass);
    EXPECT_TRUE(composer.type(u'e').pass);
    EXPECT_EQ(composer.type(u'e'), (Edit{false, 1, u"ê"}));
    EXPECT_TRUE(composer.type(u't').pass);
    EXPECT_EQ(composer.type(u'j'), (Edit{false, 2, u"ệt"}));
    EXPECT_TRUE(composer.type(u' ').pass);
    EXPECT_FALSE(composer.inWord());
    EXPECT_TRUE(composer.backspace().pass); // outside a word Backspace is the application's
}

TEST(Typing, VniWindowsLetterOfTwoBytesTakesTwoBackspaces) {
    Composer composer({InputMethod::Vni, CodeTable::VniWindows, ToneRule::Free, true});
    composer.type(u'a');
    EXPECT_EQ(composer.type(u'1'), (Edit{false, 0, u"\u00F9"})); // a then the sắc byte
    EXPECT_EQ(composer.backspace(), (Edit{false, 2, u""}));
}

TEST(Typing, ANewChoiceStartsANewWord) {
    Composer composer;
    composer.type(u'a');
    composer.setOptions({InputMethod::Telex, CodeTable::Tcvn3, ToneRule::Free, true});
    EXPECT_FALSE(composer.inWord());
    EXPECT_TRUE(composer.type(u's').pass); // no vowel in the new word: s is a letter
}

TEST(Typing, AVeryLongRunOfLettersStartsAfreshWithoutLosingKeys) {
    Composer composer;
    std::u16string keys(100, u'b');
    keys += u"as";
    EXPECT_EQ(typeOnScreen(composer, keys), std::u16string(100, u'b') + u"as");
}

TEST(Typing, OtherKeysEndTheWord) {
    for (char16_t key : std::u16string(u" .,;'/-=[]\\`\t\r!@")) {
        Composer composer;
        composer.type(u'a');
        EXPECT_TRUE(composer.type(key).pass);
        EXPECT_FALSE(composer.inWord()) << static_cast<int>(key);
    }
}

TEST(Typing, BytesFromTheProgramFallBackToTheFirstChoice) {
    EXPECT_EQ(inputMethodFromByte(0), InputMethod::Vni);
    EXPECT_EQ(inputMethodFromByte(1), InputMethod::Telex);
    EXPECT_EQ(inputMethodFromByte(255), InputMethod::Vni);
    EXPECT_EQ(codeTableFromByte(2), CodeTable::VniWindows);
    EXPECT_EQ(codeTableFromByte(7), CodeTable::Unicode);
    EXPECT_EQ(toneRuleFromByte(1), ToneRule::AfterVowel);
    EXPECT_EQ(toneRuleFromByte(2), ToneRule::Neither);
    EXPECT_EQ(toneRuleFromByte(9), ToneRule::Free);
}

} // namespace
} // namespace lurcore::core::test
