// The 8-bit text that crosses the engine's boundary is UTF-8; Windows' own text is UTF-16. Both ways,
// checked against the C library's converter on random text and on the cases that must be refused.
#include "engine/utf8.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <random>

namespace {

// glibc's converter as the reference: UTF-16LE in, UTF-8 out.
std::string referenceUtf8(const std::u16string& text) {
    iconv_t cd = iconv_open("UTF-8", "UTF-16LE");
    std::string in;
    for (char16_t c : text) {
        in.push_back(static_cast<char>(c & 0xFF));
        in.push_back(static_cast<char>(c >> 8));
    }
    std::string out(text.size() * 4 + 4, '\0');
    char* src = in.data();
    char* dst = out.data();
    std::size_t inLeft = in.size();
    std::size_t outLeft = out.size();
    const std::size_t result = iconv(cd, &src, &inLeft, &dst, &outLeft);
    iconv_close(cd);
    EXPECT_NE(result, static_cast<std::size_t>(-1));
    out.resize(out.size() - outLeft);
    return out;
}

} // namespace

TEST(Utf8, AVietnameseProfileFolderBothWays) {
    const std::u16string wide = u"C:\\Users\\Nguy\u1EC5n\\AppData";
    const std::string utf8 = "C:\\Users\\Nguy\xE1\xBB\x85n\\AppData";
    EXPECT_EQ(lur::utf16ToUtf8(wide), utf8);
    EXPECT_EQ(lur::utf8ToUtf16(utf8), wide);
    EXPECT_EQ(lur::utf8ToUtf16("C:\\Program Files\\Lurio 2008\\Lurb.exe"),
              u"C:\\Program Files\\Lurio 2008\\Lurb.exe")
        << "ASCII callers are unaffected";
}

TEST(Utf8, RandomTextRoundTripsAndMatchesTheReference) {
    std::mt19937 random(7);
    const int runs = std::getenv("LUR_LONG_RUN") != nullptr ? 200000 : 5000;
    for (int run = 0; run < runs; ++run) {
        std::u16string text;
        const int length = static_cast<int>(random() % 12);
        for (int i = 0; i < length; ++i) {
            char32_t code = 0;
            switch (random() % 4) {
            case 0:
                code = random() % 0x80;
                break;
            case 1:
                code = 0x80 + random() % 0x780;
                break;
            case 2:
                do {
                    code = 0x800 + random() % 0xF800;
                } while (code >= 0xD800 && code <= 0xDFFF);
                break;
            default:
                code = 0x10000 + random() % 0x100000;
            }
            if (code >= 0x10000) {
                text.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
                text.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
            } else {
                text.push_back(static_cast<char16_t>(code));
            }
        }
        const std::string utf8 = lur::utf16ToUtf8(text);
        ASSERT_EQ(utf8, referenceUtf8(text)) << "run " << run;
        ASSERT_EQ(lur::utf8ToUtf16(utf8), text) << "run " << run;
    }
}

TEST(Utf8, MalformedTextIsRefused) {
    for (const std::string bad : {"Caf\xE9",                  // an ANSI e acute
                                  "\xC3", "\xE1\xBB",         // cut short
                                  "\xC0\xAF", "\xE0\x80\xAF", // overlong
                                  "\xED\xA0\x80",             // a surrogate
                                  "\xF4\x90\x80\x80",         // above U+10FFFF
                                  "\x80", "\xFF", "a\xE1\x41\x85"}) {
        EXPECT_FALSE(lur::utf8ToUtf16(bad).has_value()) << testing::PrintToString(bad);
    }
}

TEST(Utf8, LoneSurrogateFromWindowsBecomesTheReplacementCharacter) {
    EXPECT_EQ(lur::utf16ToUtf8(std::u16string{u'a', char16_t(0xD800), u'b'}), "a\xEF\xBF\xBD"
                                                                              "b");
    EXPECT_EQ(lur::utf16ToUtf8(std::u16string{char16_t(0xDC00)}), "\xEF\xBF\xBD");
}
