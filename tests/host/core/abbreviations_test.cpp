// Abbreviations on their own: the case of the word as typed, the code tables, the keys a file may give;
// and the letter case they rely on, over every Vietnamese letter.
#include "lurcore/core/abbreviations.h"
#include "lurcore/core/letter_case.h"
#include "typing_support.h"

#include <gtest/gtest.h>

#include <array>

namespace lurcore::core::test {
namespace {

std::u16string expand(const Abbreviations& abbreviations, std::u16string_view word,
                      CodeTable table = CodeTable::Unicode) {
    std::array<char16_t, Abbreviations::kMaxUnits> out{};
    const int units = abbreviations.expand(word, table, out);
    return units < 0 ? u"(none)" : std::u16string(out.data(), static_cast<std::size_t>(units));
}

TEST(Abbreviations, CaseFollowsTheWordAsTyped) {
    Abbreviations abbreviations;
    abbreviations.add(u"vn", u"Việt Nam");
    abbreviations.add(u"Tp", u"thành phố"); // a key is found whatever case the file gives it
    abbreviations.add(u"đt", u"điện thoại");
    abbreviations.add(u"ko", u"(không)");
    const struct {
        const char16_t* word;
        const char16_t* gives;
    } cases[] = {
        {u"vn", u"Việt Nam"},   {u"Vn", u"Việt Nam"},   {u"VN", u"VIỆT NAM"},  {u"vN", u"Việt Nam"},
        {u"tp", u"thành phố"},  {u"Tp", u"Thành phố"},  {u"TP", u"THÀNH PHỐ"}, {u"đt", u"điện thoại"},
        {u"Đt", u"Điện thoại"}, {u"ĐT", u"ĐIỆN THOẠI"}, {u"Ko", u"(Không)"},   {u"KO", u"(KHÔNG)"},
        {u"v", u"(none)"},      {u"vnn", u"(none)"},    {u"", u"(none)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(toUtf8(expand(abbreviations, c.word)), toUtf8(c.gives)) << toUtf8(c.word);
    }
}

TEST(Abbreviations, LaterTextReplacesTheEarlierAndTablesEncodeIt) {
    const ReferenceTables reference;
    Abbreviations abbreviations;
    abbreviations.add(u"hn", u"Ha Noi");
    abbreviations.add(u"HN", u"Hà Nội");
    EXPECT_EQ(abbreviations.size(), 1u);
    for (CodeTable table : {CodeTable::Unicode, CodeTable::Tcvn3, CodeTable::VniWindows}) {
        EXPECT_EQ(toUtf8(expand(abbreviations, u"HN", table)), toUtf8(reference.encode(u"HÀ NỘI", table)));
    }
    // The longest text in the widest table fits.
    abbreviations.add(u"x", std::u16string(Abbreviations::kMaxText, u'ữ'));
    EXPECT_EQ(expand(abbreviations, u"x", CodeTable::VniWindows).size(), Abbreviations::kMaxUnits);
    // One character more could not be sent whole: refused, never cut.
    EXPECT_FALSE(abbreviations.add(u"y", std::u16string(Abbreviations::kMaxText + 1, u'a')));
    EXPECT_FALSE(abbreviations.add(u"y z", u"text"));
    EXPECT_EQ(abbreviations.size(), 2u);
}

TEST(Abbreviations, KeysAreOneWordOfLettersAndDigits) {
    EXPECT_TRUE(Abbreviations::validKey(u"vn"));
    EXPECT_TRUE(Abbreviations::validKey(u"đc2"));
    EXPECT_FALSE(Abbreviations::validKey(u""));
    EXPECT_FALSE(Abbreviations::validKey(u"v n"));
    EXPECT_FALSE(Abbreviations::validKey(u"v.n"));
    EXPECT_FALSE(Abbreviations::validKey(std::u16string(Abbreviations::kMaxKey + 1, u'a')));
}

TEST(LetterCase, EveryVietnameseLetterHasBothCases) {
    const ReferenceTables reference;
    int pairs = 0;
    for (const std::u16string& letter : reference.letters()) {
        const char16_t c = letter.at(0);
        const char16_t upper = upperCase(c);
        const char16_t lower = lowerCase(c);
        EXPECT_NE(upper, lower) << toUtf8(letter);
        EXPECT_EQ(lowerCase(upper), lower) << toUtf8(letter);
        EXPECT_EQ(upperCase(lower), upper) << toUtf8(letter);
        pairs += c == lower ? 1 : 0;
    }
    EXPECT_GE(pairs, 67) << "a, ă, â, e, ê, i, o, ô, ơ, u, ư, y with six tones and đ";
    EXPECT_EQ(upperCase(u'1'), u'1');
    EXPECT_EQ(lowerCase(u'×'), u'×');
    EXPECT_EQ(upperCase(u'÷'), u'÷');
}

} // namespace
} // namespace lurcore::core::test
