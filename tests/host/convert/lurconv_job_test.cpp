// lurconv's arguments and what it makes of one input: the exit status, the byte-order mark, UTF-16
// input, and the refusals that leave the output untouched.
#include "convert_support.h"

#include "lurconv/conversion_job.h"
#include "lurcore/convert/clipboard_text.h"

#include <gtest/gtest.h>

namespace lurconv {
namespace {

using lurcore::convert::Form;

Arguments args(std::vector<std::string> list) {
    std::string error;
    const auto parsed = parseArguments(list, error);
    EXPECT_TRUE(parsed.has_value()) << error;
    return parsed.value_or(Arguments{});
}

TEST(LurconvArguments, ReadAsWrittenOrRefusedWithAReason) {
    const Arguments full = args({"--from", "TCVN3", "--to", "unicode-nfd", "-o", "out.txt", "in.txt"});
    EXPECT_EQ(full.from, Form::Tcvn3);
    EXPECT_EQ(full.to, Form::UnicodeNfd);
    EXPECT_EQ(full.output, "out.txt");
    EXPECT_EQ(full.input, "in.txt");
    EXPECT_FALSE(args({"--to", "vni", "--from", "auto"}).from.has_value());
    EXPECT_TRUE(args({"--help"}).help);
    for (const std::vector<std::string>& wrong : {std::vector<std::string>{"--from", "tcvn3"},
                                                  {"--to", "vni"},
                                                  {"--from", "abc", "--to", "vni"},
                                                  {"--from", "vni", "--to", "auto"},
                                                  {"--from", "vni", "--to", "vni", "a", "b"},
                                                  {"--from", "vni", "--to", "vni", "-x"},
                                                  {"--from", "vni", "--to"},
                                                  {"--from", "vni", "--from", "vni"}}) {
        std::string error;
        EXPECT_FALSE(parseArguments(wrong, error).has_value()) << wrong.size();
        EXPECT_FALSE(error.empty());
    }
}

TEST(LurconvJob, StatusMarkAndRefusals) {
    const std::string viet = "Vi\xE1\xBB\x87t Nam"; // Việt Nam
    JobResult plain = convertBytes(args({"--from", "unicode", "--to", "tcvn3"}), viet);
    EXPECT_EQ(plain.status, kConverted);
    EXPECT_EQ(plain.output, "Vi\xD6t Nam");
    // A mark in, a mark out; UTF-16 with its mark is read too.
    JobResult marked = convertBytes(args({"--from", "tcvn3", "--to", "unicode"}), "\xEF\xBB\xBF"
                                                                                  "Vi\xD6t");
    EXPECT_EQ(marked.output, "\xEF\xBB\xBF"
                             "Vi\xE1\xBB\x87t");
    JobResult wide = convertBytes(args({"--from", "unicode", "--to", "vni"}), std::string("\xFF\xFE"
                                                                                          "V\0i\0\xC7\x1E"
                                                                                          "t\0",
                                                                                          10));
    EXPECT_EQ(wide.status, kConverted);
    EXPECT_EQ(wide.output, "Vie\xE4t");
    // What the table cannot hold: a ?, its place on standard error, status 1.
    JobResult replaced = convertBytes(args({"--from", "unicode", "--to", "tcvn3"}), "a\n\xE4\xB8\xAD b");
    EXPECT_EQ(replaced.status, kConvertedWithReplacements);
    EXPECT_EQ(replaced.output, "a\n? b");
    EXPECT_NE(replaced.messages.find("2:1 U+4E2D\n"), std::string::npos) << replaced.messages;
    // Bytes that are not UTF-8 are no Unicode text; auto finds the table and says so.
    JobResult notText = convertBytes(args({"--from", "unicode", "--to", "vni"}), "Vi\xD6t");
    EXPECT_EQ(notText.status, kFailed);
    EXPECT_TRUE(notText.output.empty());
    JobResult guessed =
        convertBytes(args({"--from", "auto", "--to", "unicode"}), "C\xB8"
                                                                  "c b\xB9n \xAE\xB7 \xAE\xD5n Vi\xD6t Nam");
    EXPECT_EQ(guessed.status, kConverted);
    EXPECT_EQ(guessed.output, "Các bạn đã đến Việt Nam");
    EXPECT_NE(guessed.messages.find("--from auto: tcvn3"), std::string::npos) << guessed.messages;
    JobResult unknown = convertBytes(args({"--from", "auto", "--to", "unicode"}), "\xFF\xFE\xFD");
    EXPECT_EQ(unknown.status, kFailed);
}

} // namespace
} // namespace lurconv

namespace lurcore::convert {
namespace {

// The converter's key: a TCVN3 text as a ".Vn" font puts it on the clipboard becomes Unicode, and a
// second press finds Unicode and changes nothing.
TEST(ClipboardText, LegacyTextBecomesUnicodeOnceAndStays) {
    // "Các bạn đã đến Việt Nam" in TCVN3 bytes, each as its Windows-1252 character.
    std::u16string text = u"C\u00B8c b\u00B9n \u00AE\u00B7 \u00AE\u00D5n Vi\u00D6t Nam";
    const ClipboardConversion first = convertClipboardText(text, std::nullopt, Form::Unicode);
    EXPECT_EQ(first.outcome, ClipboardConversion::Outcome::Converted);
    EXPECT_EQ(first.from, Form::Tcvn3);
    EXPECT_EQ(first.characters, 23u);
    EXPECT_EQ(text, u"Các bạn đã đến Việt Nam");
    const ClipboardConversion second = convertClipboardText(text, std::nullopt, Form::Unicode);
    EXPECT_EQ(second.outcome, ClipboardConversion::Outcome::Unchanged);
    EXPECT_EQ(text, u"Các bạn đã đến Việt Nam");
    // Back to VNI Windows: its bytes as Windows-1252 characters, as a VNI font's document takes them.
    const ClipboardConversion back = convertClipboardText(text, Form::Unicode, Form::Vni);
    EXPECT_EQ(back.outcome, ClipboardConversion::Outcome::Converted);
    EXPECT_EQ(text.substr(0, 4), u"Ca\u00F9c");
    std::u16string chinese = u"\u4E2D a";
    EXPECT_EQ(convertClipboardText(chinese, Form::Unicode, Form::Tcvn3).outcome,
              ClipboardConversion::Outcome::Replaced);
    EXPECT_EQ(chinese, u"? a");
}

} // namespace
} // namespace lurcore::convert
