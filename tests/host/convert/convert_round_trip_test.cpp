// Random text through every form and back, decomposed text in every mix of forms, characters a table
// cannot hold, and which form --from auto takes a sample for.
#include "convert_support.h"

#include "lurcore/convert/converter.h"
#include "lurcore/convert/detect.h"
#include "lurcore/convert/unicode_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

namespace lurcore::convert::test {
namespace {

const std::string kData = LUR_CONVERT_TEST_DATA;

struct Alphabet {
    std::u32string common; // ASCII, digits, punctuation, both cases of every letter
    std::vector<ReferenceRow> rows;
    std::map<std::string, int> tcvn3ByteUse;
};

const Alphabet& alphabet() {
    static const Alphabet made = [] {
        Alphabet a;
        a.rows = readCodeTables(kData + "/codetables.tsv");
        for (const auto& row : a.rows) {
            a.common.push_back(row.letter);
            ++a.tcvn3ByteUse[row.tcvn3];
        }
        a.common += U"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
        a.common += U"   \n\t.,;:!?'\"()[]-_/&#\\^+`~*@%=<>";
        return a;
    }();
    return made;
}

// The characters the form can hold, besides the common ones.
std::u32string extraFor(Form form) {
    switch (form) {
    case Form::Tcvn3:
    case Form::Vni:
        return U"\u201C\u201D\u2013\u2014\u20AC\u2026"; // on bytes the table leaves free
    case Form::Cp1258:
        return U"\u00FC\u00DF\u00F1\u20AC\u201C\u20AB";
    case Form::Viscii:
        return U"";
    default:
        return U"\u4E2D\u6587\u0416\u0451\u03A9\u20AC\u201C\U0001F600\u00FC";
    }
}

std::u32string randomText(std::mt19937& random, Form form, std::size_t length) {
    const Alphabet& a = alphabet();
    std::u32string pool = a.common + extraFor(form);
    if (form == Form::Tcvn3) {
        // A toned capital shares its small letter's byte: TCVN3 cannot tell them apart.
        std::erase_if(pool, [&](char32_t c) {
            for (const auto& row : a.rows) {
                if (row.letter == c && a.tcvn3ByteUse.at(row.tcvn3) > 1) {
                    // of the two letters on one byte, the capital comes first in Unicode
                    for (const auto& other : a.rows) {
                        if (other.tcvn3 == row.tcvn3 && other.letter > c) {
                            return true;
                        }
                    }
                }
            }
            return false;
        });
    }
    std::uniform_int_distribution<std::size_t> pick(0, pool.size() - 1);
    std::u32string text;
    for (std::size_t i = 0; i < length; ++i) {
        text.push_back(pool[pick(random)]);
    }
    return text;
}

TEST(ConverterRoundTrip, UnicodeThroughEveryFormAndBack) {
    std::mt19937 random(2112);
    for (Form form : kForms) {
        for (int round = 0; round < 300; ++round) {
            const std::u32string text = randomText(random, form, 1 + round % 97);
            const Encoded encoded = encode(form, text);
            ASSERT_EQ(encoded.replacedCount, 0u) << formName(form) << ": " << utf8(text);
            if (isByteForm(form)) {
                ASSERT_TRUE(std::all_of(encoded.units.begin(), encoded.units.end(),
                                        [](char32_t u) { return u < 0x100; }));
            }
            ASSERT_EQ(utf8(decode(form, encoded.units)), utf8(text))
                << formName(form) << " wrote " << hex(encoded.units);
            // What a legacy font's text looks like on the clipboard reads the same.
            if (isByteForm(form)) {
                ASSERT_EQ(decode(form, unitsFromWindows1252(windows1252FromUnits(encoded.units))), text);
            }
        }
    }
}

// Every way Unicode allows to write the same letters: precomposed, decomposed, and half of each.
TEST(ConverterRoundTrip, DecomposedInAnyMixReadsAsPrecomposed) {
    const auto rows = readDecompositions(kData + "/nfd.tsv");
    std::map<std::u32string, char32_t> composedOf;
    for (const auto& [letter, parts] : rows) {
        composedOf[parts] = letter;
    }
    const auto combiningClass = [](char32_t mark) {
        return mark == 0x031B ? 216 : mark == 0x0323 ? 220 : 230;
    };
    std::mt19937 random(77);
    for (int round = 0; round < 500; ++round) {
        const std::u32string text = randomText(random, Form::Unicode, 60);
        std::u32string mixed;
        for (char32_t c : text) {
            const auto row =
                std::find_if(rows.begin(), rows.end(), [&](const auto& r) { return r.first == c; });
            if (row == rows.end()) {
                mixed.push_back(c);
                continue;
            }
            const std::u32string& parts = row->second;
            std::vector<std::u32string> ways = {std::u32string(1, c), parts};
            if (parts.size() == 3) {
                for (int keep : {1, 2}) {
                    const int other = 3 - keep;
                    const auto half = composedOf.find(std::u32string{parts[0], parts[keep]});
                    // Marks of different classes may come in either order; of one class only as they are.
                    if (half != composedOf.end() &&
                        (keep == 1 || combiningClass(parts[1]) != combiningClass(parts[2]))) {
                        ways.push_back(std::u32string{half->second, parts[other]});
                    }
                }
                if (combiningClass(parts[1]) != combiningClass(parts[2])) {
                    ways.push_back(std::u32string{parts[0], parts[2], parts[1]});
                }
            }
            mixed += ways[random() % ways.size()];
        }
        ASSERT_EQ(hex(decode(Form::UnicodeNfd, mixed)), hex(text)) << utf8(mixed);
        ASSERT_EQ(hex(decode(Form::Unicode, mixed)), hex(text)) << utf8(mixed);
    }
}

TEST(ConverterRoundTrip, CharactersATableCannotHoldAreReportedWhereTheyStand) {
    const std::u32string text = U"Xin chào \u4E2D\u56FD\nabc \U0001F600 \u0110\u00EA";
    for (Form form : {Form::Tcvn3, Form::Vni, Form::Viscii, Form::Cp1258}) {
        const Encoded encoded = encode(form, text);
        ASSERT_EQ(encoded.replacedCount, 3u) << formName(form);
        ASSERT_EQ(encoded.replaced.size(), 3u);
        EXPECT_EQ(encoded.replaced[0].line, 1u);
        EXPECT_EQ(encoded.replaced[0].column, 10u);
        EXPECT_EQ(encoded.replaced[0].character, 0x4E2Du);
        EXPECT_EQ(encoded.replaced[1].column, 11u);
        EXPECT_EQ(encoded.replaced[2].line, 2u);
        EXPECT_EQ(encoded.replaced[2].column, 5u);
        EXPECT_EQ(encoded.replaced[2].character, 0x1F600u);
        EXPECT_EQ(utf8(decode(form, encoded.units)), "Xin chào ??\nabc ? \u0110\u00EA") << formName(form);
    }
    const Encoded listed = encode(Form::Tcvn3, std::u32string(500, U'\u4E2D'), 10);
    EXPECT_EQ(listed.replaced.size(), 10u);
    EXPECT_EQ(listed.replacedCount, 500u);
}

// A sample of a few hundred characters from the word list, in each form, as a file's bytes and, for the
// byte forms, as a legacy font's text reaches the clipboard.
TEST(ConverterDetection, AutoTakesEachFormsSamples) {
    const auto words = readWordList(LUR_VI_WORD_LIST);
    ASSERT_GT(words.size(), 1000u) << "no word list at " << LUR_VI_WORD_LIST;
    std::mt19937 random(5);
    for (int round = 0; round < 20; ++round) {
        std::u32string sample;
        while (sample.size() < 300) {
            sample += words[random() % words.size()];
            sample += (random() % 9 == 0) ? U". " : U" ";
        }
        for (Form form : kForms) {
            std::u32string text = sample;
            if (form == Form::Tcvn3) {
                // as TCVN3 holds it: toned capitals read back small
                text = decode(form, encode(form, text).units);
            }
            const Encoded encoded = encode(form, text);
            const Form expected = form == Form::UnicodeNfd ? Form::Unicode
                                  : form == Form::NcrHex   ? Form::Ncr
                                                           : form;
            std::u32string units;
            std::u32string read;
            std::size_t bad = 0;
            const std::string fileBytes = isByteForm(form) ? bytes(encoded.units) : toUtf8(encoded.units);
            const bool isText = readUtf8(fileBytes, read, bad);
            const auto fromFile = detectForm(isText ? &read : nullptr, test::units(fileBytes));
            ASSERT_TRUE(fromFile.has_value()) << formName(form);
            EXPECT_EQ(formName(fromFile->form), formName(expected)) << utf8(text);
            EXPECT_EQ(decode(fromFile->form, isByteForm(expected) ? test::units(fileBytes) : read), text)
                << formName(form);
            if (isByteForm(form)) {
                const std::u32string clipboard = windows1252FromUnits(encoded.units);
                const auto fromClipboard = detectForm(&clipboard, unitsFromWindows1252(clipboard));
                ASSERT_TRUE(fromClipboard.has_value());
                EXPECT_EQ(formName(fromClipboard->form), formName(expected)) << "clipboard";
            }
        }
        // Unicode on the clipboard stays Unicode, also where its letters are Windows-1252 ones.
        const auto again = detectForm(&sample, unitsFromWindows1252(sample));
        ASSERT_TRUE(again.has_value());
        EXPECT_EQ(again->form, Form::Unicode);
    }
}

} // namespace
} // namespace lurcore::convert::test
