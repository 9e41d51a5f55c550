// The converter's tables against references that are not its own: the team's code tables for TCVN3
// and VNI Windows, Python's decompositions, and the C library's iconv for VISCII and Windows-1258.
#include "convert_support.h"

#include "lurcore/convert/converter.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <map>

namespace lurcore::convert::test {
namespace {

const std::string kData = LUR_CONVERT_TEST_DATA;

TEST(ConverterReference, EveryLetterOfTcvn3AndVniBothWays) {
    const auto rows = readCodeTables(kData + "/codetables.tsv");
    ASSERT_EQ(rows.size(), 134u);
    std::map<std::string, std::vector<char32_t>> lettersOfTcvn3Byte;
    for (const auto& row : rows) {
        lettersOfTcvn3Byte[row.tcvn3].push_back(row.letter);
    }
    for (const auto& row : rows) {
        const std::u32string letter(1, row.letter);
        EXPECT_EQ(bytes(encode(Form::Tcvn3, letter).units), row.tcvn3) << hex(letter);
        EXPECT_EQ(bytes(encode(Form::Vni, letter).units), row.vni) << hex(letter);
        // Read back between other letters, so that a pair cannot take a neighbour's byte.
        EXPECT_EQ(decode(Form::Vni, units("b" + row.vni + "n")), U"b" + letter + U"n") << hex(letter);
        // TCVN3 writes a toned capital with its small letter's byte; such a byte reads as the small
        // letter, which Unicode puts after its capital.
        const auto& sharing = lettersOfTcvn3Byte[row.tcvn3];
        const char32_t expected = *std::max_element(sharing.begin(), sharing.end());
        EXPECT_EQ(decode(Form::Tcvn3, units("b" + row.tcvn3 + "n")),
                  U"b" + std::u32string(1, expected) + U"n")
            << hex(letter);
    }
}

// Today the build compiles the engine's table from the same kind of file the reference is: a wrong byte
// there would type wrong letters and no other test would see it.
TEST(ConverterReference, EngineTableAgreesWithTheReference) {
    const auto reference = readCodeTables(kData + "/codetables.tsv");
    const auto engine = readCodeTables(LUR_CODE_TABLES);
    std::map<char32_t, std::pair<std::string, std::string>> expected;
    for (const auto& row : reference) {
        expected[row.letter] = {row.tcvn3, row.vni};
    }
    std::map<char32_t, std::pair<std::string, std::string>> actual;
    for (const auto& row : engine) {
        EXPECT_TRUE(actual.emplace(row.letter, std::pair(row.tcvn3, row.vni)).second)
            << "twice: " << hex({row.letter});
    }
    EXPECT_EQ(actual, expected);
}

TEST(ConverterReference, DecomposedLettersAsUnicodeDefinesThem) {
    const auto rows = readDecompositions(kData + "/nfd.tsv");
    ASSERT_EQ(rows.size(), 134u);
    for (const auto& [letter, parts] : rows) {
        const std::u32string precomposed(1, letter);
        EXPECT_EQ(hex(encode(Form::UnicodeNfd, precomposed).units), hex(parts)) << hex(precomposed);
        EXPECT_EQ(decode(Form::UnicodeNfd, parts), precomposed) << hex(parts);
        EXPECT_EQ(decode(Form::Unicode, U"x" + parts + U"x"), U"x" + precomposed + U"x") << hex(parts);
    }
}

// iconv between UTF-32 (host order) and `code`; nothing when iconv refuses.
std::optional<std::string> iconvBytes(const char* to, const char* from, const std::string& input) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return std::nullopt;
    }
    std::string in = input;
    std::string out(input.size() * 4 + 16, '\0');
    char* inPtr = in.data();
    std::size_t inLeft = in.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    const std::size_t done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    const bool flushed = iconv(cd, nullptr, nullptr, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(cd);
    if (done == static_cast<std::size_t>(-1) || !flushed) {
        return std::nullopt;
    }
    out.resize(out.size() - outLeft);
    return out;
}

std::string utf32(const std::u32string& text) {
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * 4);
}

std::u32string fromUtf32(const std::string& bytes) {
    return std::u32string(reinterpret_cast<const char32_t*>(bytes.data()), bytes.size() / 4);
}

TEST(ConverterReference, VisciiAndWindows1258AsIconvHasThem) {
    ASSERT_TRUE(iconvBytes("VISCII", "UTF-32LE", "").has_value()) << "iconv knows no VISCII here";
    const auto rows = readCodeTables(kData + "/codetables.tsv");
    for (const auto& [form, code] : {std::pair(Form::Viscii, "VISCII"), std::pair(Form::Cp1258, "CP1258")}) {
        int defined = 0;
        for (int b = 0; b < 256; ++b) {
            const std::string byte(1, static_cast<char>(b));
            if (const auto read = iconvBytes("UTF-32LE", code, byte)) {
                ++defined;
                EXPECT_EQ(hex(decode(form, units(byte))), hex(fromUtf32(*read))) << code << " byte " << b;
            }
        }
        EXPECT_GE(defined, 247) << code;
        std::u32string all;
        for (const auto& row : rows) {
            all.push_back(row.letter);
        }
        for (char32_t c = 0x20; c < 0x7F; ++c) {
            all.push_back(c);
        }
        for (char32_t c : all) {
            const std::u32string letter(1, c);
            const auto written = iconvBytes(code, "UTF-32LE", utf32(letter));
            ASSERT_TRUE(written.has_value()) << code << " " << hex(letter);
            const Encoded ours = encode(form, letter);
            EXPECT_EQ(ours.replacedCount, 0u);
            EXPECT_EQ(hex(ours.units), hex(units(*written))) << code << " " << hex(letter);
            EXPECT_EQ(decode(form, units(*written)), letter) << code << " " << hex(letter);
        }
    }
}

} // namespace
} // namespace lurcore::convert::test
